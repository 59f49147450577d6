#include "engine/writers.h"

#include <algorithm>
#include <cstring>

#include "engine/files.h"
#include "engine/image.h"
#include "engine/sound.h"
#include "engine/textlist.h"

namespace zb {

namespace {

// Appends through resize and memcpy rather than insert: GCC 12 at -O3
// reports false bounds warnings on vector::insert of byte ranges.
void appendBytes(std::vector<uint8_t>& out, const uint8_t* p, size_t n) {
  if (n == 0) return;
  size_t at = out.size();
  out.resize(at + n);
  std::memcpy(out.data() + at, p, n);
}

void appendU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void appendU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool needsPattern(uint8_t v) { return v >= 1 && v <= 15; }

// The pixel values in decoding order: bottom row first, left to right.
class PixelStream {
 public:
  PixelStream(const uint8_t* pixels, int width, int height, RowOrder order) {
    values_.reserve(size_t(width) * height);
    for (int r = 0; r < height; ++r) {
      int row = order == RowOrder::TopDown ? height - 1 - r : r;
      const uint8_t* p = pixels + size_t(row) * width;
      values_.resize(values_.size() + width);
      std::memcpy(values_.data() + values_.size() - width, p, width);
    }
  }
  size_t size() const { return values_.size(); }
  uint8_t operator[](size_t i) const { return values_[i]; }

 private:
  std::vector<uint8_t> values_;
};

struct Run {
  int length = 0;   // pattern length t, 1..15
  int repeats = 0;  // times emitted, 1..256
  int saving = 0;   // bytes saved against literals
};

// The pattern run starting at i that saves the most bytes.
Run bestRun(const PixelStream& s, size_t i) {
  Run best;
  const size_t n = s.size();
  for (int t = 1; t <= 15 && i + t <= n; ++t) {
    int repeats = 1;
    while (repeats < 256 && i + size_t(repeats + 1) * t <= n) {
      size_t next = i + size_t(repeats) * t;
      bool same = true;
      for (int k = 0; k < t && same; ++k) same = s[i + k] == s[next + k];
      if (!same) break;
      ++repeats;
    }
    int saving = t * repeats - (2 + t);
    if (saving > best.saving) best = {t, repeats, saving};
  }
  return best;
}

void emitRun(std::vector<uint8_t>& out, const PixelStream& s, size_t i, int t, int repeats) {
  out.push_back(static_cast<uint8_t>(t));
  out.push_back(static_cast<uint8_t>(repeats - 1));
  for (int k = 0; k < t; ++k) out.push_back(s[i + k]);
}

}  // namespace

std::vector<uint8_t> encodeSprite(const uint8_t* pixels, uint16_t width, uint16_t height,
                                  RowOrder order) {
  std::vector<uint8_t> out;
  if (pixels == nullptr || width == 0 || height == 0) return out;
  PixelStream s(pixels, width, height, order);
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    Run run = bestRun(s, i);
    if (run.saving > 0) {
      emitRun(out, s, i, run.length, run.repeats);
      i += size_t(run.length) * run.repeats;
    } else if (needsPattern(s[i])) {
      // A colour 1..15 needs a pattern run of its own; take along the
      // following pixels up to the last such colour nearby (they cost one
      // byte each either way), but stop where a profitable run begins.
      int t = 1;
      for (int k = 1; k < 15 && i + k < n; ++k) {
        if (bestRun(s, i + k).saving > 0) break;
        if (needsPattern(s[i + k])) t = k + 1;
      }
      emitRun(out, s, i, t, 1);
      i += t;
    } else {
      out.push_back(s[i]);
      ++i;
    }
  }
  return out;
}

std::vector<uint8_t> paletteFileBytes(std::span<const uint8_t> colours) {
  size_t count = std::min<size_t>(colours.size() / 4, 0xFFFF);
  std::vector<uint8_t> out(10, 0);
  putU16(&out[4], static_cast<uint16_t>(count));
  appendBytes(out, colours.data(), count * 4);
  return out;
}

std::vector<uint8_t> imageFileBytes(std::span<const FrameData> frames) {
  size_t count = std::min<size_t>(frames.size(), 0xFFFF);
  std::vector<uint8_t> out;
  appendU16(out, static_cast<uint16_t>(count));
  for (size_t f = 0; f < count; ++f) {
    const FrameData& frame = frames[f];
    appendU32(out, static_cast<uint32_t>(frame.data.size()));
    appendU16(out, frame.width);
    appendU16(out, frame.height);
    appendU16(out, frame.offsetX);
    appendU16(out, frame.offsetY);
    appendBytes(out, frame.data.data(), frame.data.size());
  }
  return out;
}

std::vector<uint8_t> imageFileBytes(const Image& image) {
  std::vector<FrameData> frames(image.frameCount());
  for (uint16_t f = 0; f < image.frameCount(); ++f) {
    frames[f] = {image.width(f), image.height(f), image.offsetX(f), image.offsetY(f), {}};
    if (const uint8_t* p = image.pixels(f)) frames[f].data.assign(p, p + image.dataSize(f));
  }
  return imageFileBytes(frames);
}

std::vector<uint8_t> textListFileBytes(std::span<const std::string> strings) {
  std::vector<uint8_t> out(2, 0);
  appendU32(out, static_cast<uint32_t>(strings.size()));
  for (const std::string& text : strings) {
    appendU32(out, static_cast<uint32_t>(text.size()));
    appendBytes(out, reinterpret_cast<const uint8_t*>(text.data()), text.size());
  }
  return out;
}

std::vector<uint8_t> textListFileBytes(const TextList& list) {
  std::vector<std::string> strings;
  for (uint32_t i = 0; i < list.count(); ++i) strings.emplace_back(list.text(i), list.length(i));
  return textListFileBytes(strings);
}

std::vector<uint8_t> descriptorFileBytes(std::span<const uint8_t> payload) {
  std::vector<uint8_t> out;
  appendU32(out, static_cast<uint32_t>(payload.size()));
  appendBytes(out, payload.data(), payload.size());
  return out;
}

std::vector<uint8_t> soundFileBytes(std::span<const uint8_t> samples) {
  std::vector<uint8_t> out(2, 0);
  appendU32(out, static_cast<uint32_t>(samples.size()));
  appendBytes(out, samples.data(), samples.size());
  return out;
}

std::vector<uint8_t> soundFileBytes(const Sound& sound) {
  if (sound.samples() == nullptr) return soundFileBytes(std::span<const uint8_t>{});
  return soundFileBytes(std::span<const uint8_t>(sound.samples(), sound.length()));
}

PayloadBuilder& PayloadBuilder::u8(uint8_t v) {
  bytes_.push_back(v);
  return *this;
}

PayloadBuilder& PayloadBuilder::u16(uint16_t v) {
  appendU16(bytes_, v);
  return *this;
}

PayloadBuilder& PayloadBuilder::u32(uint32_t v) {
  appendU32(bytes_, v);
  return *this;
}

}  // namespace zb
