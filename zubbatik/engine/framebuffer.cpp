#include "engine/framebuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/files.h"
#include "platform/platform.h"

namespace zb {

FrameBuffer frameBuffer;

bool PaletteFile::load(std::string_view path) {
  FileReader file;
  if (!file.open(dataPath(path))) return false;
  uint8_t header[kPaletteFileHeaderSize] = {};
  file.read(header, sizeof header);
  count = getU16(header + 4);
  colours.assign(size_t{count} * 4, 0);
  file.read(colours.data(), colours.size());
  return true;
}

bool createFrameBuffer(std::string_view paletteFileName) {
  PaletteFile file;
  if (!file.load(paletteFileName) || file.count == 0) return false;

  std::vector<PaletteEntry> palette(file.count);
  for (int i = 16; i <= int{file.count} - 17; ++i) {
    const uint8_t* c = &file.colours[size_t(i) * 4];
    palette[i] = {c[2], c[1], c[0], kPaletteNoCollapse};
  }

  int width = platform().clientWidth();
  int height = platform().clientHeight();
  if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) return false;
  uint32_t stride = (uint32_t(width) + 3) & ~3u;
  std::unique_ptr<uint8_t[]> memory(new (std::nothrow) uint8_t[size_t{stride} * height]());
  if (!memory) return false;

  FrameBuffer& fb = frameBuffer;
  fb.colourTable.fill(0);
  std::memcpy(fb.colourTable.data(), file.colours.data(),
              std::min(fb.colourTable.size(), file.colours.size()));
  fb.palette = std::move(palette);
  fb.memory = std::move(memory);
  fb.pixels = fb.memory.get();
  fb.width = static_cast<uint16_t>(width);
  fb.height = static_cast<uint16_t>(height);
  fb.stride = stride;
  return true;
}

void releaseFrameBuffer() {
  frameBuffer.pixels = nullptr;
  frameBuffer.memory.reset();
  frameBuffer.width = 0;
  frameBuffer.height = 0;
  frameBuffer.stride = 0;
  frameBuffer.palette.clear();
  frameBuffer.colourTable.fill(0);
}

namespace {

// The part of a w x h rectangle at (x, y) that lies inside the frame
// buffer, in the rectangle's own coordinates: columns [c0, c1) and rows
// counted from its bottom line [r0, r1). Only the right and bottom edges
// can cut, since coordinates are unsigned.
struct Visible {
  int c0 = 0, c1 = 0, r0 = 0, r1 = 0;
  bool empty() const { return c0 >= c1 || r0 >= r1; }
};

Visible visiblePart(int x, int y, int w, int h) {
  const FrameBuffer& fb = frameBuffer;
  Visible v;
  v.c1 = std::clamp(fb.width - x, 0, w);
  v.r0 = std::clamp(y + h - fb.height, 0, h);
  v.r1 = h;
  return v;
}

// Memory row of the rectangle's row r (counted from its bottom line); only
// meaningful for visible rows.
uint8_t* rowAddress(int x, int y, int h, int r) {
  const FrameBuffer& fb = frameBuffer;
  return fb.pixels + size_t(fb.height - y - h + r) * fb.stride + x;
}

// The three pixel rules.
struct SpriteRule {
  void operator()(uint8_t* p, uint8_t v) const {
    if (v == 255) return;
    *p = v == 254 ? shadePixel(*p) : v;
  }
};
struct OpaqueRule {
  void operator()(uint8_t* p, uint8_t v) const {
    if (v != 255) *p = v;
  }
};
struct RecolourRule {
  uint8_t colour;
  uint8_t key;
  void operator()(uint8_t* p, uint8_t v) const {
    if (v == 255) return;
    *p = v == key ? colour : v;
  }
};

// Where decoded pixels go. The unclipped target walks one pointer through
// the rectangle; the clipped one recomputes the row address at each row
// start and drops pixels outside the visible part.
template <class Rule>
class DirectTarget {
 public:
  DirectTarget(int x, int y, int w, int h, Rule rule)
      : p_(rowAddress(x, y, h, 0)), w_(w), h_(h),
        jump_(ptrdiff_t(frameBuffer.stride) - w), rule_(rule) {}
  // False once the last pixel of the rectangle has been written.
  bool emit(uint8_t v) {
    rule_(p_, v);
    ++p_;
    if (++c_ < w_) return true;
    c_ = 0;
    if (++r_ == h_) return false;
    p_ += jump_;
    return true;
  }

 private:
  uint8_t* p_;
  int c_ = 0, r_ = 0;
  int w_, h_;
  ptrdiff_t jump_;
  Rule rule_;
};

template <class Rule>
class ClippedTarget {
 public:
  ClippedTarget(int x, int y, int w, int h, Visible vis, Rule rule)
      : x_(x), y_(y), w_(w), h_(h), vis_(vis), rule_(rule) {
    enterRow();
  }
  bool emit(uint8_t v) {
    if (row_ != nullptr && c_ >= vis_.c0 && c_ < vis_.c1) rule_(row_ + c_, v);
    if (++c_ < w_) return true;
    c_ = 0;
    // No row at or above r1 is visible, so decoding can end there.
    if (++r_ >= vis_.r1) return false;
    enterRow();
    return true;
  }

 private:
  void enterRow() { row_ = r_ >= vis_.r0 ? rowAddress(x_, y_, h_, r_) : nullptr; }

