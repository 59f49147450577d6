// The lesson menu, the program's start-up form.
#pragma once

#include "form.h"

namespace pirvo3 {

class Frmtre : public Form {
 public:
  explicit Frmtre(App& app);

  void load() override;
  void mouseMove(Control& control) override;
  void click(Control& control) override;
  // Up and Down move the light over the lesson captions, Enter opens the
  // lit lesson, F1 the help page, Esc closes the menu.
  void formKey(FormKey key) override;

  // Index of the lesson caption last lit under the mouse.
  int highlightedLesson() const { return highlighted_; }

  static std::vector<Control> design();

 private:
  void light(int index);
  void chooseLesson(int index);
  void openHelp();

  int highlighted_ = 0;
};

// The menu's background picture, relative to the data folder.
inline constexpr const char* kMenuPicture = "pidata/startfon.gif";

// The address of a local file, as a desktop opens it.
std::string fileUrl(const std::string& absolutePath);

}  // namespace pirvo3
