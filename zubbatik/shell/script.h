// Scripted runs: the whole program on the headless backend, driven line by
// line from a script (keys, clicks, waiting on the virtual clock, shots).
#pragma once

#include <iosfwd>

namespace zb {

class HeadlessPlatform;
class WindowProcedure;

// Runs the script against a program whose window has been created and whose
// first state has been entered. Returns the exit status: 0 once the window
// is destroyed (at the end of the script an open window is closed), 2 for a
// malformed line (reported on err with its line number), 1 when a shot
// cannot be written.
int runScript(std::istream& script, HeadlessPlatform& platform, WindowProcedure& window,
              std::ostream& err);

}  // namespace zb
