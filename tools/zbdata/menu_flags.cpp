// The six flags of the layouts and languages: static flags for the main
// menu and the keyboard, and waving flags on a pole for the language and
// layout menus. Both come from the same drawings in art/flags.
#include <array>
#include <cmath>

#include "menu_draw.h"
#include "menu_pictures.h"

namespace zbdata::menu {

namespace {

constexpr std::array<const char*, 6> kFlags = {"rus", "amr", "grm", "fr", "eng", "sw"};

constexpr int kStaticW = 36;
constexpr int kStaticH = 24;
constexpr int kWavingW = 30;
constexpr int kWavingH = 24;
constexpr int kWavingFrames = 10;
constexpr int kSuper = 4;  // supersampling of the waving cloth

zb::FrameData staticFlag(DataSet& data, const Palette& palette, const std::string& code) {
  return drawFrame(data, palette, 0, 0, kStaticW, kStaticH, [&](const Pen& pen) {
    Box b{0, 0, kStaticW, kStaticH};
    cairo_save(pen.cr);
    pen.roundedRect(b, 3);
    cairo_clip(pen.cr);
    pen.svg("flags/" + code + ".svg", b);
    cairo_restore(pen.cr);
    pen.strokeRounded(b, 3, 1.4, Grey, 2);
  });
}

struct Pixel {
  double r = 0, g = 0, b = 0, a = 0;  // premultiplied, 0..1
};

// One frame of the waving flag at phase t (0 <= t < 1): the cloth is
// bent by a travelling wave that grows away from the pole, lit by its
// slope, and outlined; the pole stands at the left.
zb::FrameData wavingFlag(DataSet& data, const Palette& palette, Canvas& cloth, double t) {
  const int W = kWavingW * kSuper;
  const int H = kWavingH * kSuper;
  const double clothX = 4.0 * kSuper;
  const double clothY = 1.5 * kSuper;
  const double clothW = cloth.width();
  const double clothH = cloth.height();
  const double amplitude = 1.7 * kSuper;
  const double outline = 1.0 * kSuper;
  const Rgb& dark = palette.colours()[Palette::index(Grey, 2)];

  std::vector<Pixel> big(static_cast<size_t>(W) * H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      double u = (x + 0.5 - clothX) / clothW;
      if (u < 0 || u >= 1) continue;
      double phase = 2 * M_PI * (u * 1.1 - t);
      double lift = amplitude * std::pow(u, 0.8) * std::sin(phase);
      double v = (y + 0.5 - clothY - lift) / clothH;
      if (v < 0 || v >= 1) continue;
      double ex = std::min(u * clothW, (1 - u) * clothW);
      double ey = std::min(v * clothH, (1 - v) * clothH);
      Pixel& p = big[static_cast<size_t>(y) * W + x];
      if (ex < outline || ey < outline) {
        p = {dark.r / 255.0, dark.g / 255.0, dark.b / 255.0, 1};
        continue;
      }
      Canvas::Rgba c = cloth.pixel(static_cast<int>(u * clothW), static_cast<int>(v * clothH));
      // Light from the upper left: folds facing it are brighter.
      double slope = std::cos(phase) * std::pow(u, 0.8);
      double light = 1.0 + 0.16 * slope;
      auto ch = [&](uint8_t value) { return std::clamp(value / 255.0 * light, 0.0, 1.0); };
      p = {ch(c.r), ch(c.g), ch(c.b), 1};
    }
  }

  cairo_surface_t* small = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWavingW, kWavingH);
  cairo_surface_flush(small);
  unsigned char* bytes = cairo_image_surface_get_data(small);
  int stride = cairo_image_surface_get_stride(small);
  for (int y = 0; y < kWavingH; ++y) {
    for (int x = 0; x < kWavingW; ++x) {
      Pixel sum;
      for (int sy = 0; sy < kSuper; ++sy) {
        for (int sx = 0; sx < kSuper; ++sx) {
          const Pixel& p = big[static_cast<size_t>(y * kSuper + sy) * W + x * kSuper + sx];
          sum.r += p.r * p.a;
          sum.g += p.g * p.a;
          sum.b += p.b * p.a;
          sum.a += p.a;
        }
      }
      double n = kSuper * kSuper;
      auto byte = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
      uint32_t argb = byte(sum.a / n) << 24 | byte(sum.r / n) << 16 | byte(sum.g / n) << 8 | byte(sum.b / n);
      reinterpret_cast<uint32_t*>(bytes + y * stride)[x] = argb;
    }
  }
  cairo_surface_mark_dirty(small);

  zb::FrameData frame = drawFrame(data, palette, 0, 0, kWavingW, kWavingH, [&](const Pen& pen) {
    // The pole with its golden knob.
    pen.fillRounded({1, 2.5, 3.2, 21.5}, 1.4, Brown, 2);
    pen.fillRounded({1.8, 3.2, 1.6, 20.2}, 0.8, Brown, 10);
    cairo_arc(pen.cr, 2.6, 2.6, 2.4, 0, 2 * M_PI);
    pen.colour(Gold, 3);
    cairo_fill(pen.cr);
    cairo_arc(pen.cr, 2.6, 2.6, 1.5, 0, 2 * M_PI);
    pen.colour(Gold, 10);
    cairo_fill(pen.cr);
    cairo_set_source_surface(pen.cr, small, 0, 0);
    cairo_paint(pen.cr);
  });
  cairo_surface_destroy(small);
  return frame;
}

}  // namespace

void buildFlags(DataSet& data, const Palette& palette) {
  for (const char* code : kFlags) {
    std::string name(code);
    writeImage(data, "MDATA\\MRKRS\\flg" + name + ".im3", {staticFlag(data, palette, name)});

    // The cloth, drawn large once and bent for every frame.
    Canvas cloth(24 * kSuper, 16 * kSuper);
    cloth.drawSvgFile(data.source("art/flags/" + name + ".svg"), 0, 0, cloth.width(), cloth.height(), data);
    std::vector<zb::FrameData> frames;
    for (int i = 0; i < kWavingFrames; ++i) {
      frames.push_back(wavingFlag(data, palette, cloth, static_cast<double>(i) / kWavingFrames));
    }
    writeImage(data, "MDATA\\MRKRS\\aflg" + name + ".im3", frames);
  }
}

}  // namespace zbdata::menu
