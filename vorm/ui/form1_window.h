#pragma once
// Form1, the drill screen: shows what DrillForm holds and forwards the form's
// key presses and clicks to it.
#include "logic/drill_form.h"
#include "ui/click_label.h"
#include "ui/form_window.h"

namespace vorm::ui {

class Form1Window final : public FormWindow {
 public:
  explicit Form1Window(DrillForm& drill);

  // Shows the drill's current display.
  void sync();

  // What the buffer line shows for a buffer text: control characters typed by
  // mistake (Backspace, Tab...) appear as a box until the blinking removes them.
  static QString visibleText(const std::string& utf8);

 protected:
  bool event(QEvent* event) override;
  // Text an input method commits (a dead key and its letter, a compose
  // sequence, IBus or Fcitx) arrives here, one character at a time as if
  // typed.
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 private:
  ClickLabel* makeLabel(const std::string& name, std::string_view caption, int left, int top,
                        int width, int height);
  void setBack(QLabel* label, Rgb colour);

  DrillForm& drill_;
  ClickLabel* label2_ = nullptr;
  ClickLabel* label3_ = nullptr;
  ClickLabel* label6_ = nullptr;
  ClickLabel* label7_ = nullptr;
  ClickLabel* label9_ = nullptr;
};

}  // namespace vorm::ui
