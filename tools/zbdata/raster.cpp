#include "raster.h"

#include <algorithm>

namespace zbdata {

void Raster::fill(int x, int y, int w, int h, uint8_t c) {
  for (int row = std::max(y, 0); row < std::min(y + h, height_); ++row)
    for (int col = std::max(x, 0); col < std::min(x + w, width_); ++col) pixels_[size_t(row) * width_ + col] = c;
}

void Raster::roundRect(int x, int y, int w, int h, int r, uint8_t c) {
  r = std::max(0, std::min({r, w / 2, h / 2}));
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col) {
      // Distance of the pixel centre from the centre of its corner's arc,
      // for pixels in a corner square; the 0.3 keeps single pixels from
      // poking out of small arcs.
      double cx = col + 0.5, cy = row + 0.5;
      double ax = cx < r ? r : cx > w - r ? w - r : cx;
      double ay = cy < r ? r : cy > h - r ? h - r : cy;
      double dx = cx - ax, dy = cy - ay;
      if (dx * dx + dy * dy <= (r - 0.3) * (r - 0.3) + 0.5 || (dx == 0 || dy == 0)) set(x + col, y + row, c);
    }
}

void Raster::draw(const Raster& other, int x, int y) {
  for (int row = 0; row < other.height_; ++row)
    for (int col = 0; col < other.width_; ++col) {
      uint8_t v = other.pixels_[size_t(row) * other.width_ + col];
      if (v != kTransparent) set(x + col, y + row, v);
    }
}

void Raster::drawIn(const Raster& other, int x, int y, uint8_t c) {
  for (int row = 0; row < other.height_; ++row)
    for (int col = 0; col < other.width_; ++col)
      if (other.pixels_[size_t(row) * other.width_ + col] != kTransparent) set(x + col, y + row, c);
}

void Raster::replace(uint8_t from, uint8_t to) { std::replace(pixels_.begin(), pixels_.end(), from, to); }

zb::FrameData Raster::frame() const {
  auto w = static_cast<uint16_t>(width_);
  auto h = static_cast<uint16_t>(height_);
  return zb::FrameData{w, h, 0, 0, zb::encodeSprite(pixels_.data(), w, h, zb::RowOrder::TopDown)};
}

}  // namespace zbdata
