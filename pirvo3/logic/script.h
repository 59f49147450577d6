// Scripted runs: commands from a file drive the program on a virtual clock,
// and what the program does is printed, one line an action.
//
// Commands, one a line (blank lines and # lines are skipped):
//   hover FORM.CONTROL   click FORM.CONTROL   type TEXT   paste TEXT
//   key up|down|enter|esc|f1 (to the active form)
//   wait MS   close FORM   dump [FORM]   shot FORM PATH
//   answer BUTTON (the next box offering that button is answered with it)
// Printed: open FORM, closed FORM, msgbox TITLE | TEXT, url URL, exit, and
// the dump lines.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "app.h"
#include "form.h"
#include "services.h"
#include "virtual_clock.h"

namespace pirvo3 {

// Prints what a scripted run shows and answers every message box with OK
// at once. Window events are passed on to `inner` (the offscreen windows
// that serve `shot`) when there is one.
class ScriptOutput : public FormHost, public MessageSink, public Desktop {
 public:
  explicit ScriptOutput(std::ostream& out, FormHost* inner = nullptr);

  void formOpened(Form& form) override;
  void formClosed(Form& form) override;
  void formRaised(Form& form) override;
  void focusMoved(Form& form, Control& control) override;
  void refresh() override;
  void ended() override;

  void show(const std::string& title, const std::string& text, MessageIcon icon) override;
  // Printed as show() prints; answered with the other button when the
  // script has asked for it (see answerNext), else with OK.
  bool ask(const std::string& title, const std::string& text, MessageIcon icon,
           const std::string& otherButton) override;
  // The next box that offers this button is answered with it.
  void answerNext(const std::string& button) { answer_ = button; }

  bool openUrl(const std::string& url) override;
  void activateKeyboardLayout(std::uint32_t layout) override;

 private:
  std::ostream& out_;
  FormHost* inner_;
  std::string answer_;
};

// The dump of one form: its caption, then its controls sorted by name and
// index; a table adds a line per row, a chart its categories and a line
// per series.
std::string dumpForm(const Form& form);

// Writes a picture of an open form; false with a reason when it cannot.
using ShotFunction = std::function<bool(Form&, const std::string& path, std::string& error)>;

class ScriptRunner {
 public:
  ScriptRunner(App& app, VirtualClock& clock, std::ostream& out, std::ostream& err,
               ShotFunction shot = {});

  // Starts the program, runs the script and ends the program. Returns the
  // exit status: 0; 2 after an unknown command or control or a malformed
  // argument (the run stops there); 1 when a picture could not be written.
  int run(std::istream& script);

 private:
  struct Target {
    Form* form = nullptr;
    Control* control = nullptr;
  };
  bool resolve(const std::string& ref, Target& target, std::string& error) const;
  bool openForm(const std::string& name, Form*& form, std::string& error) const;
  int execute(const std::string& line, std::string& error);

  App& app_;
  VirtualClock& clock_;
  std::ostream& out_;
  std::ostream& err_;
  ShotFunction shot_;
  int status_ = 0;
};

// Decodes the escapes of `type` and `paste`: \n Enter, \e Esc,
// \b Backspace, \t Tab, \\ a backslash. Any other backslash stays.
std::u32string unescapeKeys(const std::string& text);

}  // namespace pirvo3
