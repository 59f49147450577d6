#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/files.h"
#include "engine/framebuffer.h"
#include "engine/writers.h"

namespace zb::fuzz {

namespace {

const std::filesystem::path& runFolder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    std::filesystem::path f = base / ("zb-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(f);
    setDataDir(f);
    setStateDir(f);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(dataDir(), ignored);
    });
    return f;
  }();
  return folder;
}

}  // namespace

void writeInput(std::string_view name, const uint8_t* data, size_t size) {
  runFolder();
  std::filesystem::path path = dataPath(name);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  if (!out.good()) broken("cannot write the input file");
}

void ensureFrameBuffer() {
  if (frameBuffer.pixels != nullptr) return;
  runFolder();
  std::vector<uint8_t> colours;
  for (int i = 0; i < 256; ++i) colours.insert(colours.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
  std::vector<uint8_t> file = paletteFileBytes(colours);
  writeInput("grey.pal", file.data(), file.size());
  if (!createFrameBuffer("grey.pal")) broken("cannot build the frame buffer");
}

void broken(const char* what) {
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

}  // namespace zb::fuzz
