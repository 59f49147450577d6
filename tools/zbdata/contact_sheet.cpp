#include "contact_sheet.h"

#include <algorithm>
#include <vector>

#include "engine/files.h"
#include "engine/framebuffer.h"
#include "engine/image.h"
#include "palette.h"
#include "raster.h"
#include "shell/png_writer.h"

namespace zbdata {

namespace fs = std::filesystem;

namespace {

constexpr int kSheetWidth = 1400;
constexpr int kGap = 4;
// Colours of the sheet: transparency shows as a light checkerboard, shade
// pixels in the dark grey of entry 254.
const uint8_t kBackground = Palette::index(10, 2);
const uint8_t kCheckA = Palette::index(0, 12);
const uint8_t kCheckB = Palette::index(0, 14);
const uint8_t kCaption = 191;

// Decodes sprite data into a raster (top row first); pixels the stream
// does not reach stay transparent.
Raster decode(const zb::ImageFrame& f) {
  Raster r(f.width, f.height);
  const size_t total = size_t(f.width) * f.height;
  size_t n = 0;
  auto put = [&](uint8_t v) {
    if (n >= total) return;
    int x = static_cast<int>(n % f.width);
    int y = f.height - 1 - static_cast<int>(n / f.width);  // the stream starts at the bottom row
    r.set(x, y, v);
    ++n;
  };
  const uint8_t* p = f.pixels.get();
  for (size_t i = 0; p != nullptr && i < f.dataSize && n < total;) {
    uint8_t t = p[i++];
    if (t >= 1 && t <= 15) {
      if (i + 1 + t > f.dataSize) break;
      int repeats = p[i++] + 1;
      for (int k = 0; k < repeats; ++k)
        for (int j = 0; j < t; ++j) put(p[i + j]);
      i += t;
    } else {
      put(t);
    }
  }
  return r;
}

}  // namespace

bool writeContactSheet(const fs::path& dataDir, const fs::path& png, std::string& error) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(dataDir, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file() && it->path().extension() == ".im3") files.push_back(it->path());
  std::sort(files.begin(), files.end());
  zb::PaletteFile palette;
  zb::setDataDir(dataDir);
  if (!palette.load("Zubbatik.pal")) {
    error = "no Zubbatik.pal in " + dataDir.string();
    return false;
  }
  zb::Image font;
  font.load("MDATA\\mnfnt.im3");

  struct Placed {
    Raster raster;
    int x, y;
    bool checker;
  };
  std::vector<Placed> placed;
  int y = kGap;
  for (const fs::path& file : files) {
    std::string enginePath = fs::relative(file, dataDir).string();
    std::replace(enginePath.begin(), enginePath.end(), '/', '\\');
    zb::Image image;
    if (!image.load(enginePath)) continue;
    // The caption: the path and the number of frames, in the menu font.
    std::string caption = enginePath + "  (" + std::to_string(image.frameCount()) + ")";
    const int lineH = std::max<int>(font.height(0), 8);
    Raster text(static_cast<int>(caption.size()) * std::max<int>(font.width(0), 1), lineH);
    for (size_t i = 0; i < caption.size(); ++i) {
      const zb::ImageFrame* g = font.frame(static_cast<uint8_t>(caption[i]));
      if (g == nullptr) continue;
      Raster glyph = decode(*g);
      glyph.replace(kGlyphColour, kCaption);
      text.draw(glyph, static_cast<int>(i) * font.width(0), 0);
    }
    placed.push_back({text, kGap, y, false});
    y += lineH + kGap;
    int x = kGap, rowH = 0;
    for (uint16_t f = 0; f < image.frameCount(); ++f) {
      Raster r = decode(*image.frame(f));
      if (x > kGap && x + r.width() > kSheetWidth - kGap) {
        x = kGap;
        y += rowH + kGap;
        rowH = 0;
      }
      placed.push_back({r, x, y, true});
      x += std::max(r.width(), 1) + kGap;
      rowH = std::max(rowH, r.height());
    }
    y += rowH + 3 * kGap;
  }

  Raster sheet(kSheetWidth, y, kBackground);
  for (const Placed& p : placed) {
    if (p.checker)
      for (int row = 0; row < p.raster.height(); ++row)
        for (int col = 0; col < p.raster.width(); ++col)
          sheet.set(p.x + col, p.y + row, ((col / 4 + row / 4) % 2) ? kCheckA : kCheckB);
    sheet.draw(p.raster, p.x, p.y);
  }
  std::vector<uint8_t> colours(1024);
  std::copy_n(palette.colours.begin(), std::min<size_t>(1024, palette.colours.size()), colours.begin());
  zb::IndexedPicture picture{sheet.pixels().data(), sheet.width(), sheet.height(), sheet.width(), false,
                             colours.data()};
  return zb::writePng(png, picture, error);
}

}  // namespace zbdata
