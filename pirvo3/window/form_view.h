// The window of one form: Qt widgets that show the form's controls and pass
// the user's input on to the application. They hold no state of their own;
// sync() redraws them from the form's data.
#pragma once

#include <string>
#include <vector>

#include <QPixmap>
#include <QWidget>

#include "app.h"
#include "form.h"

namespace pirvo3 {

class KeyboardLayer;

class FormView : public QWidget {
 public:
  // owner: the window a dialog belongs to (null for a main window).
  FormView(App& app, Form& form, const KeyboardLayer* keys, QWidget* owner = nullptr);

  // The form, or null once it has been closed.
  Form* form() const { return form_; }
  App& app() const { return app_; }
  const KeyboardLayer* keys() const { return keys_; }

  // The form has been closed: the window forgets it and takes no input.
  void detach();
  // Shows the form's current state.
  void sync();
  // Gives the control's widget the keyboard focus.
  void focusControl(const Control& control);
  QWidget* widgetFor(const Control& control) const;
  // Places the window, frame included, centred over the owner's, within
  // the owner's screen.
  void centreOver(const QWidget& owner);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct Item {
    Control* control;
    QWidget* widget;
  };

  void build();
  void syncItem(const Item& item);
  void loadPicture();
  void applySizeRule();

  App& app_;
  Form* form_;
  const KeyboardLayer* keys_;
  std::vector<Item> items_;
  std::string picturePath_;
  QPixmap picture_;
  bool resizing_ = false;
};

// Twips to device-independent pixels.
inline int px(int twips) { return twips / kTwipsPerPixel; }

}  // namespace pirvo3
