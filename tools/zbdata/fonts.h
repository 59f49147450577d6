// The fonts of the data set, rendered with FreeType from Debian's fonts
// (fonts.tsv names the files and sizes): the menu font, the large track
// letters, and the glyphs printed on the key caps.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "charset.h"
#include "dataset.h"
#include "palette.h"

namespace zbdata {

// A monochrome glyph: ink pixels only, no anti-aliasing.
struct GlyphBitmap {
  int width = 0;
  int height = 0;
  int left = 0;     // from the pen position to the first column
  int top = 0;      // from the baseline up to the first row
  int advance = 0;  // pen movement in pixels
  std::vector<uint8_t> ink;  // width x height, 1 = ink, top row first
  bool at(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && ink[size_t(y) * width + x]; }
};

class FontFace {
 public:
  FontFace();
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // Opens the font for pixel size `size`; errors go to data.
  bool open(const std::filesystem::path& file, int size, DataSet& data);
  // Renders c; a scale under 1 narrows (x) or flattens (y) the glyph.
  // nullopt when the font has no glyph for c.
  std::optional<GlyphBitmap> render(char32_t c, double xScale = 1.0, double yScale = 1.0) const;
  // Renders c no larger than maxWidth x maxHeight, narrowing or
  // flattening it as little as needed.
  std::optional<GlyphBitmap> renderWithin(char32_t c, int maxWidth, int maxHeight) const;
  int ascender() const;
  int descender() const;  // positive: pixels below the baseline

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The fonts named in fonts.tsv, by use ("menu", "field", "labels",
// "words").
struct FontSpec {
  std::filesystem::path file;
  int size = 0;
  int line = 0;
};
std::map<std::string, FontSpec> loadFontTable(DataSet& data);

// Every code some text list or layout uses, gathered while they are built;
// the menu font must cover them all.
struct CodeUse {
  std::vector<bool> used = std::vector<bool>(256, false);
  void add(const std::string& text) {
    for (char c : text) used[static_cast<uint8_t>(c)] = true;
  }
};

// "MDATA\mnfnt.im3": frame c is the glyph of code c, all frames 8 x 15.
void buildMenuFont(DataSet& data, const Charset& charset, const Palette& palette,
                   const CodeUse& used);
// "GDATA\fldfnt.im3": frame c - 32 is the glyph of code c.
void buildFieldFont(DataSet& data, const Charset& charset, const Palette& palette);

inline constexpr int kMenuFontWidth = 8;
inline constexpr int kMenuFontHeight = 15;
inline constexpr int kFieldFontWidth = 16;

}  // namespace zbdata
