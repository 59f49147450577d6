#pragma once
// The about box: description, portrait and the two links.
#include <memory>

#include "logic/about_box.h"
#include "ui/form_window.h"

namespace vorm::ui {

class AboutWindow final : public FormWindow {
 public:
  AboutWindow(QWidget* owner, UrlOpener& opener);

 private:
  AboutBox about_;
};

}  // namespace vorm::ui
