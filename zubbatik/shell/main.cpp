// zubbatik: the process entry. Chooses the backend, finds the data and
// state folders, creates the window and runs the message loop.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "engine/events.h"
#include "engine/files.h"
#include "engine/framebuffer.h"
#include "platform/headless/headless_platform.h"
#include "platform/sdl/sdl_platform.h"
#include "modes/game.h"
#include "modes/lesson.h"
#include "screens/menus.h"
#include "screens/state_machine.h"
#include "shell/script.h"
#include "shell/window_procedure.h"

#ifndef ZUBBATIK_VERSION
#define ZUBBATIK_VERSION "unknown"
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "Usage: zubbatik [OPTION]...\n"
    "A typing game for young children.\n"
    "\n"
    "  --scale N         show the window N times larger (default: as large as\n"
    "                    fits comfortably on the desktop)\n"
    "  --fullscreen      start on the whole screen (F11 switches between the\n"
    "                    whole screen and the window at any time)\n"
    "  --data-dir DIR    read the data set (Zubbatik.pal, MDATA, GDATA, DDATA)\n"
    "                    from DIR instead of the folder beside the program\n"
    "  --state-dir DIR   keep the settings and high scores (Zubbatik.cfg,\n"
    "                    Zubbatik.rdt) in DIR instead of\n"
    "                    $XDG_DATA_HOME/zubbatik (~/.local/share/zubbatik)\n"
    "  --debug           print the debug log on standard error (animation and\n"
    "                    timer counts, the tracks the game builds, how long key\n"
    "                    presses take to reach the screen)\n"
    "  --headless        run without a window, on a virtual clock (needs --script)\n"
    "  --script FILE     with --headless: run the commands in FILE ('-' for\n"
    "                    standard input)\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n";

struct Options {
  int scale = 0;
  bool fullscreen = false;
  fs::path dataDir;
  fs::path stateDir;
  bool debug = false;
  bool headless = false;
  std::string script;
};

int usageError(const std::string& message) {
  std::cerr << "zubbatik: " << message << "\nTry 'zubbatik --help' for more information.\n";
  return 2;
}

fs::path executableDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : exe.parent_path();
}

// The data set built beside the program, or the installed one.
fs::path defaultDataDir() {
  fs::path here = executableDir();
  if (fs::exists(here / "Zubbatik.pal")) return here;
  fs::path installed = here.parent_path() / "share" / "zubbatik";
  if (fs::exists(installed / "Zubbatik.pal")) return installed;
  return here;
}

fs::path defaultStateDir() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && xdg[0] == '/') return fs::path(xdg) / "zubbatik";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != 0) return fs::path(home) / ".local" / "share" / "zubbatik";
  return fs::current_path();
}

// The trace of a scripted run on standard output, flushed line by line so
// that a program driving the run through standard input can read it as
// it goes: the screens' states, the game's and the lesson's sub-states,
// and every track the game builds (its symbols in the data set's
// character code, in hex).
void printLine(const char* format, unsigned value) {
  std::printf(format, value);
  std::fflush(stdout);
}
void printState(uint16_t state) { printLine("state %u\n", state); }
void printPlayState(uint16_t state) { printLine("play %u\n", state); }
void printLessonState(uint16_t state) { printLine("lesson %u\n", state); }

std::string trackLine(const uint8_t* symbols, uint8_t length) {
  std::string line = "track";
  char hex[4];
  for (uint8_t i = 0; i < length; ++i) {
    std::snprintf(hex, sizeof hex, " %02X", symbols[i]);
    line += hex;
  }
  return line + "\n";
}

void printTrack(const uint8_t* symbols, uint8_t length) {
  std::fputs(trackLine(symbols, length).c_str(), stdout);
  std::fflush(stdout);
}

// In the window, the tracks go to the debug log.
void logTrack(const uint8_t* symbols, uint8_t length) {
  zb::platform().debugLog(trackLine(symbols, length).c_str());
}

// Scripted runs seed the game's generator from the virtual clock, so the
// same script always plays the same game.
const zb::HeadlessPlatform* scriptedPlatform = nullptr;
uint32_t virtualSeconds() { return static_cast<uint32_t>(scriptedPlatform->nowMs() / 1000); }

void wireProgram(zb::Platform& platform) {
  zb::setPlatform(&platform);
  zb::setEventSink(zb::HandleEvent);
  zb::registerScreens();
}

