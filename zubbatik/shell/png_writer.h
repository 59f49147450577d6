// Writes 8-bit palette pictures as PNG files (screen shots, contact sheets).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace zb {

struct IndexedPicture {
  const uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  bool bottomUp = false;             // true: the first row in memory is the bottom line
  const uint8_t* colours = nullptr;  // 256 entries of blue, green, red, reserved
};

// Writes the picture as a paletted PNG (the indices kept, the colours
// applied by any viewer). On failure returns false and says why in error.
bool writePng(const std::filesystem::path& path, const IndexedPicture& picture, std::string& error);

}  // namespace zb