  uint8_t* row_ = nullptr;
  int c_ = 0, r_ = 0;
  int x_, y_, w_, h_;
  Visible vis_;
  Rule rule_;
};

// The one decoder of the three sprite routines: a single pass over the
// stream, never reading at or past end.
template <class Target>
void decode(const uint8_t* src, const uint8_t* end, Target& target) {
  while (src < end) {
    uint8_t t = *src++;
    if (static_cast<uint8_t>(t - 1) < 15) {
      // A pattern run cut off by the end of the data is dropped whole.
      if (end - src < 1 + t) return;
      int repeats = src[0] + 1;
      const uint8_t* pattern = src + 1;
      src += 1 + t;
      for (int k = 0; k < repeats; ++k)
        for (int i = 0; i < t; ++i)
          if (!target.emit(pattern[i])) return;
    } else if (!target.emit(t)) {
      return;
    }
  }
}

template <class Rule>
bool blitCoded(uint16_t x, uint16_t y, const uint8_t* data, uint32_t dataSize, uint16_t width,
               uint16_t height, Visible vis, Rule rule) {
  if (vis.empty()) return true;
  const uint8_t* end = data + dataSize;
  if (vis.c0 == 0 && vis.c1 == width && vis.r0 == 0 && vis.r1 == height) {
    DirectTarget<Rule> target(x, y, width, height, rule);
    decode(data, end, target);
  } else {
    ClippedTarget<Rule> target(x, y, width, height, vis, rule);
    decode(data, end, target);
  }
  return true;
}

bool ready(const void* block) { return frameBuffer.pixels != nullptr && block != nullptr; }

// Copies a rectangle of rows n bytes wide. Sprite-sized rows are short,
// and a library memcpy call per row costs more than the copy itself, so
// rows up to a few hundred bytes are moved in fixed 32-byte pieces (the
// last one overlapping the one before), which the compiler turns into
// plain vector moves.
void copyRows(uint8_t* to, ptrdiff_t toStep, const uint8_t* from, ptrdiff_t fromStep, int rows,
              size_t n) {
  if (n > 256) {
    for (int r = 0; r < rows; ++r, to += toStep, from += fromStep) std::memcpy(to, from, n);
  } else if (n >= 32) {
    for (int r = 0; r < rows; ++r, to += toStep, from += fromStep) {
      for (size_t i = 0; i + 32 < n; i += 32) std::memcpy(to + i, from + i, 32);
      std::memcpy(to + n - 32, from + n - 32, 32);
    }
  } else if (n >= 16) {
    for (int r = 0; r < rows; ++r, to += toStep, from += fromStep) {
      std::memcpy(to, from, 16);
      std::memcpy(to + n - 16, from + n - 16, 16);
    }
  } else if (n >= 8) {
    for (int r = 0; r < rows; ++r, to += toStep, from += fromStep) {
      std::memcpy(to, from, 8);
      std::memcpy(to + n - 8, from + n - 8, 8);
    }
  } else {
    for (int r = 0; r < rows; ++r, to += toStep, from += fromStep)
      for (size_t i = 0; i < n; ++i) to[i] = from[i];
  }
}

}  // namespace

bool blitRaw(uint16_t x, uint16_t y, const uint8_t* pixels, uint16_t width, uint16_t height) {
  if (!ready(pixels)) return false;
  Visible vis = visiblePart(x, y, width, height);
  if (vis.empty()) return true;
  copyRows(rowAddress(x, y, height, vis.r0), frameBuffer.stride, pixels + size_t(vis.r0) * width,
           width, vis.r1 - vis.r0, size_t(vis.c1 - vis.c0));
  return true;
}

bool grabRaw(uint8_t* pixels, uint16_t x, uint16_t y, uint16_t width, uint16_t height) {
  if (!ready(pixels)) return false;
  Visible vis = visiblePart(x, y, width, height);
  if (vis.empty()) return true;
  copyRows(pixels + size_t(vis.r0) * width, width, rowAddress(x, y, height, vis.r0),
           frameBuffer.stride, vis.r1 - vis.r0, size_t(vis.c1 - vis.c0));
  return true;
}

bool blitSprite(uint16_t x, uint16_t y, const uint8_t* data, uint32_t dataSize, uint16_t width,
                uint16_t height) {
  if (!ready(data)) return false;
  return blitCoded(x, y, data, dataSize, width, height, visiblePart(x, y, width, height),
                   SpriteRule{});
}

bool blitSpriteWindow(uint16_t x, uint16_t y, const uint8_t* data, uint32_t dataSize,
                      uint16_t width, uint16_t height, uint16_t left, uint16_t top,
                      uint16_t right, uint16_t bottom) {
  if (!ready(data)) return false;
  // The window is given in columns and rows from the sprite's top; row t
  // from the top is row height - 1 - t from the bottom.
  Visible vis = visiblePart(x, y, width, height);
  vis.c0 = std::max<int>(vis.c0, left);
  vis.c1 = std::min<int>(vis.c1, right);
  vis.r0 = std::max(vis.r0, int{height} - int{bottom});
  vis.r1 = std::min(vis.r1, int{height} - int{top});
  return blitCoded(x, y, data, dataSize, width, height, vis, OpaqueRule{});
}

bool blitSpriteRecoloured(uint16_t x, uint16_t y, const uint8_t* data, uint32_t dataSize,
                          uint16_t width, uint16_t height, uint8_t colour, uint8_t keyColour) {
  if (!ready(data)) return false;
  return blitCoded(x, y, data, dataSize, width, height, visiblePart(x, y, width, height),
                   RecolourRule{colour, keyColour});
}

}  // namespace zb
