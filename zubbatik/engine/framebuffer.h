// The frame buffer, its palette and the five routines that move pixels
// into and out of it.
//
// zubbatik draws every pixel itself into one 8-bit palette-indexed picture
// the size of the window's client area (630 x 440). Rows are stored
// bottom-up: memory row 0 is the bottom line of the window, and the byte
// of window pixel (x, y) is at pixels + (height - 1 - y) * stride + x.
// Every pixel block handed to or taken from the routines below stores its
// rows bottom-up as well.
//
// Sprite data is a run-coded pixel stream, bottom row first, left to right,
// tokens free to continue across the end of a row:
//   1..15       pattern run: next byte k, then t pattern bytes, emitted k+1 times
//   0, 16..253  one pixel of that colour
//   254         a shade pixel (darkens what is under it; blitSprite only)
//   255         a transparent pixel
// Bytes inside a pattern go through the same pixel rule as literals.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace zb {

// One entry of the logical palette, in the order of a Windows PALETTEENTRY.
struct PaletteEntry {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t flags = 0;
  bool operator==(const PaletteEntry&) const = default;
};
// The flag every entry taken from the palette file carries.
inline constexpr uint8_t kPaletteNoCollapse = 0x04;

inline constexpr int kPaletteFileHeaderSize = 10;

// The palette file ("Zubbatik.pal"): 2 bytes not interpreted, an 8-byte
// header whose bytes 2..3 hold the entry count N, then N entries of blue,
// green, red, reserved.
struct PaletteFile {
  uint16_t count = 0;            // N as the header states it
  std::vector<uint8_t> colours;  // 4 x N bytes; entries the file lacks are black
  // Reads the file at the data path of path. False only when it cannot be
  // opened; a file cut short leaves the missing entries black.
  bool load(std::string_view path);
};

struct FrameBuffer {
  uint16_t width = 0;   // client width at creation; 0 until created
  uint16_t height = 0;  // client height at creation; 0 until created
  uint32_t stride = 0;  // (width + 3) & ~3
  uint8_t* pixels = nullptr;  // null until created; owned through memory
  std::unique_ptr<uint8_t[]> memory;
  // The window's colour table: the palette file's first 256 entries, four
  // bytes each (blue, green, red, reserved). The backends present the
  // picture through it.
  std::array<uint8_t, 1024> colourTable{};
  // The logical palette: N entries; 16 .. N-17 come from the file with
  // kPaletteNoCollapse, the others stay black with no flags.
  std::vector<PaletteEntry> palette;

  // Address of window pixel (x, y); the caller keeps (x, y) inside.
  uint8_t* at(int x, int y) const { return pixels + size_t(height - 1 - y) * stride + x; }
};

// The one frame buffer of the program.
extern FrameBuffer frameBuffer;

// Builds the palette and the pixel memory, sized to the platform's client
// area. False when the palette file cannot be read, states no entries, or
// memory runs out; the previous frame buffer then stays as it was.
// The pixels start at 0.
bool createFrameBuffer(std::string_view paletteFileName);
// Frees the pixels and the palette; every pixel routine fails afterwards.
void releaseFrameBuffer();

// The pixel routines. Each returns false, touching nothing, when the frame
// buffer does not exist or the pixel block is null; none invalidates the
// window. A rectangle reaching past the right or bottom edge of the frame
// buffer is clipped to it: only the pixels inside are written or read.
//
// Copies an uncoded rectangle (rows of width bytes, bottom row first) to (x, y).
bool blitRaw(uint16_t x, uint16_t y, const uint8_t* pixels, uint16_t width, uint16_t height);
// Copies the rectangle at (x, y) out into an uncoded block (bottom row
// first). Parts of the block outside the frame buffer are left as they are.
bool grabRaw(uint8_t* pixels, uint16_t x, uint16_t y, uint16_t width, uint16_t height);

// The sprite routines decode at most dataSize bytes of data and write at
// most width x height pixels, however the stream is made up: a stream that
// ends early leaves the rest of the rectangle untouched, and a token that
// runs past the last row is cut there.
//
// Transparency and shading.
bool blitSprite(uint16_t x, uint16_t y, const uint8_t* data, uint32_t dataSize,
                uint16_t width, uint16_t height);
// Writes only the pixels in columns left <= c < right and rows counted from
// the sprite's top top <= t < bottom; transparency, 254 written as a colour.
bool blitSpriteWindow(uint16_t x, uint16_t y, const uint8_t* data, uint32_t dataSize,
                      uint16_t width, uint16_t height, uint16_t left, uint16_t top,
                      uint16_t right, uint16_t bottom);
// Pixels equal to keyColour are written as colour; transparency, 254
// written as a colour.
bool blitSpriteRecoloured(uint16_t x, uint16_t y, const uint8_t* data, uint32_t dataSize,
                          uint16_t width, uint16_t height, uint8_t colour, uint8_t keyColour);

// What a shade pixel makes of the byte d under it: five steps darker within
// its group of sixteen, stopping at the group's first index.
constexpr uint8_t shadePixel(uint8_t d) {
  return (d & 0x0F) < 5 ? static_cast<uint8_t>(d & 0xF0) : static_cast<uint8_t>(d - 5);
}

}  // namespace zb
