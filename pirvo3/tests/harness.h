// A running program with a virtual clock, printed output and a data folder
// of its own, for tests that drive the forms as a user would.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app.h"
#include "frm1.h"
#include "frmpause.h"
#include "frmstat.h"
#include "frmtre.h"
#include "frmza.h"
#include "history.h"
#include "script.h"
#include "text.h"
#include "virtual_clock.h"

namespace pirvo3::testing {

// A fresh, empty folder under the test's temporary directory.
std::filesystem::path freshDir(const std::string& name);

// Writes lines with CR LF ends, in Windows-1251 unless utf8 is set.
void writeLesson(const std::filesystem::path& file, const std::vector<std::string>& lines,
                 bool utf8 = false);

// Puts an empty stand-in for the menu's background picture into a data
// folder: the logic only looks for the file.
void writeMenuPicture(const std::filesystem::path& dir);

// Line k of the test lessons: "т<k> к", so that every task is told apart
// and has a blank in it.
std::string testLine(int k);
std::vector<std::string> testLesson(int lines = 86);

class RecordingDesktop : public Desktop {
 public:
  explicit RecordingDesktop(std::ostream& out) : out_(out) {}
  bool openUrl(const std::string& url) override {
    out_ << "url " << url << '\n';
    return opens;
  }
  bool opens = true;
  void activateKeyboardLayout(std::uint32_t layout) override { layouts.push_back(layout); }
  std::vector<std::uint32_t> layouts;

 private:
  std::ostream& out_;
};

class Harness {
 public:
  // Puts the menu's background picture into the data folder unless told
  // not to, then starts the program.
  explicit Harness(std::filesystem::path dataDir, std::string decimalSeparator = ".",
                   bool menuPicture = true);

  // Output printed since the last call.
  std::string output();

  Frmtre& menu() { return *app.frmtre(); }
  Frm1& typing() { return *app.frm1(); }
  void hover(int lesson) { app.mouseMove(menu(), menu().control("Label1", lesson)); }
  void chooseLesson(int lesson) { app.click(menu(), menu().control("Label1", lesson)); }
  void click(Form& form, const std::string& control, int index = -1) {
    app.click(form, form.control(control, index));
  }
  // Keystrokes into whatever has the focus.
  void type(const std::string& utf8) {
    for (char32_t c : toUtf32(utf8)) app.typeKey(c);
  }
  // Types the current task line of the typing screen.
  void completeTask() { type(typing().targetLine()); }
  void wait(int ms) { clock.advance(ms); }
  const std::string& caption(Form& form, const std::string& control, int index = -1) {
    return form.control(control, index).caption;
  }

  std::filesystem::path dir;
  bool pictureWritten;
  VirtualClock clock;
  std::ostringstream out;
  ScriptOutput printer{out};
  RecordingDesktop desktop{out};
  MemoryHistoryStore history;
  App app;
};

}  // namespace pirvo3::testing
