#pragma once
// The language of scripted runs: one command a line, read and checked here,
// carried out by the program's script runner.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorm {

enum class CommandKind { Hover, Click, Type, Paste, Wait, Close, Dump, Shot };

struct ScriptCommand {
  CommandKind kind = CommandKind::Dump;
  std::string form;     // hover, click, close, shot
  std::string control;  // hover, click: "Label7" or "Label20(5)"
  std::u32string text;  // type, paste: escapes already decoded
  int64_t ms = 0;       // wait
  std::string path;     // shot
};

struct ScriptLine {
  bool skip = false;   // blank or a comment
  std::string error;   // non-empty when the line is no valid command
  ScriptCommand command;
};

// The longest wait one command may ask for: a day.
inline constexpr int64_t kMaxWaitMs = 24LL * 60 * 60 * 1000;

ScriptLine parseScriptLine(std::string_view line);

// Decodes the escapes of typed text: \n Enter (code 13), \e Esc, \b Backspace,
// \t Tab, \\ a backslash. Any other backslash sequence is an error.
bool decodeTypedText(std::string_view text, std::u32string& out, std::string& error);

// Orders control names as a dump lists them: by name, the index of a control
// array compared as a number ("Label2" < "Label10", "Label20(2)" < "Label20(10)").
void sortControlNames(std::vector<std::string>& names);

// Writes a caption on one line: line breaks (CR LF, CR or LF) as \n, other
// control characters as \t, \b, \e or \xNN.
std::string escapeCaption(std::string_view text);

}  // namespace vorm
