// Figures of the real window: first the event loop in this process (the
// processor time it takes while one 100 ms looping animation runs, how late
// periodic steps of a 40 ms timer come, the resident memory), then the
// program itself, started as a child: its processor use on the animated
// language menu and on the records screen (no animation) at scale 1 and 2,
// as medians of several windows of play, its first frame with SDL's dummy
// audio and with the machine's own drivers, its resident memory, and the
// same processor figure for Tux Typing when it is installed. Run it under a
// display with a window manager (for example Xvfb and openbox); it prints
// its figures, each with its target, and exits.
//
//   zubbatik_window_bench [SECONDS] [--windows N] [--zubbatik PATH]
//                         [--data-dir DIR] [--in-process-only]
//
// SECONDS (10) is the length of each window and of the in-process phases;
// N (3) windows are measured for each figure. The program defaults to the
// zubbatik built beside this bench, with its data set.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/animation.h"
#include "engine/events.h"
#include "engine/files.h"
#include "engine/framebuffer.h"
#include "engine/image.h"
#include "engine/writers.h"
#include "platform/sdl/sdl_platform.h"

namespace {

double processSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long residentKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::char_traits<char>::length(field));
  }
  return -1;
}

std::vector<double> lateness;  // milliseconds, steps of the 40 ms timer only
uint32_t latenessTimer = 0;

void tick(uint32_t) {}

// --- A click after the wave device has gone to sleep ------------------------

std::chrono::steady_clock::time_point clipGiven;
double clipStartMs = -1;
uint8_t clickSamples[200];

struct ClipWatch : zb::WindowEvents {
  void keyDown(uint8_t) override {}
  void keyUp(uint8_t) override {}
  void buttonDown(zb::MouseButton, uint32_t, int, int) override {}
  void notification(zb::Notification, uint32_t) override {}
  // The clip is shorter than one buffer of the device: it ends as soon as
  // the device has taken its samples.
  void clipFinished() override {
    clipStartMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - clipGiven).count();
    zb::platform().destroyWindow();
  }
  void activate(bool) override {}
  void closeRequested() override {}
  void destroyed() override {}
};

void giveClip(uint32_t) {
  std::fill(std::begin(clickSamples), std::end(clickSamples), uint8_t{0x80});
  clipGiven = std::chrono::steady_clock::now();
  if (!zb::platform().waveWrite(clickSamples, sizeof clickSamples)) zb::platform().destroyWindow();
}

// --- Figures of child processes --------------------------------------------

// Processor time of every thread of a process so far, in seconds (the
// scheduler's nanosecond count: clock ticks are too coarse for a screen
// that costs a few milliseconds a minute).
double childSeconds(pid_t pid) {
  double total = 0;
  std::error_code ec;
  for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
    std::ifstream stat(task.path() / "schedstat");
    unsigned long long ns = 0;
    if (stat >> ns) total += static_cast<double>(ns) / 1e9;
  }
  return total;
}

long childKilobytes(pid_t pid, const char* field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
  }
  return -1;
}

void sleepSeconds(double s) { std::this_thread::sleep_for(std::chrono::duration<double>(s)); }

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Starts argv with the environment changed as given (an empty value
// removes the variable); standard error goes to errFile.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::pair<std::string, std::string>>& env,
            const std::filesystem::path& errFile) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  for (const auto& [name, value] : env) {
    if (value.empty()) {
      unsetenv(name.c_str());
    } else {
      setenv(name.c_str(), value.c_str(), 1);
    }
  }
  std::FILE* err = std::fopen(errFile.c_str(), "w");
  if (err != nullptr) dup2(fileno(err), STDERR_FILENO);
  std::FILE* out = std::fopen("/dev/null", "w");
  if (out != nullptr) dup2(fileno(out), STDOUT_FILENO);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

