#include "shell/script.h"

#include <charconv>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/framebuffer.h"
#include "platform/headless/headless_platform.h"
#include "shell/png_writer.h"
#include "shell/window_procedure.h"

namespace zb {

namespace {

std::vector<std::string> words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

bool parseNumber(const std::string& text, int base, uint64_t max, uint64_t& value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  return ec == std::errc() && ptr == end && value <= max;
}

}  // namespace

int runScript(std::istream& script, HeadlessPlatform& platform, WindowProcedure& window,
              std::ostream& err) {
  std::string line;
  int number = 0;
  while (!platform.destroyed && std::getline(script, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::vector<std::string> w = words(line);
    const std::string& command = w[0];
    auto fail = [&](const std::string& why) {
      err << "script line " << number << ": " << why << ": " << line << '\n';
      return 2;
    };
    uint64_t a = 0;
    uint64_t b = 0;
    if (command == "down" || command == "up" || command == "key") {
      if (w.size() != 2 || !parseNumber(w[1], 16, 0xFF, a) || a == 0) return fail("expected a key byte in hex");
      auto key = static_cast<uint8_t>(a);
      if (command != "up") window.keyDown(key);
      if (command != "down") window.keyUp(key);
    } else if (command == "click" || command == "rclick") {
      if (w.size() != 3 || !parseNumber(w[1], 10, 629, a) || !parseNumber(w[2], 10, 439, b)) {
        return fail("expected client coordinates X Y");
      }
      bool left = command == "click";
      window.buttonDown(left ? MouseButton::Left : MouseButton::Right, left ? kMouseLeft : kMouseRight,
                        static_cast<int>(a), static_cast<int>(b));
    } else if (command == "wait") {
      if (w.size() != 2 || !parseNumber(w[1], 10, 24ull * 3600 * 1000, a)) return fail("expected milliseconds");
      platform.advance(a);
    } else if (command == "activate") {
      if (w.size() != 2 || (w[1] != "0" && w[1] != "1")) return fail("expected 0 or 1");
      window.activate(w[1] == "1");
    } else if (command == "shot") {
      std::string path = line.substr(line.find("shot") + 4);
      path.erase(0, path.find_first_not_of(" \t"));
      while (!path.empty() && (path.back() == ' ' || path.back() == '\t')) path.pop_back();
      if (path.empty()) return fail("expected a file name");
      IndexedPicture picture{frameBuffer.pixels, frameBuffer.width, frameBuffer.height,
                             static_cast<int>(frameBuffer.stride), true, frameBuffer.colourTable.data()};
      std::string why;
      if (!writePng(path, picture, why)) {
        err << "script line " << number << ": " << why << '\n';
        return 1;
      }
    } else if (command == "mark") {
      // Echoes its text on standard output when the run gets here, so a
      // reader of the trace can tell which part of the script it is in.
      std::string text = line.substr(line.find("mark") + 4);
      text.erase(0, text.find_first_not_of(" \t"));
      std::printf("mark %s\n", text.c_str());
      std::fflush(stdout);
    } else if (command == "close") {
      if (w.size() != 1) return fail("close takes no argument");
      window.closeRequested();
    } else {
      return fail("unknown command");
    }
  }
  if (!platform.destroyed) window.closeRequested();
  return 0;
}

}  // namespace zb
