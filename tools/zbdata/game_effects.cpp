// Small pictures of the game: the puff a typed letter vanishes in
// (GDATA\ltroff) and the damage bar (GDATA\mtxim).
#include <algorithm>
#include <cmath>
#include <vector>

#include "game_draw.h"
#include "game_parts.h"

namespace zbdata::game {

namespace {

// The vanishing letter: played once over the letter's place, 16 x 28; the
// hero walks 16 / frames pixels a frame, so the count divides 16.
constexpr int kPuffWidth = 16;
constexpr int kPuffHeight = 28;
constexpr int kPuffFrames = 8;
static_assert(16 % kPuffFrames == 0);

// The damage bar fills the slot of the keyboard picture at (368, 206).
constexpr int kBarWidth = 220;
constexpr int kBarHeight = 10;

zb::FrameData puff(DataSet& data, const Palette& palette, int k) {
  return frame(data, palette, kPuffWidth, kPuffHeight, [&](const Pen& pen, cairo_t*) {
    cairo_t* cr = pen.cr;
    const double cx = kPuffWidth / 2.0, cy = kPuffHeight / 2.0 + 1;
    const double t = double(k) / (kPuffFrames - 1);
    // A soft white puff that swells and breaks up.
    if (k < 5) {
      double r = 3.5 + 3 * t * 1.6;
      const double blobs[][2] = {{0, 0}, {-0.7, -0.6}, {0.7, -0.5}, {-0.5, 0.7}, {0.6, 0.7}};
      int count = k < 3 ? 5 : 4 - (k - 3);
      for (int i = 0; i < count; ++i) {
        double bx = cx + blobs[i][0] * r * 0.9, by = cy + blobs[i][1] * r * 1.3;
        part(pen, [&] { cairo_arc(cr, bx, by, r * (i == 0 ? 0.75 : 0.5), 0, 2 * M_PI); },
             {Grey, 15, Sky, 9}, 0.7);
      }
    }
    // Four little stars flying out to the corners, getting smaller.
    if (k >= 1) {
      double s = (k - 1) / double(kPuffFrames - 2);
      const double dirs[][2] = {{-1, -1}, {1, -0.8}, {-0.9, 1}, {1, 1}};
      const int ramps[] = {Gold, Pink, Sky, Grass};
      for (int i = 0; i < 4; ++i) {
        double sx = cx + dirs[i][0] * (2 + 4.5 * s), sy = cy + dirs[i][1] * (3 + 9 * s);
        double r = 3.6 - 1.8 * s;
        if (k == kPuffFrames - 1 && i % 2 == 1) continue;
        star(pen, sx, sy, r, ramps[i], 0.5 * k + i);
      }
    }
    // A twinkle in the middle at the end.
    if (k >= 5) {
      double r = k == 6 ? 3 : 2;
      cairo_new_path(cr);
      cairo_move_to(cr, cx - r, cy);
      cairo_line_to(cr, cx + r, cy);
      cairo_move_to(cr, cx, cy - r);
      cairo_line_to(cr, cx, cy + r);
      cairo_set_line_width(cr, 1.2);
      pen.colour(Gold, 13);
      cairo_stroke(cr);
    }
  });
}

// From green through yellow to red, as the damage grows from left to
// right; lit along the top, darker along the bottom, with a dark rim.
zb::FrameData damageBar(DataSet& data, const Palette& palette) {
  return frame(data, palette, kBarWidth, kBarHeight, [&](const Pen& pen, cairo_t*) {
    cairo_t* cr = pen.cr;
    struct Stop {
      double at;
      int ramp;
    };
    const Stop stops[] = {{0, Grass}, {0.45, Gold}, {0.7, Orange}, {1, Red}};
    auto colourAt = [&](double u, int shadeShift, double& r, double& g, double& b) {
      int i = 0;
      while (i < 2 && u > stops[i + 1].at) ++i;
      double t = (u - stops[i].at) / (stops[i + 1].at - stops[i].at);
      const Rgb& a = palette.colours()[Palette::index(stops[i].ramp, std::clamp(8 + shadeShift, 0, 15))];
      const Rgb& c = palette.colours()[Palette::index(stops[i + 1].ramp, std::clamp(8 + shadeShift, 0, 15))];
      r = lerp(a.r, c.r, t) / 255;
      g = lerp(a.g, c.g, t) / 255;
      b = lerp(a.b, c.b, t) / 255;
    };
    cairo_save(cr);
    pen.roundedRect({0, 0, kBarWidth, kBarHeight}, 4);
    cairo_clip(cr);
    for (int x = 0; x < kBarWidth; ++x) {
      double u = double(x) / (kBarWidth - 1);
      const int rows[][3] = {{0, 10, 0}, {2, 2, 4}, {4, 4, 1}, {8, 2, -2}};
      for (const auto& row : rows) {
        double r, g, b;
        colourAt(u, row[2], r, g, b);
        cairo_set_source_rgb(cr, r, g, b);
        cairo_rectangle(cr, x, row[0], 1, row[1]);
        cairo_fill(cr);
      }
    }
    cairo_restore(cr);
    pen.strokeRounded({0, 0, kBarWidth, kBarHeight}, 4, 1, Slate, 1);
  });
}

}  // namespace

void buildEffects(DataSet& data, const Palette& palette) {
  std::vector<zb::FrameData> frames;
  for (int k = 0; k < kPuffFrames; ++k) frames.push_back(puff(data, palette, k));
  writeImage(data, "GDATA\\ltroff.im3", frames);
  writeImage(data, "GDATA\\mtxim.im3", {damageBar(data, palette)});
}

}  // namespace zbdata::game
