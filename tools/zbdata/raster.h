// Pixel drawing straight in palette indices, for the pixel art of the
// data set (key caps, keyboard bodies, labels): what is drawn is exactly
// what the program shows, with no colour mapping in between.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/writers.h"

namespace zbdata {

inline constexpr uint8_t kTransparent = 255;
inline constexpr uint8_t kShade = 254;
inline constexpr uint8_t kGlyphColour = 16;

class Raster {
 public:
  Raster() = default;
  Raster(int width, int height, uint8_t fill = kTransparent)
      : width_(width), height_(height), pixels_(size_t(width) * height, fill) {}

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }
  uint8_t at(int x, int y) const {
    return inside(x, y) ? pixels_[size_t(y) * width_ + x] : kTransparent;
  }
  void set(int x, int y, uint8_t c) {
    if (inside(x, y)) pixels_[size_t(y) * width_ + x] = c;
  }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  void fill(int x, int y, int w, int h, uint8_t c);
  // A rectangle with corners rounded to radius r.
  void roundRect(int x, int y, int w, int h, int r, uint8_t c);
  // Copies the pixels of other that are not transparent to (x, y).
  void draw(const Raster& other, int x, int y);
  // Like draw, with every non-transparent pixel in one colour.
  void drawIn(const Raster& other, int x, int y, uint8_t c);
  // Replaces colour from by to everywhere.
  void replace(uint8_t from, uint8_t to);

  // The raster as an .im3 frame (run-coded).
  zb::FrameData frame() const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> pixels_;
};

}  // namespace zbdata
