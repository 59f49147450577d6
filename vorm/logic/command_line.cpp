#include "logic/command_line.h"

namespace vorm {

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine result;
  Options& o = result.options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      o.help = true;
      continue;
    }
    if (arg == "--version") {
      o.version = true;
      continue;
    }
    std::optional<std::string>* target = nullptr;
    std::string name;
    for (const auto& [option, slot] : {std::pair{"--script", &o.script},
                                       std::pair{"--data-dir", &o.dataDir}}) {
      if (arg == option || arg.starts_with(std::string(option) + "=")) {
        target = slot;
        name = option;
      }
    }
    if (target == nullptr) {
      result.error = "unknown argument '" + arg + "'";
      return result;
    }
    std::string value;
    if (arg.size() > name.size()) {
      value = arg.substr(name.size() + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      result.error = name + " needs a value";
      return result;
    }
    if (value.empty()) {
      result.error = name + " needs a value";
      return result;
    }
    *target = value;
  }
  return result;
}

std::string usageText(const std::string& program) {
  return "Usage: " + program + " [--script FILE] [--data-dir DIR]\n"
         "A drill of letter case and alphabet switching: retype the phrases shown,\n"
         "Russian and Latin letters, digits and signs, exactly as written.\n"
         "\n"
         "  --script FILE    run the commands of FILE (- for standard input) on an\n"
         "                   offscreen display with a virtual clock, printing what\n"
         "                   the program shows and does; see README.md\n"
         "  --data-dir DIR   make DIR the current folder (the drill reads no files)\n"
         "  -h, --help       show this help and exit\n"
         "  --version        show the version and exit\n";
}

}  // namespace vorm
