#include "engine/draw.h"

#include <algorithm>

#include "engine/framebuffer.h"
#include "platform/platform.h"

namespace zb {

namespace {

// A frame with no data bytes is drawn from an empty stream rather than
// refused: it is a picture of nothing, not a missing one.
const uint8_t kNoData = 0;

const uint8_t* dataOf(const ImageFrame& f) { return f.pixels ? f.pixels.get() : &kNoData; }

}  // namespace

void invalidateArea(int left, int top, int right, int bottom) {
  Platform& p = platform();
  int w = p.clientWidth();
  int h = p.clientHeight();
  Rect r{std::clamp(left, 0, w), std::clamp(top, 0, h), std::clamp(right, 0, w),
         std::clamp(bottom, 0, h)};
  p.invalidate(r);
}

bool drawImage(const Image& image, uint16_t x, uint16_t y, uint16_t frame) {
  const ImageFrame* f = image.frame(frame);
  if (f == nullptr) return false;
  if (!blitSprite(x, y, dataOf(*f), f->dataSize, f->width, f->height)) return false;
  invalidateArea(x, y, x + f->width, y + f->height);
  return true;
}

bool drawImagePart(const Image& image, uint16_t x, uint16_t y, uint16_t left, uint16_t top,
                   uint16_t right, uint16_t bottom, uint16_t frame) {
  const ImageFrame* f = image.frame(frame);
  if (f == nullptr) return false;
  if (!blitSpriteWindow(x, y, dataOf(*f), f->dataSize, f->width, f->height, left, top, right,
                        bottom))
    return false;
  invalidateArea(x + left, y + top, x + right, y + bottom);
  return true;
}

bool captureImage(Image& image, uint16_t x, uint16_t y, uint16_t width, uint16_t height) {
  if (!image.allocate(width, height)) return false;
  uint8_t* block = image.pixels(0);
  if (block == nullptr) return frameBuffer.pixels != nullptr;  // a 0-pixel capture
  return grabRaw(block, x, y, width, height);
}

bool putBackImage(const Image& image, uint16_t x, uint16_t y) {
  const uint8_t* block = image.pixels(0);
  if (block == nullptr) return false;
  const uint16_t w = image.width(0);
  const uint16_t h = image.height(0);
  if (!blitRaw(x, y, block, w, h)) return false;
  invalidateArea(x, y, x + w, y + h);
  return true;
}

bool drawGlyph(uint8_t code, const Image& image, uint16_t x, uint16_t y) {
  const ImageFrame* f = image.frame(code);
  if (f == nullptr) return true;
  if (blitSprite(x, y, dataOf(*f), f->dataSize, f->width, f->height))
    invalidateArea(x, y, x + f->width, y + f->height);
  return true;
}

bool drawGlyphColoured(uint8_t code, const Image& font, uint16_t x, uint16_t y, uint8_t colour,
                       uint8_t keyColour) {
  const ImageFrame* f = font.frame(code);
  if (f == nullptr) return true;
  if (blitSpriteRecoloured(x, y, dataOf(*f), f->dataSize, f->width, f->height, colour,
                           keyColour))
    invalidateArea(x, y, x + f->width, y + f->height);
  return true;
}

bool drawText(const char* text, const Image& font, uint16_t x, uint16_t y, uint8_t colour,
              uint8_t keyColour) {
  if (text == nullptr || font.empty()) return false;
  const int w0 = font.width(0);
  const int h0 = font.height(0);
  const int limit = frameBuffer.width;
  size_t n = 0;
  for (; text[n] != 0; ++n) {
    int64_t gx = x + int64_t(n) * w0;
    // Glyphs starting beyond the right edge cannot show; their position
    // would not even fit the 16-bit coordinate.
    if (gx >= limit) continue;
    const ImageFrame* f = font.frame(static_cast<uint8_t>(text[n]));
    if (f == nullptr) continue;
    blitSpriteRecoloured(static_cast<uint16_t>(gx), y, dataOf(*f), f->dataSize,
                         static_cast<uint16_t>(w0), static_cast<uint16_t>(h0), colour, keyColour);
  }
  int64_t right = std::min<int64_t>(x + int64_t(n) * w0, 0xFFFF);
  invalidateArea(x, y, static_cast<int>(right), y + h0);
  return true;
}

}  // namespace zb
