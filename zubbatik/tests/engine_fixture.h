// Shared set-up of the engine tests: a headless platform, a fresh folder
// serving as both data and state folder, and every engine global reset.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/framebuffer.h"
#include "engine/image.h"
#include "platform/headless/headless_platform.h"

namespace zb::test {

using Bytes = std::vector<uint8_t>;

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes bytes to the data file named by an engine path ("MDATA\\x.im3"),
  // creating its folders.
  void writeDataFile(std::string_view enginePath, const Bytes& bytes);
  void removeDataFile(std::string_view enginePath);
  // Writes bytes to a file of the state folder.
  void writeStateFile(std::string_view name, const Bytes& bytes);
  Bytes readStateFile(std::string_view name);

  // Builds the frame buffer from a 256-entry grey palette and fills it
  // with one colour.
  void makeFrameBuffer(uint8_t fill = 0x40);
  void fill(uint8_t colour);
  uint8_t pixel(int x, int y) const { return *frameBuffer.at(x, y); }
  // The pixels of a rectangle, top row first.
  Bytes area(int x, int y, int w, int h) const;
  // Writes the frame buffer as a PNG beside the test's folder name when
  // ZB_FRAME_DIR is set, and always when called with force (on a failed
  // comparison); returns the file written, if any.
  std::string dumpFrame(const std::string& name, bool force = false) const;

  std::filesystem::path dir;
  HeadlessPlatform platform;
};

Bytes readFile(const std::filesystem::path& path);
// Writes a frame buffer as a PNG picture, for looking at what a test drew.
bool writeFramePng(const std::filesystem::path& path, const FrameBuffer& fb);
// The palette file of the tests: entry i is grey level i (B = G = R = i).
Bytes greyPalette(int count = 256);

// WCAG contrast of two colours of the frame buffer's palette.
double contrast(uint8_t a, uint8_t b);

// A frame's sprite data decoded, top row first, pixels the stream leaves
// out transparent (255). exact: the stream fills the frame to its last
// pixel and ends there.
struct DecodedSprite {
  Bytes pixels;
  bool exact = false;
};
DecodedSprite decodeSprite(const ImageFrame& frame);

// The keyboard panel is one object for the whole program; tests start
// from a new one so that nothing remembered leaks from the previous test.
void resetKeyboardPanel();

// Pictures of the data set, each loaded once on first use.
class ImageCache {
 public:
  const Image& operator()(const std::string& path);

 private:
  std::map<std::string, std::unique_ptr<Image>> images_;
};

}  // namespace zb::test
