// A small GIF89a writer for the program's background picture: Qt reads GIF
// but does not write it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pirvo3 {

// Writes one LZW-compressed image of palette indices (row by row, top
// first) with a global palette of up to 256 colours (0xRRGGBB).
bool writeGif(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& indices, const std::vector<std::uint32_t>& palette);

// The same, into memory.
std::vector<std::uint8_t> encodeGif(int width, int height, const std::vector<std::uint8_t>& indices,
                                    const std::vector<std::uint32_t>& palette);

}  // namespace pirvo3
