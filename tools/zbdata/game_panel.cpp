// The new-letter panel (GDATA\TRNSF\nwltr): the deep slate board of the
// menus unfolding over the playfield at (129, 23), 371 x 86. The game
// writes the caption at (202, 60) in light text and the new letter at
// (408, 61) in the warm highlight; the letter sits in a dark round window
// ringed with light, so that the bright letter shines in it. Played
// forwards to open and backwards to close: every frame covers the one
// before it.
#include <cmath>
#include <vector>

#include "game_draw.h"
#include "game_parts.h"

namespace zbdata::game {

namespace {

constexpr Box kPanel{129, 23, 371, 86};
constexpr int kPanelFrames = 9;
// The middle of the new letter's 8 x 15 cell.
constexpr double kLetterX = 408 + 4, kLetterY = 61 + 7.5;

void smilingStar(const Pen& pen, double cx, double cy, double r) {
  star(pen, cx, cy, r, Gold, 0);
  smilingFace(pen, cx, cy, r, {0.2, -0.02, 0.09, 0.12, 0.16, 0.4, 1.4, 0.33, 0.15, 0.08, 0.05});
}

void decor(const Pen& pen) {
  cairo_t* cr = pen.cr;
  smilingStar(pen, 166, 68, 27);
  // The letter's window: a ring of light around a dark well.
  cairo_new_path(cr);
  cairo_arc(cr, kLetterX, kLetterY, 16.5, 0, 2 * M_PI);
  pen.colour(Gold, 3);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_arc(cr, kLetterX, kLetterY, 15.3, 0, 2 * M_PI);
  pen.colour(Gold, 11);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_arc(cr, kLetterX, kLetterY, 13, 0, 2 * M_PI);
  pen.colour(Slate, 1);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_arc(cr, kLetterX, kLetterY + 0.8, 12, 0, 2 * M_PI);
  pen.colour(Slate, 2);
  cairo_fill(cr);
  // Short rays around the ring.
  cairo_new_path(cr);
  for (int k = 0; k < 8; ++k) {
    double a = k * M_PI / 4 + M_PI / 8;
    if (std::cos(a) < -0.5) continue;  // none towards the caption
    cairo_move_to(cr, kLetterX + 19 * std::cos(a), kLetterY + 19 * std::sin(a));
    cairo_line_to(cr, kLetterX + 24 * std::cos(a), kLetterY + 24 * std::sin(a));
  }
  cairo_set_line_width(cr, 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  pen.colour(Gold, 10);
  cairo_stroke(cr);
  star(pen, 452, 44, 7, Pink, 0.2);
  star(pen, 470, 78, 5, Teal, -0.2);
  star(pen, 484, 50, 4, Gold, 0.4);
}

}  // namespace

void buildNewLetterPanel(DataSet& data, const Palette& palette) {
  std::vector<zb::FrameData> frames;
  const double bar = 2 * kBoardRadius;
  for (int k = 0; k < kPanelFrames; ++k) {
    double s = double(k) / (kPanelFrames - 1);
    double wide = easeOut(std::min(1.0, s / 0.5));
    double tall = s <= 0.4 ? 0 : easeInOut((s - 0.4) / 0.6);
    double w = lerp(60, kPanel.w, wide);
    double h = std::min(kPanel.h, lerp(bar, kPanel.h, tall));
    Box b{std::round(kPanel.x + (kPanel.w - w) / 2), std::round(kPanel.y + (kPanel.h - h) / 2), std::round(w),
          std::round(h)};
    if (k == kPanelFrames - 1) b = kPanel;
    frames.push_back(drawFrame(data, palette, int(kPanel.x), int(kPanel.y), int(kPanel.w), int(kPanel.h),
                               [&](const Pen& pen) {
      drawBoard(pen, b);
      cairo_save(pen.cr);
      pen.roundedRect(b.inset(6), kBoardRadius - 6);
      cairo_clip(pen.cr);
      decor(pen);
      cairo_restore(pen.cr);
    }));
  }
  writeImage(data, "GDATA\\TRNSF\\nwltr.im3", frames);
}

}  // namespace zbdata::game
