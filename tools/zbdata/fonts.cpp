#include "fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>

#include "picture.h"

namespace zbdata {

namespace {

FT_Library library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    FT_Init_FreeType(&l);
    return l;
  }();
  return lib;
}

// The shadow under menu text and the rim round the track letters: fixed
// colours, so that only the glyph body (16) takes the text colour.
uint8_t menuShadow() { return Palette::index(10, 1); }
uint8_t fieldOutline() { return Palette::index(5, 15); }

}  // namespace

struct FontFace::Impl {
  FT_Face face = nullptr;
  ~Impl() {
    if (face != nullptr) FT_Done_Face(face);
  }
};

FontFace::FontFace() : impl_(std::make_unique<Impl>()) {}
FontFace::~FontFace() = default;

bool FontFace::open(const std::filesystem::path& file, int size, DataSet& data) {
  if (library() == nullptr) {
    data.error("cannot start FreeType");
    return false;
  }
  if (FT_New_Face(library(), file.c_str(), 0, &impl_->face) != 0) {
    impl_->face = nullptr;
    data.error("cannot open the font " + file.string() + " (scripts/deps.sh installs the fonts)");
    return false;
  }
  if (FT_Set_Pixel_Sizes(impl_->face, 0, static_cast<FT_UInt>(size)) != 0) {
    data.error("the font " + file.string() + " has no size " + std::to_string(size));
    return false;
  }
  return true;
}

std::optional<GlyphBitmap> FontFace::render(char32_t c, double xScale, double yScale) const {
  FT_Face face = impl_->face;
  if (face == nullptr) return std::nullopt;
  FT_UInt index = FT_Get_Char_Index(face, c);
  if (index == 0) return std::nullopt;
  FT_Matrix m{static_cast<FT_Fixed>(xScale * 0x10000), 0, 0, static_cast<FT_Fixed>(yScale * 0x10000)};
  FT_Set_Transform(face, xScale == 1.0 && yScale == 1.0 ? nullptr : &m, nullptr);
  if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
    return std::nullopt;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& b = slot->bitmap;
  GlyphBitmap g;
  g.width = static_cast<int>(b.width);
  g.height = static_cast<int>(b.rows);
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.advance = static_cast<int>(slot->advance.x >> 6);
  g.ink.assign(size_t(g.width) * g.height, 0);
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x) {
      const unsigned char* row = b.buffer + y * b.pitch;
      bool on = b.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x / 8] >> (7 - x % 8)) & 1) != 0 : row[x] >= 128;
      g.ink[size_t(y) * g.width + x] = on ? 1 : 0;
    }
  return g;
}

std::optional<GlyphBitmap> FontFace::renderWithin(char32_t c, int maxWidth, int maxHeight) const {
  std::optional<GlyphBitmap> g = render(c);
  double xs = 1.0, ys = 1.0;
  for (int tries = 0; g && (g->width > maxWidth || g->height > maxHeight) && tries < 8; ++tries) {
    if (g->width > maxWidth) xs *= (maxWidth - 0.3) / g->width;
    if (g->height > maxHeight) ys *= (maxHeight - 0.3) / g->height;
    g = render(c, xs, ys);
  }
  return g;
}

int FontFace::ascender() const {
  return impl_->face != nullptr ? static_cast<int>(impl_->face->size->metrics.ascender >> 6) : 0;
}

int FontFace::descender() const {
  return impl_->face != nullptr ? static_cast<int>(-(impl_->face->size->metrics.descender >> 6)) : 0;
}

std::map<std::string, FontSpec> loadFontTable(DataSet& data) {
  std::map<std::string, FontSpec> fonts;
  std::filesystem::path file = data.source("fonts.tsv");
  for (const Row& row : readTable(file, data)) {
    int size = row.fields.size() == 3 ? std::atoi(row.fields[2].c_str()) : 0;
    if (size <= 0) {
      data.error(file, row.line, "expected: use, font file, pixel size");
      continue;
    }
    fonts[row.fields[0]] = FontSpec{row.fields[1], size, row.line};
  }
  for (const char* use : {"menu", "field", "labels", "words"})
    if (fonts.find(use) == fonts.end()) data.error(file, 0, std::string("no font for '") + use + "'");
  return fonts;
}

namespace {

bool openFont(FontFace& face, const std::string& use, DataSet& data) {
  std::map<std::string, FontSpec> fonts = loadFontTable(data);
  auto it = fonts.find(use);
  return it != fonts.end() && face.open(it->second.file, it->second.size, data);
}

std::string describe(const Charset& charset, int code) {
  return "'" + encodeUtf8(charset.character(static_cast<uint8_t>(code)).value_or(U'?')) + "' (code " +
         std::to_string(code) + ")";
}

}  // namespace

