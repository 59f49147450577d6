#include "palette.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "engine/writers.h"

namespace zbdata {

namespace {

float toLinear(uint8_t v) {
  float c = v / 255.0f;
  return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

uint8_t fromLinear(float c) {
  c = c <= 0.0031308f ? 12.92f * c : 1.055f * std::pow(std::max(c, 0.0f), 1 / 2.4f) - 0.055f;
  return static_cast<uint8_t>(std::lround(std::clamp(c, 0.0f, 1.0f) * 255));
}

bool parseHex(const std::string& text, Rgb& out) {
  if (text.size() != 6) return false;
  char* end = nullptr;
  unsigned long v = std::strtoul(text.c_str(), &end, 16);
  if (end != text.c_str() + 6) return false;
  out = Rgb{static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
  return true;
}

}  // namespace

Palette::Lab Palette::toLab(Rgb c) {
  float r = toLinear(c.r), g = toLinear(c.g), b = toLinear(c.b);
  float l = std::cbrt(0.4122214708f * r + 0.5363325363f * g + 0.0514459929f * b);
  float m = std::cbrt(0.2119034982f * r + 0.6806995451f * g + 0.1073969566f * b);
  float s = std::cbrt(0.0883024619f * r + 0.2817188376f * g + 0.6299787005f * b);
  return Lab{0.2104542553f * l + 0.7936177850f * m - 0.0040720468f * s,
             1.9779984951f * l - 2.4285922050f * m + 0.4505937099f * s,
             0.0259040371f * l + 0.7827717662f * m - 0.8086757660f * s};
}

Rgb Palette::fromLab(Lab c) {
  float l = c.l + 0.3963377774f * c.a + 0.2158037573f * c.b;
  float m = c.l - 0.1055613458f * c.a - 0.0638541728f * c.b;
  float s = c.l - 0.0894841775f * c.a - 1.2914855480f * c.b;
  l = l * l * l;
  m = m * m * m;
  s = s * s * s;
  return Rgb{fromLinear(4.0767416621f * l - 3.3077115913f * m + 0.2309699292f * s),
             fromLinear(-1.2684380046f * l + 2.6097574011f * m - 0.3413193965f * s),
             fromLinear(-0.0041960863f * l - 0.7034186147f * m + 1.7076147010f * s)};
}

Palette Palette::load(DataSet& data) {
  Palette p;
  std::filesystem::path file = data.source("palette.tsv");
  std::vector<Row> rows = readTable(file, data);
  std::array<bool, kRampCount> seen{};
  for (const Row& row : rows) {
    Rgb dark, base, light;
    int ramp = row.fields.empty() ? -1 : std::atoi(row.fields[0].c_str());
    if (row.fields.size() != 5 || ramp < 0 || ramp >= kRampCount || !parseHex(row.fields[2], dark) ||
        !parseHex(row.fields[3], base) || !parseHex(row.fields[4], light)) {
      data.error(file, row.line, "expected: ramp (0-13), name, dark, base, light (hex RRGGBB)");
      continue;
    }
    seen[static_cast<size_t>(ramp)] = true;
    Lab d = toLab(dark), m = toLab(base), l = toLab(light);
    for (int shade = 0; shade < 16; ++shade) {
      Lab from = shade <= 8 ? d : m;
      Lab to = shade <= 8 ? m : l;
      float t = shade <= 8 ? shade / 8.0f : (shade - 8) / 7.0f;
      Lab c{from.l + (to.l - from.l) * t, from.a + (to.a - from.a) * t, from.b + (to.b - from.b) * t};
      p.colours_[index(ramp, shade)] = fromLab(c);
    }
  }
  for (int ramp = 0; ramp < kRampCount; ++ramp) {
    if (!seen[static_cast<size_t>(ramp)]) data.error(file, 0, "ramp " + std::to_string(ramp) + " is missing");
  }
  // Outside the picture range: 0 is black; the rest repeat the grey ramp
  // (the window shows them, but no picture uses them); 254 is drawn only
  // by windowed blits of shade pixels, so it is a shadow grey.
  for (int i = 1; i < 16; ++i) p.colours_[i] = p.colours_[index(0, i)];
  for (int i = 240; i < 256; ++i) p.colours_[i] = p.colours_[index(0, i - 240)];
  p.colours_[0] = Rgb{0, 0, 0};
  p.colours_[254] = Rgb{0x30, 0x30, 0x38};
  p.colours_[255] = Rgb{0, 0, 0};
  for (int i = 0; i < 256; ++i) p.lab_[i] = toLab(p.colours_[i]);
  return p;
}

uint8_t Palette::nearest(Rgb c) const {
  Lab lab = toLab(c);
  uint8_t best = kFirstPictureColour;
  float bestDistance = std::numeric_limits<float>::max();
  for (int i = kFirstPictureColour; i <= kLastPictureColour; ++i) {
    float dl = lab.l - lab_[i].l, da = lab.a - lab_[i].a, db = lab.b - lab_[i].b;
    float d = dl * dl + da * da + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<uint8_t>(i);
    }
  }
  return best;
}

std::vector<uint8_t> Palette::fileBytes() const {
  std::vector<uint8_t> entries;
  entries.reserve(1024);
  for (const Rgb& c : colours_) {
    entries.push_back(c.b);
    entries.push_back(c.g);
    entries.push_back(c.r);
    entries.push_back(0);
  }
  return zb::paletteFileBytes(entries);
}

}  // namespace zbdata
