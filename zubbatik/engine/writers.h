// Writers for every data format zubbatik reads, for the data builder and
// the tests. What a writer produces, loaded and written again, gives the
// same bytes. Fields a loader does not interpret are written as 0.
// The settings and records files are written by their own savers
// (persist/settings.h, persist/records.h), the key geometry and layout
// files beside the keyboard (modes/keyboard_files.h).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zb {

class Image;
class TextList;
class Sound;

enum class RowOrder : uint8_t { BottomUp, TopDown };

// Run-codes width x height pixel values (given as rows of width bytes, in
// the stated order) into sprite data. 255 stays transparent and 254 a
// shade pixel. Repeats become pattern runs; everything else is literal,
// except that colours 1 to 15 (which cannot be literals) always travel
// inside a pattern run.
std::vector<uint8_t> encodeSprite(const uint8_t* pixels, uint16_t width, uint16_t height,
                                  RowOrder order);

// Palette file from entries of blue, green, red, reserved (colours.size()
// must be a multiple of 4, at most 65535 entries).
std::vector<uint8_t> paletteFileBytes(std::span<const uint8_t> colours);

// One frame of an .im3 file: its size, offsets and sprite data (or, for
// captured frames, uncoded pixels).
struct FrameData {
  uint16_t width = 0;
  uint16_t height = 0;
  uint16_t offsetX = 0;
  uint16_t offsetY = 0;
  std::vector<uint8_t> data;
};
// At most 65535 frames.
std::vector<uint8_t> imageFileBytes(std::span<const FrameData> frames);
std::vector<uint8_t> imageFileBytes(const Image& image);

std::vector<uint8_t> textListFileBytes(std::span<const std::string> strings);
std::vector<uint8_t> textListFileBytes(const TextList& list);

std::vector<uint8_t> descriptorFileBytes(std::span<const uint8_t> payload);

std::vector<uint8_t> soundFileBytes(std::span<const uint8_t> samples);
std::vector<uint8_t> soundFileBytes(const Sound& sound);

// Builds a descriptor payload field by field, little-endian.
class PayloadBuilder {
 public:
  PayloadBuilder& u8(uint8_t v);
  PayloadBuilder& u16(uint16_t v);
  PayloadBuilder& u32(uint32_t v);
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace zb
