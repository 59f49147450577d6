#include "engine_fixture.h"

#include <cmath>
#include <fstream>
#include <iterator>

#include "engine/files.h"
#include "modes/keyboard.h"
#include "engine/sound.h"
#include "engine/writers.h"
#include "persist/records.h"
#include "persist/settings.h"
#include "shell/png_writer.h"

namespace zb::test {

namespace {

std::filesystem::path hostPath(std::string_view enginePath) { return dataPath(enginePath); }

void writeHostFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

}  // namespace

DecodedSprite decodeSprite(const ImageFrame& f) {
  DecodedSprite d;
  const size_t total = size_t(f.width) * f.height;
  Bytes stream;
  const uint8_t* p = f.pixels.get();
  size_t i = 0;
  while (p != nullptr && i < f.dataSize && stream.size() < total) {
    uint8_t t = p[i++];
    if (t >= 1 && t <= 15) {
      if (i + 1 + t > f.dataSize) break;
      int repeats = p[i++] + 1;
      for (int k = 0; k < repeats; ++k) stream.insert(stream.end(), p + i, p + i + t);
      i += t;
    } else {
      stream.push_back(t);
    }
  }
  d.exact = stream.size() == total && i == f.dataSize;
  stream.resize(total, 255);
  d.pixels.resize(total);
  for (size_t n = 0; n < total; ++n) {
    size_t row = f.height - 1 - n / f.width, col = n % f.width;
    d.pixels[row * f.width + col] = stream[n];
  }
  return d;
}

void resetKeyboardPanel() {
  std::destroy_at(&keyboardPanel);
  std::construct_at(&keyboardPanel);
}

const Image& ImageCache::operator()(const std::string& path) {
  auto& slot = images_[path];
  if (!slot) {
    slot = std::make_unique<Image>();
    EXPECT_TRUE(slot->load(path)) << path;
  }
  return *slot;
}

Bytes readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes greyPalette(int count) {
  Bytes colours;
  for (int i = 0; i < count; ++i) {
    uint8_t g = static_cast<uint8_t>(i);
    colours.insert(colours.end(), {g, g, g, 0});
  }
  return paletteFileBytes(colours);
}

void EngineTest::SetUp() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "zb-engine-test-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  dir = pattern;
  setDataDir(dir);
  setStateDir(dir);
  setPlatform(&platform);
  releaseFrameBuffer();
  settings = Settings{};
  recordTable = RecordTable{};
  soundState = kSoundStopped;
  soundAvailable = false;
}

void EngineTest::TearDown() {
  if (HasFailure() && frameBuffer.pixels != nullptr) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string file = dumpFrame(std::string(info->test_suite_name()) + "." + info->name(), true);
    if (!file.empty()) std::fprintf(stderr, "frame buffer written to %s\n", file.c_str());
  }
  releaseFrameBuffer();
  soundState = kSoundStopped;
  setPlatform(nullptr);
  setDataDir(".");
  setStateDir(".");
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

void EngineTest::writeDataFile(std::string_view enginePath, const Bytes& bytes) {
  writeHostFile(hostPath(enginePath), bytes);
}

void EngineTest::removeDataFile(std::string_view enginePath) {
  std::filesystem::remove(hostPath(enginePath));
}

void EngineTest::writeStateFile(std::string_view name, const Bytes& bytes) {
  writeHostFile(statePath(name), bytes);
}

Bytes EngineTest::readStateFile(std::string_view name) { return readFile(statePath(name)); }

void EngineTest::makeFrameBuffer(uint8_t colour) {
  writeDataFile("Zubbatik.pal", greyPalette());
  ASSERT_TRUE(createFrameBuffer("Zubbatik.pal"));
  fill(colour);
}

void EngineTest::fill(uint8_t colour) {
  std::fill_n(frameBuffer.pixels, size_t(frameBuffer.stride) * frameBuffer.height, colour);
}

Bytes EngineTest::area(int x, int y, int w, int h) const {
  Bytes out;
  for (int row = y; row < y + h; ++row)
    for (int col = x; col < x + w; ++col) out.push_back(pixel(col, row));
  return out;
}

bool writeFramePng(const std::filesystem::path& path, const FrameBuffer& fb) {
  IndexedPicture picture{fb.pixels, fb.width, fb.height, static_cast<int>(fb.stride), true,
                         fb.colourTable.data()};
  std::string error;
  return writePng(path, picture, error);
}

std::string EngineTest::dumpFrame(const std::string& name, bool force) const {
  const char* folder = std::getenv("ZB_FRAME_DIR");
  std::filesystem::path out;
  if (folder != nullptr && *folder != 0) {
    out = std::filesystem::path(folder) / (name + ".png");
  } else if (force) {
    out = std::filesystem::temp_directory_path() / (name + ".png");
  } else {
    return {};
  }
  return writeFramePng(out, frameBuffer) ? out.string() : std::string();
}

double contrast(uint8_t a, uint8_t b) {
  auto luminance = [](uint8_t index) {
    const uint8_t* c = &frameBuffer.colourTable[index * 4u];  // blue, green, red
    auto linear = [](uint8_t v) {
      double s = v / 255.0;
      return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c[2]) + 0.7152 * linear(c[1]) + 0.0722 * linear(c[0]);
  };
  double la = luminance(a) + 0.05, lb = luminance(b) + 0.05;
  return la > lb ? la / lb : lb / la;
}

}  // namespace zb::test
