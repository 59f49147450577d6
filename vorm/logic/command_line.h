#pragma once
// The program's options, read before any window exists.
#include <optional>
#include <string>
#include <vector>

namespace vorm {

struct Options {
  bool help = false;
  bool version = false;
  std::optional<std::string> script;   // "-" for standard input
  std::optional<std::string> dataDir;
};

struct ParsedCommandLine {
  Options options;
  std::string error;  // non-empty: say it, point at --help, exit with status 2
};

// args excludes the program name. Accepts "--script FILE" and "--script=FILE"
// (likewise --data-dir); -h is --help.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

std::string usageText(const std::string& program);

}  // namespace vorm
