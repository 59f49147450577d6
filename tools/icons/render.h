// Rendering an SVG icon into pixels with librsvg and cairo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tticon {

// A square picture in straight (not premultiplied) RGBA, byte order R, G,
// B, A, rows top to bottom with no padding.
struct Rgba {
  int size = 0;
  std::vector<uint8_t> bytes;
};

// Renders the whole document of `svgPath` scaled to size x size pixels.
// On failure returns false and says why in `error`.
bool render(const std::string& svgPath, int size, Rgba& out, std::string& error);

// Writes the picture as a PNG. On failure returns false with `error` set.
bool writePng(const Rgba& picture, const std::string& path, std::string& error);

// The text of a C++ header holding the picture as
// `inline constexpr int <symbol>Size` and
// `inline constexpr unsigned char <symbol>Pixels[]`.
std::string headerText(const Rgba& picture, const std::string& symbol, const std::string& source);

}  // namespace tticon