void buildMenuFont(DataSet& data, const Charset& charset, const Palette&, const CodeUse& used) {
  FontFace face;
  if (!openFont(face, "menu", data)) return;
  // Every glyph shares one baseline, set by the plain letters and digits
  // (the tallest ascender above it, the deepest descender below); taller
  // glyphs (accented capitals) are flattened and wide ones (Ж, W) narrowed
  // into the cell, which keeps a column and a row free for the shadow.
  constexpr int W = kMenuFontWidth, H = kMenuFontHeight;
  int above = 0, below = 0;
  for (char32_t c : std::u32string(U"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                   U"абвгдежзийклмнопрстуфхцчшщъыьэюяАБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ")) {
    if (std::optional<GlyphBitmap> g = face.render(c)) {
      above = std::max(above, g->top);
      below = std::max(below, g->height - g->top);
    }
  }
  if (above + below > H - 1) data.error("menu font: letters need " + std::to_string(above + below) +
                                        " rows; the cell has " + std::to_string(H - 1) + " besides the shadow");
  const int baseline = std::min(above, H - 1 - below);
  std::vector<std::optional<GlyphBitmap>> glyphs(256);
  for (uint8_t code : charset.codes()) {
    glyphs[code] = face.renderWithin(*charset.character(code), W - 1, H - 1);
    if (!glyphs[code]) {
      if (used.used[code]) data.error("the menu font has no glyph for " + describe(charset, code));
      continue;
    }
  }
  std::vector<zb::FrameData> frames;
  for (int code = 0; code < 256; ++code) {
    std::vector<uint8_t> cell(W * H, 255);
    const std::optional<GlyphBitmap>& g = glyphs[code];
    if (g && g->width > 0) {
      int x0 = std::clamp(g->left, 0, std::max(0, W - 1 - g->width));
      int y0 = std::clamp(baseline - g->top, 0, std::max(0, H - 1 - g->height));
      for (int y = 0; y < g->height; ++y)
        for (int x = 0; x < g->width; ++x) {
          if (!g->at(x, y)) continue;
          int cx = x0 + x, cy = y0 + y;
          if (cx < 0 || cy < 0 || cx >= W || cy >= H) continue;
          cell[size_t(cy) * W + cx] = 16;
        }
      // The shadow falls one pixel right and down, under the body.
      std::vector<uint8_t> body = cell;
      for (int y = 0; y + 1 < H; ++y)
        for (int x = 0; x + 1 < W; ++x)
          if (body[size_t(y) * W + x] == 16 && body[size_t(y + 1) * W + x + 1] != 16)
            cell[size_t(y + 1) * W + x + 1] = menuShadow();
    }
    frames.push_back(makeFrame(cell, W, H));
  }
  writeImage(data, "MDATA\\mnfnt.im3", frames);
}

void buildFieldFont(DataSet& data, const Charset& charset, const Palette&) {
  FontFace face;
  if (!openFont(face, "field", data)) return;
  constexpr int W = kFieldFontWidth;
  constexpr int inkWidth = W - 2;  // one pixel of rim on either side
  std::vector<std::optional<GlyphBitmap>> glyphs(256);
  int above = 0, below = 0;
  for (uint8_t code : charset.codes()) {
    if (code < 32) continue;
    char32_t c = *charset.character(code);
    std::optional<GlyphBitmap> g = face.render(c);
    // Wide letters (Ш, Ж, W, œ) are narrowed to the track's 16-pixel
    // pitch rather than shrunk: every letter keeps the same height.
    for (double scale = 1.0; g && g->width > inkWidth && scale > 0.4;) {
      scale *= double(inkWidth) / g->width;
      g = face.render(c, scale);
    }
    if (!g) {
      data.error("the track font has no glyph for " + describe(charset, code));
      continue;
    }
    glyphs[code] = g;
    if (g->width == 0) continue;
    above = std::max(above, g->top);
    below = std::max(below, g->height - g->top);
  }
  const int H = above + below + 2;
  std::vector<zb::FrameData> frames;
  for (int code = 32; code < 256; ++code) {
    std::vector<uint8_t> cell(size_t(W) * H, 255);
    const std::optional<GlyphBitmap>& g = glyphs[code];
    if (g && g->width > 0) {
      int x0 = (W - g->width) / 2;
      int y0 = 1 + above - g->top;
      for (int y = 0; y < g->height; ++y)
        for (int x = 0; x < g->width; ++x)
          if (g->at(x, y)) cell[size_t(y0 + y) * W + x0 + x] = 16;
      std::vector<uint8_t> body = cell;
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
          if (body[size_t(y) * W + x] == 16) continue;
          bool near = false;
          for (int dy = -1; dy <= 1 && !near; ++dy)
            for (int dx = -1; dx <= 1 && !near; ++dx) {
              int nx = x + dx, ny = y + dy;
              near = nx >= 0 && ny >= 0 && nx < W && ny < H && body[size_t(ny) * W + nx] == 16;
            }
          if (near) cell[size_t(y) * W + x] = fieldOutline();
        }
    }
    frames.push_back(makeFrame(cell, W, H));
  }
  writeImage(data, "GDATA\\fldfnt.im3", frames);
}

}  // namespace zbdata
