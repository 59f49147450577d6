#pragma once
// Scripted runs: the program on an offscreen display with a virtual clock,
// driven by a script of user actions and reporting on an output stream what it
// shows and does (see README.md for the commands and the output).
#include <istream>
#include <ostream>

namespace vorm::ui {

// Runs the script to its end or to the end of the program. Returns the exit
// status: 0, or 2 after a line that is no valid command (reported on err with
// its line number). Needs a QApplication.
int runScript(std::istream& script, std::ostream& out, std::ostream& err);

}  // namespace vorm::ui