bool reportMissingPalette(const Options& options) {
  std::cerr << "zubbatik: cannot read the palette file \"Zubbatik.pal\" in the data folder "
            << options.dataDir << "\n";
  return false;
}

int runHeadless(const Options& options) {
  zb::HeadlessPlatform platform;
  zb::WindowProcedure window;
  platform.loop().setWindowEvents(&window);
  platform.setEchoLog(options.debug);
  platform.setRecording(false);  // nothing reads the records; a long run must not grow
  platform.onWaveWrite = [](uint32_t) {
    std::printf("sound\n");
    std::fflush(stdout);
  };
  wireProgram(platform);
  zb::setStateObserver(printState);
  zb::setPlayStateObserver(printPlayState);
  zb::setLessonStateObserver(printLessonState);
  zb::setTrackObserver(printTrack);
  scriptedPlatform = &platform;
  zb::setGameClock(virtualSeconds);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);

  std::ifstream file;
  std::istream* in = &std::cin;
  if (options.script != "-") {
    file.open(options.script);
    if (!file) {
      std::cerr << "zubbatik: cannot open the script " << options.script << "\n";
      return 2;
    }
    in = &file;
  }
  if (!window.create()) {
    reportMissingPalette(options);
    return 1;
  }
  zb::EnterState(zb::Startup);
  int status = zb::runScript(*in, platform, window, std::cerr);
  zb::setPlatform(nullptr);
  return status;
}

int runWindow(const Options& options, std::chrono::steady_clock::time_point start) {
  zb::SdlPlatform platform;
  zb::WindowProcedure window;
  platform.loop().setWindowEvents(&window);
  zb::SdlPlatform::Options sdlOptions;
  sdlOptions.scale = options.scale;
  sdlOptions.fullscreen = options.fullscreen;
  sdlOptions.debug = options.debug;
  sdlOptions.processStart = start;
  std::string error;
  if (!platform.createWindow(sdlOptions, error)) {
    std::cerr << "zubbatik: " << error << "\n";
    return 1;
  }
  platform.setFrameSource([] {
    const zb::FrameBuffer& fb = zb::frameBuffer;
    return zb::FrameView{fb.pixels, fb.width, fb.height, static_cast<int>(fb.stride),
                         fb.colourTable.data()};
  });
  wireProgram(platform);
  if (options.debug) zb::setTrackObserver(logTrack);
  if (!window.create()) {
    reportMissingPalette(options);
    return 1;
  }
  zb::EnterState(zb::Startup);
  platform.show();
  platform.run();
  zb::setPlatform(nullptr);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  auto start = std::chrono::steady_clock::now();
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--version") {
      std::cout << "zubbatik " << ZUBBATIK_VERSION << "\n";
      return 0;
    } else if (arg == "--scale") {
      if (!value(v)) return usageError("--scale needs a number");
      char* end = nullptr;
      long n = std::strtol(v.c_str(), &end, 10);
      if (end == v.c_str() || *end != 0 || n < 1 || n > 16) return usageError("--scale takes a whole number from 1 to 16");
      options.scale = static_cast<int>(n);
    } else if (arg == "--fullscreen") {
      options.fullscreen = true;
    } else if (arg == "--data-dir") {
      if (!value(v)) return usageError("--data-dir needs a folder");
      options.dataDir = v;
    } else if (arg == "--state-dir") {
      if (!value(v)) return usageError("--state-dir needs a folder");
      options.stateDir = v;
    } else if (arg == "--debug") {
      options.debug = true;
    } else if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--script") {
      if (!value(options.script)) return usageError("--script needs a file name (or -)");
    } else {
      return usageError("unknown option '" + arg + "'");
    }
  }
  if (options.headless && options.script.empty()) return usageError("--headless needs --script");
  if (!options.headless && !options.script.empty()) return usageError("--script needs --headless");

  if (options.dataDir.empty()) options.dataDir = defaultDataDir();
  if (options.stateDir.empty()) options.stateDir = defaultStateDir();
  std::error_code ec;
  fs::create_directories(options.stateDir, ec);
  if (ec) {
    std::cerr << "zubbatik: cannot create the folder " << options.stateDir
              << " for the settings and high scores: " << ec.message() << "\n";
  }
  zb::setDataDir(options.dataDir);
  zb::setStateDir(options.stateDir);

  return options.headless ? runHeadless(options) : runWindow(options, start);
}
