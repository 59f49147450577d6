#pragma once
// The program: Form1 with its drill, the about box it opens, and the end of the
// run. The same object serves the desktop and scripted runs; only the timers,
// the message boxes, the link opener and the hooks differ.
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "logic/drill_form.h"
#include "logic/layout_advice.h"
#include "ui/about_window.h"
#include "ui/form1_window.h"

namespace vorm::ui {

class VormApp final : public DrillHost {
 public:
  struct Hooks {
    std::function<void(const std::string& form)> opened;  // a form has loaded
    std::function<void(const std::string& form)> closed;  // a form has unloaded
    std::function<void()> ended;                           // the program ends
  };

  VormApp(TimerFactory& timers, MessageSink& messages, UrlOpener& opener, Hooks hooks);
  ~VormApp() override;
  VormApp(const VormApp&) = delete;
  VormApp& operator=(const VormApp&) = delete;

  // Loads Form1 and shows it.
  void start();
  // Ends the run without closing the forms (a script that has run out).
  void finish();
  // The alphabets the desktop's keyboard types. When the phrase asks for a
  // letter of another one, a message says so, once for each alphabet.
  // Without this call (a desktop that cannot be asked) nothing is said.
  void setKeyboardAlphabets(std::set<Alphabet> alphabets);
  bool ended() const { return ended_; }

  DrillForm& drill() { return *drill_; }
  Form1Window* form1() const { return form1_.get(); }
  AboutWindow* about() const { return about_.data(); }
  // The open forms, Form1 first; a form that is not open gives nullptr.
  std::vector<FormWindow*> openForms() const;
  FormWindow* openForm(const std::string& name) const;

  // DrillHost
  void showAbout() override;
  void unloadAbout() override;
  void endProgram() override;
  void changed() override;

 private:
  void form1Closed();
  void adviseOnLayout();

  MessageSink& messages_;
  UrlOpener& opener_;
  LayoutAdvisor advisor_;
  Hooks hooks_;
  std::unique_ptr<DrillForm> drill_;
  std::unique_ptr<Form1Window> form1_;
  QPointer<AboutWindow> about_;
  bool form1Open_ = false;
  bool ended_ = false;
};

}  // namespace vorm::ui
