// Figures of the real window's event loop: the processor time it takes
// while one 100 ms looping animation runs, how late periodic steps of a
// 40 ms timer come, and the resident memory. Run it under a display (for
// example xvfb-run); it prints its figures and exits.
//
//   zubbatik_window_bench [SECONDS]
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
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

}  // namespace

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
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
  std::printf("lateness of 40 ms steps over %d s (%zu steps): p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", seconds,
              lateness.size(), pct(0.5), pct(0.99), lateness.empty() ? 0.0 : lateness.back());
  std::filesystem::remove_all(dir);
  return 0;
}
