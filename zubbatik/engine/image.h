// Pictures: every picture, cursor, flag, transition, key cap and font of
// zubbatik is an Image loaded from an .im3 file.
//
// .im3 (little-endian, no magic): frameCount (2 bytes), then frameCount
// records, each a 12-byte header (dataSize 4, width 2, height 2, offsetX 2,
// offsetY 2) followed directly by dataSize bytes of sprite data.
// Fonts are Images whose frame c is the glyph of byte value c.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zb {

inline constexpr int kFrameHeaderSize = 12;

struct FreeBytes {
  void operator()(uint8_t* p) const { std::free(p); }
};
using ByteBlock = std::unique_ptr<uint8_t[], FreeBytes>;

struct ImageFrame {
  uint32_t dataSize = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  uint16_t offsetX = 0;  // added to an animation position modulo 65536
  uint16_t offsetY = 0;
  // dataSize bytes: sprite data for frames read from a file, uncoded
  // pixels (bottom row first) for frames made by allocate or captureImage.
  // Null when dataSize is 0.
  ByteBlock pixels;
};

// The file name of member `number` of a numbered family: the number goes
// in front of the last '.' ("GDATA\\GRNDS\\gmgrd.im3", 3 ->
// "GDATA\\GRNDS\\gmgrd3.im3"); a path without a dot gets it appended.
// The path is cut to 127 characters first, and so is the result.
std::string numberedFileName(std::string_view path, uint16_t number);

class Image {
 public:
  Image() = default;
  ~Image() = default;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  Image(Image&&) = default;
  Image& operator=(Image&&) = default;

  // Loads an .im3 file. Asked again for the path it holds, it succeeds at
  // once without touching the file. A file that cannot be opened fails and
  // leaves the Image as it was. A file cut short is not refused: frames
  // then hold what the file had (a frame's dataSize shrinks to the bytes
  // actually there; frames whose header is missing are empty).
  bool load(std::string_view path);
  bool loadNumbered(std::string_view path, uint16_t number);
  // Releases everything and makes one blank frame of width x height
  // (pixels 0, offsets 0); false, leaving the Image empty, when memory runs out.
  bool allocate(uint16_t width, uint16_t height);
  // Frees every frame and forgets the path.
  void release();

  uint16_t frameCount() const { return static_cast<uint16_t>(frames_.size()); }
  bool empty() const { return frames_.empty(); }
  // Frame fields; a frame at or beyond frameCount reads as 0 / null.
  const ImageFrame* frame(uint16_t f) const { return f < frames_.size() ? &frames_[f] : nullptr; }
  uint16_t width(uint16_t f) const { return f < frames_.size() ? frames_[f].width : 0; }
  uint16_t height(uint16_t f) const { return f < frames_.size() ? frames_[f].height : 0; }
  uint16_t offsetX(uint16_t f) const { return f < frames_.size() ? frames_[f].offsetX : 0; }
  uint16_t offsetY(uint16_t f) const { return f < frames_.size() ? frames_[f].offsetY : 0; }
  uint32_t dataSize(uint16_t f) const { return f < frames_.size() ? frames_[f].dataSize : 0; }
  const uint8_t* pixels(uint16_t f) const {
    return f < frames_.size() ? frames_[f].pixels.get() : nullptr;
  }
  uint8_t* pixels(uint16_t f) { return f < frames_.size() ? frames_[f].pixels.get() : nullptr; }

  // The path of the last successful open; nullopt when empty.
  const std::optional<std::string>& fileName() const { return fileName_; }

 private:
  std::vector<ImageFrame> frames_;
  std::optional<std::string> fileName_;
};

}  // namespace zb