void stop(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    sleepSeconds(0.1);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

bool running(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == 0; }

// Percent of a core over each of `windows` windows of `seconds`.
std::vector<double> corePercents(pid_t pid, int windows, int seconds) {
  std::vector<double> out;
  for (int i = 0; i < windows && running(pid); ++i) {
    double cpu0 = childSeconds(pid);
    auto t0 = std::chrono::steady_clock::now();
    sleepSeconds(seconds);
    double cpu = childSeconds(pid) - cpu0;
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    out.push_back(100.0 * cpu / wall);
  }
  return out;
}

std::string list(const std::vector<double>& v) {
  std::ostringstream s;
  s.precision(3);
  for (size_t i = 0; i < v.size(); ++i) s << (i ? " " : "") << std::fixed << v[i];
  return s.str();
}

const char* verdict(bool met) { return met ? "met" : "NOT MET"; }

// The program's path, looked for in PATH and in /usr/games.
std::optional<std::filesystem::path> findProgram(const char* name) {
  const char* path = std::getenv("PATH");
  std::string dirs = std::string(path != nullptr ? path : "") + ":/usr/games";
  std::istringstream in(dirs);
  std::string dir;
  while (std::getline(in, dir, ':')) {
    std::filesystem::path candidate = std::filesystem::path(dir) / name;
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

void keys(const std::vector<const char*>& names) {
  for (const char* name : names) {
    pid_t pid = spawn({"xdotool", "key", name}, {}, "/dev/null");
    waitpid(pid, nullptr, 0);
    sleepSeconds(0.6);
  }
}

// The first frame's time from the program's debug log, in ms.
std::optional<double> firstFrame(const std::filesystem::path& log) {
  std::ifstream in(log);
  std::string line;
  while (std::getline(in, line)) {
    double ms = 0;
    if (std::sscanf(line.c_str(), "first frame presented %lf ms", &ms) == 1) return ms;
  }
  return std::nullopt;
}

struct ProgramFigures {
  double language = 0;  // medians, % of a core
  std::optional<double> still;
};

void programFigures(const std::filesystem::path& zubbatik, const std::filesystem::path& dataDir, int windows,
                    int seconds, const std::filesystem::path& work) {
  std::printf("\n%s: %d windows of %d s for each figure (processor of all its threads)\n",
              zubbatik.c_str(), windows, seconds);
  const bool xdotool = findProgram("xdotool").has_value();
  const std::filesystem::path log = work / "stderr.txt";
  auto args = [&](int scale) {
    std::filesystem::path state = work / "state";
    std::filesystem::remove_all(state);
    std::filesystem::create_directories(state);
    return std::vector<std::string>{zubbatik.string(), "--debug",  "--scale",   std::to_string(scale),
                                    "--data-dir",      dataDir.string(), "--state-dir", state.string()};
  };
  const std::vector<std::pair<std::string, std::string>> dummyAudio{{"SDL_AUDIODRIVER", "dummy"}};
  double languageAtOne = 0;
  long peakKb = 0;
  for (int scale : {1, 2}) {
    pid_t pid = spawn(args(scale), dummyAudio, log);
    sleepSeconds(2.5);
    std::vector<double> language = corePercents(pid, windows, seconds);
    std::vector<double> still;
    if (xdotool) {
      // Into the main menu, down to the records and open them: a screen
      // with nothing moving.
      keys({"Return"});
      sleepSeconds(1.5);
      keys({"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Return"});
      sleepSeconds(2.5);
      still = corePercents(pid, windows, seconds);
    }
    peakKb = std::max(peakKb, childKilobytes(pid, "VmHWM:"));
    long rss = childKilobytes(pid, "VmRSS:");
    stop(pid);
    double lang = median(language);
    double target = scale == 1 ? 0.3 : 0.4;
    std::printf("scale %d, animated language menu: median %.3f%% of a core (%s) [target under %.1f%%: %s]\n", scale,
                lang, list(language).c_str(), target, verdict(lang < target));
    if (xdotool) {
      double st = median(still);
      std::printf("scale %d, records screen (still):  median %.3f%% of a core (%s) [target under 0.05%%: %s]\n",
                  scale, st, list(still).c_str(), verdict(st < 0.05));
    } else {
      std::printf("scale %d, records screen (still):  skipped, needs xdotool\n", scale);
    }
    std::printf("scale %d, resident memory at the end: %ld kB\n", scale, rss);
    if (scale == 1) languageAtOne = lang;
  }
  std::printf("resident memory, peak of both runs: %ld kB [target under 16 MB: %s]\n", peakKb,
              verdict(peakKb >= 0 && peakKb < 16 * 1024));

  // First frames: with the dummy sound device, and with the machine's own
  // drivers (no sound card when /proc/asound/cards lists none).
  std::ifstream cards("/proc/asound/cards");
  std::string firstCard;
  std::getline(cards, firstCard);
  bool noCard = firstCard.empty() || firstCard.find("no soundcards") != std::string::npos;
  for (bool dummy : {true, false}) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
      pid_t pid = spawn(args(1), {{"SDL_AUDIODRIVER", dummy ? "dummy" : ""}}, log);
      sleepSeconds(1.5);
      stop(pid);
      if (auto ms = firstFrame(log)) times.push_back(*ms);
    }
    double m = median(times);
    std::printf("first frame, %s: median %.1f ms (%s) [target under 25 ms: %s]\n",
                dummy ? "dummy sound device" : noCard ? "own sound drivers, no sound card" : "own sound drivers",
                m, list(times).c_str(), verdict(!times.empty() && m < 25));
  }

  std::optional<std::filesystem::path> tuxtype = findProgram("tuxtype");
  if (!tuxtype) {
    std::printf("Tux Typing: not installed, no comparison\n");
    return;
  }
  pid_t pid = spawn({tuxtype->string(), "--window"}, dummyAudio, "/dev/null");
  sleepSeconds(5);
  std::vector<double> tux = corePercents(pid, windows, seconds);
  stop(pid);
  double t = median(tux);
  std::printf("Tux Typing, animated menu (--window): median %.3f%% of a core (%s)\n", t, list(tux).c_str());
  if (t > 0) {
    std::printf("zubbatik's language menu at scale 1 against Tux Typing's: %.2f [target at most 0.5: %s]\n",
                languageAtOne / t, verdict(languageAtOne / t <= 0.5));
  }
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = 10;
  int windows = 3;
  bool programs = true;
  std::filesystem::path zubbatik;
  std::filesystem::path dataDir;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--windows" && i + 1 < argc) {
      windows = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--zubbatik" && i + 1 < argc) {
      zubbatik = argv[++i];
    } else if (a == "--data-dir" && i + 1 < argc) {
      dataDir = argv[++i];
    } else if (a == "--in-process-only") {
      programs = false;
    } else if (!a.empty() && a[0] != '-') {
      seconds = std::max(1, std::atoi(a.c_str()));
    } else {
      std::fprintf(stderr,
                   "usage: zubbatik_window_bench [SECONDS] [--windows N] [--zubbatik PATH] [--data-dir DIR] "
                   "[--in-process-only]\n");
      return 2;
    }
  }
  // The program and its data set built beside this bench (bench/..).
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (zubbatik.empty()) zubbatik = self.parent_path().parent_path() / "zubbatik";
  if (dataDir.empty()) dataDir = zubbatik.parent_path();
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "zubbatik-window-bench";
  std::filesystem::create_directories(dir);
  zb::setDataDir(dir);

  // A grey palette and a 4-frame, 48 x 48 picture that changes every frame.
  std::vector<uint8_t> colours;
  for (int i = 0; i < 256; ++i) colours.insert(colours.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
  std::ofstream(dir / "bench.pal", std::ios::binary)
      .write(reinterpret_cast<const char*>(zb::paletteFileBytes(colours).data()), 10 + 1024);
  std::vector<zb::FrameData> frames;
  for (int f = 0; f < 4; ++f) {
    std::vector<uint8_t> pixels(48 * 48, static_cast<uint8_t>(40 + 40 * f));
    frames.push_back({48, 48, 0, 0, zb::encodeSprite(pixels.data(), 48, 48, zb::RowOrder::TopDown)});
  }
  auto bytes = zb::imageFileBytes(frames);
  std::ofstream(dir / "bench.im3", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                            static_cast<std::streamsize>(bytes.size()));

  zb::SdlPlatform platform;
  std::string error;
  if (!platform.createWindow({}, error)) {
    std::fprintf(stderr, "zubbatik_window_bench: %s\n", error.c_str());
    return 1;
  }
  zb::setPlatform(&platform);
  platform.setFrameSource([] {
    const zb::FrameBuffer& fb = zb::frameBuffer;
    return zb::FrameView{fb.pixels, fb.width, fb.height, static_cast<int>(fb.stride), fb.colourTable.data()};
  });
  if (!zb::createFrameBuffer("bench.pal")) return 1;
  std::fill_n(zb::frameBuffer.pixels, size_t{zb::frameBuffer.stride} * zb::frameBuffer.height, 128);
  zb::initAnimations();
  zb::Image image;
  image.load("bench.im3");
  platform.show();

  // Phase 1: idle with one looping animation.
  zb::startAnimation(image, 1, 300, 200, 100, zb::AnimSaveBackground | zb::AnimRestoreBackground);
  auto stopAt = [&](int s) {
    platform.loop().addTimer(static_cast<uint32_t>(s) * 1000, [](uint32_t) { zb::platform().destroyWindow(); }, 0);
  };
  double cpu0 = processSeconds();
  auto wall0 = std::chrono::steady_clock::now();
  stopAt(seconds);
  platform.run();
  double cpu = processSeconds() - cpu0;
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  std::printf("idle with one 100 ms animation: %.3f s of processor in %.2f s (%.2f%% of a core)\n", cpu, wall,
              100.0 * cpu / wall);
  std::printf("resident memory: %ld kB now, %ld kB peak\n", residentKilobytes("VmRSS:"),
              residentKilobytes("VmHWM:"));
  zb::setPlatform(nullptr);
  zb::releaseFrameBuffer();

  // Phase 2: lateness of a 40 ms periodic timer, in a fresh window.
  zb::SdlPlatform second;
  if (!second.createWindow({}, error)) return 1;
  zb::setPlatform(&second);
  second.show();
  latenessTimer = second.createTimer(40, tick, 0);
  second.loop().setLatenessObserver([&](zb::EventLoop::Micros late) { lateness.push_back(late / 1000.0); });
  second.loop().addTimer(static_cast<uint32_t>(seconds) * 1000, [](uint32_t) { zb::platform().destroyWindow(); }, 0);
  second.run();
  zb::setPlatform(nullptr);
  std::sort(lateness.begin(), lateness.end());
  auto pct = [&](double p) { return lateness.empty() ? 0.0 : lateness[static_cast<size_t>(p * (lateness.size() - 1))]; };
  std::printf(
      "lateness of 40 ms steps over %d s (%zu steps): p50 %.3f ms, p99 %.3f ms, max %.3f ms [target p99 under 2 ms: "
      "%s]\n",
      seconds, lateness.size(), pct(0.5), pct(0.99), lateness.empty() ? 0.0 : lateness.back(),
      verdict(pct(0.99) < 2.0));

  // Phase 3: a click 2.5 s after the last sound, when the device sleeps.
  {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    zb::SdlPlatform third;
    ClipWatch watch;
    third.loop().setWindowEvents(&watch);
    if (!third.createWindow({}, error)) return 1;
    zb::setPlatform(&third);
    third.show();
    if (third.waveOpen()) {
      third.createTimer(2500, giveClip, 0);
      third.loop().addTimer(6000, [](uint32_t) { zb::platform().destroyWindow(); }, 0);
      third.run();
      if (clipStartMs >= 0) {
        std::printf("click after the sound device slept: its samples taken %.3f ms after it was given "
                    "[target under 10 ms: %s]\n",
                    clipStartMs, verdict(clipStartMs < 10));
      } else {
        std::printf("click after the sound device slept: never played\n");
      }
    } else {
      std::printf("click after the sound device slept: no sound device\n");
    }
    zb::setPlatform(nullptr);
  }
  std::fflush(stdout);
  if (programs) {
    if (access(zubbatik.c_str(), X_OK) == 0) {
      programFigures(zubbatik, dataDir, windows, seconds, dir);
    } else {
      std::printf("\n%s not found: no figures of the program (give --zubbatik PATH)\n", zubbatik.c_str());
    }
  }
  std::filesystem::remove_all(dir);
  return 0;
}
