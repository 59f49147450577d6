// The program: its four forms, which of them are open, where the keyboard
// focus is, and the way events reach them.
//
// Every input (from the window layer or from a script) enters through one of
// the event operations below. A form closed during an event is destroyed
// only when the outermost event is over, so a handler may close its own
// form and go on; message boxes may nest events (timer ticks) inside one.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "form.h"
#include "history.h"
#include "services.h"

namespace pirvo3 {

class Frmtre;
class Frm1;
class Frmpause;
class Frmza;
class Frmstat;

// Keys that reach a control as characters.
inline constexpr char32_t kKeyBackspace = 0x08;
inline constexpr char32_t kKeyTab = 0x09;
inline constexpr char32_t kKeyEnter = 0x0D;
inline constexpr char32_t kKeyEscape = 0x1B;

// A dialog's buttons take the Enter and space keys only once the dialog
// has been on screen this long: keys of a word being typed when it opened
// must not press its focused button.
inline constexpr std::int64_t kDialogKeyDelayMs = 500;

// The title of the program's message boxes.
inline constexpr const char* kAppTitle = "PIRVO3";

// What the program shows: the window layer creates a window per open form;
// the script driver prints the changes.
class FormHost {
 public:
  virtual ~FormHost() = default;
  virtual void formOpened(Form& form) = 0;  // loaded and shown, now active
  virtual void formClosed(Form& form) = 0;  // unloaded; its data lives until the event ends
  virtual void formRaised(Form& form) = 0;  // an open form brought to the front
  virtual void focusMoved(Form& form, Control& control) = 0;
  virtual void refresh() = 0;               // state changed: redraw
  virtual void ended() = 0;                 // the program ends
};

struct AppConfig {
  std::string decimalSeparator = ".";
  // Absolute path of the data folder, the program's current folder.
  std::filesystem::path dataDir;
  // Where the runs of the typing screen are recorded; none: no history.
  HistoryStore* history = nullptr;
};

class App {
 public:
  App(TimerService& timers, MessageSink& messages, Desktop& desktop, FormHost& host,
      AppConfig config);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Loads and shows the menu.
  void start();
  // Ends the program with its forms still open (end of a scripted run).
  void quit();
  bool ended() const { return ended_; }

  // --- Input events -------------------------------------------------------
  void mouseMove(Form& form, Control& control);
  void click(Form& form, Control& control);
  // A key reaching a control that has the focus: a text box takes it as
  // KeyPress and Change, a command button is pressed by Enter or the space
  // bar, Tab moves the focus.
  void keyPress(Form& form, Control& control, char32_t key);
  // The whole text arrives at once in a text box.
  void paste(Form& form, Control& control, const std::string& text);
  void closeBox(Form& form);
  WindowSize resize(Form& form, const WindowSize& size);
  // A keystroke into the control that has the focus in the active form.
  void typeKey(char32_t key);
  // Pasted text into the control that has the focus in the active form.
  void pasteText(const std::string& text);
  // A key that types no character (arrows, F1...) reaching the form.
  void formKey(Form& form, FormKey key);
  // The same, to the active form.
  void typeFormKey(FormKey key);

  // --- Forms --------------------------------------------------------------
  // The open form of that name, or null.
  Form* form(std::string_view name) const;
  // Open forms in the program's order: frmtre, frm1, frmpause, frmza,
  // frmstat.
  std::vector<Form*> openForms() const;
  // The form that receives typing: the one last opened, raised or clicked.
  Form* activeForm() const;

  Frmtre* frmtre() const { return frmtre_.get(); }
  Frm1* frm1() const { return frm1_.get(); }
  Frmpause* frmpause() const { return frmpause_.get(); }
  Frmza* frmza() const { return frmza_.get(); }
  Frmstat* frmstat() const { return frmstat_.get(); }

  // --- For the forms ------------------------------------------------------
  // Loads and shows the form, or brings it to the front when it is open.
  Frm1& showFrm1();
  void showFrmpause();
  void showFrmza();
  // The statistics window, showing the lesson (-1: the one it chooses).
  void showFrmstat(int lesson = -1);
  // Unloads a form. The typing screen takes its two dialogs with it.
  void close(Form& form);
  // Activates the form and gives the control the focus (if it can take it).
  void giveFocus(Form& form, Control& control);
  void message(const std::string& title, const std::string& text, MessageIcon icon);
  // A message box with a second button; true when it was chosen.
  bool ask(const std::string& title, const std::string& text, MessageIcon icon,
           const std::string& otherButton);

  // The history of runs, or null when none is kept.
  HistoryStore* history() const { return config_.history; }
  // Writes a finished or abandoned run to the history. A run that cannot
  // be written is reported in one message; the lesson is not affected.
  void recordRun(const RunRecord& run);

  TimerService& timers() { return timers_; }
  MessageSink& messages() { return messages_; }
  Desktop& desktop() { return desktop_; }
  const AppConfig& config() const { return config_; }

  // Runs fn as one event (see the file comment). Timer ticks use it.
  void dispatch(const std::function<void()>& fn);

 private:
  template <typename F>
  void show(std::unique_ptr<F>& slot);
  void activate(Form& form);
  void settle();

  TimerService& timers_;
  MessageSink& messages_;
  Desktop& desktop_;
  FormHost& host_;
  AppConfig config_;

  std::unique_ptr<Frmtre> frmtre_;
  std::unique_ptr<Frm1> frm1_;
  std::unique_ptr<Frmpause> frmpause_;
  std::unique_ptr<Frmza> frmza_;
  std::unique_ptr<Frmstat> frmstat_;
  std::vector<Form*> stacking_;  // open forms, back to front
  std::vector<std::unique_ptr<Form>> closed_;
  int depth_ = 0;
  bool started_ = false;
  bool ended_ = false;
};

}  // namespace pirvo3
