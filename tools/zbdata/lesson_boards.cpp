// The lesson's boards: the notice (DDATA\TRNSF\dmwrng.im3), the letter
// board (dmbrd.im3) and its closing (dmcls.im3).
//
// Both boards are hanging scrolls of the menus' deep slate: a wooden rod
// on top, and a roller that unrolls the board downwards. The openings are
// played forwards with every frame drawn over the one before, so every
// frame covers the last: the rod stays, the board runs the full width,
// and the roller only ever moves down by whole pixels. The closing plays
// the board's frames backwards over the lesson's background, and leaves
// the rolled-up scroll (frame 0) behind.
#include <cmath>
#include <string>

#include "lesson_draw.h"
#include "picture.h"

namespace zbdata::lesson {

namespace {

using menu::Brown;
using menu::star;
using menu::Gold;
using menu::Slate;

constexpr int kFrames = 10;
constexpr double kRod = 14;  // height of the rod and the roller

// The letter board at (118, 9) and the notice at (118, 128).
constexpr Box kBoard{118, 9, 374, 206};
constexpr Box kNotice{118, 128, 374, 198};

// A wooden rod with golden knobs over (x, y, w, kRod).
void rod(const Pen& pen, double x, double y, double w) {
  Box bar{x + 6, y + 2, w - 12, kRod - 4};
  pen.fillRounded(bar, 5, Brown, 2);
  pen.fillRounded(bar.inset(1.5), 3.5, Brown, 9);
  pen.fillRounded({bar.x + 3, bar.y + 2.5, bar.w - 6, 2.5}, 1.2, Brown, 12);
  for (double cx : {x + kRod / 2, x + w - kRod / 2}) {
    cairo_t* cr = pen.cr;
    cairo_new_path(cr);
    cairo_arc(cr, cx, y + kRod / 2, kRod / 2, 0, 2 * M_PI);
    pen.colour(Brown, 2);
    cairo_fill(cr);
    cairo_arc(cr, cx, y + kRod / 2, kRod / 2 - 1.6, 0, 2 * M_PI);
    pen.colour(Gold, 9);
    cairo_fill(cr);
    cairo_arc(cr, cx - 1.5, y + kRod / 2 - 1.5, 2, 0, 2 * M_PI);
    pen.colour(Gold, 14);
    cairo_fill(cr);
  }
}

// The board itself, unrolled from under the rod down to `bottom`, the
// middle of the roller. Its face shows through where it is unrolled.
void scroll(const Pen& pen, const Box& full, double bottom, const std::function<void(const Pen&)>& face) {
  const double top = full.y + kRod / 2;
  if (bottom > top) {
    Box body{full.x, top, full.w, bottom - top};
    pen.fillRounded(body, 0, Slate, 1);                              // dark outline
    pen.fillRounded({body.x + 2, top, body.w - 4, body.h}, 0, Slate, 11);  // light rim
    pen.fillRounded({body.x + 4, top, body.w - 8, body.h}, 0, Slate, 4);   // the board
    cairo_save(pen.cr);
    cairo_rectangle(pen.cr, body.x + 4, full.y + kRod, body.w - 8, bottom - kRod / 2 - (full.y + kRod));
    cairo_clip(pen.cr);
    face(pen);
    cairo_restore(pen.cr);
  }
  rod(pen, full.x, full.y, full.w);
  rod(pen, full.x, bottom - kRod / 2, full.w);
}

// The frames of a scroll unrolling at slot (slotX, slotY): frame 0 rolled
// up under its rod, the last one whole.
std::vector<zb::FrameData> unroll(DataSet& data, const Palette& palette, const Box& full, int slotX, int slotY,
                                  const std::function<void(const Pen&)>& face) {
  std::vector<zb::FrameData> frames;
  const double first = full.y + kRod * 1.5, last = full.bottom() - kRod / 2;
  for (int k = 0; k < kFrames; ++k) {
    double t = menu::easeInOut(static_cast<double>(k) / (kFrames - 1));
    double bottom = std::round(menu::lerp(first, last, t));
    frames.push_back(croppedFrame(data, palette, full, slotX, slotY, [&](const Pen& pen, cairo_t*) {
      scroll(pen, full, bottom, face);
    }));
  }
  return frames;
}

void icon(const Pen& pen, const char* name, double x, double y, double scale) {
  pen.svg(std::string("menus/icon-") + name + ".svg", {x, y, 28 * scale, 22 * scale});
}

// The notice: ten lines of text are written on it from y 155, 15 pixels
// apart, centred on x 305 and at most 272 pixels wide; its margins show
// what the lesson is about.
void noticeFace(const Pen& pen) {
  icon(pen, "lesson", 125, 150, 1.5);
  icon(pen, "keyboard", 445, 150, 1.5);
  star(pen, 140, 292, 8, Gold);
  star(pen, 152, 272, 5, menu::Pink);
  star(pen, 470, 292, 8, menu::Teal);
  star(pen, 458, 272, 5, Gold);
}

// The letter board: up to four rows of twelve letters at (180 + 22 i,
// 34 + 17 j) on a sunken slate, and below it the ways to choose one: the
// arrow keys, the mouse, or the letter's own key.
void arrowKey(const Pen& pen, double x, double y, double angle) {
  menu::drawKeyCap(pen, {x, y, 22, 19}, Slate, 14);
  cairo_t* cr = pen.cr;
  cairo_save(cr);
  cairo_translate(cr, x + 11, y + 8.5);
  cairo_rotate(cr, angle);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, -4.5);
  cairo_line_to(cr, 4.5, 2.5);
  cairo_line_to(cr, -4.5, 2.5);
  cairo_close_path(cr);
  pen.colour(Slate, 2);
  cairo_fill(cr);
  cairo_restore(cr);
}

void boardFace(const Pen& pen) {
  menu::drawInset(pen, {172, 28, 266, 78}, 8, 2);
  // The ways to choose.
  const double y = 128;
  arrowKey(pen, 205, y, 0);
  arrowKey(pen, 181, y + 21, -M_PI / 2);
  arrowKey(pen, 205, y + 21, M_PI);
  arrowKey(pen, 229, y + 21, M_PI / 2);
  for (double x : {270.0, 350.0}) {
    cairo_arc(pen.cr, x, y + 22, 2.5, 0, 2 * M_PI);
    pen.colour(Slate, 9);
    cairo_fill(pen.cr);
  }
  icon(pen, "mouse", 282, y + 2, 2);
  icon(pen, "lesson", 364, y + 2, 2);
  star(pen, 146, 60, 9, Gold);
  star(pen, 136, 90, 5, menu::Pink);
  star(pen, 464, 60, 9, menu::Teal);
  star(pen, 474, 90, 5, Gold);
  star(pen, 150, 170, 6, menu::Sky);
  star(pen, 460, 170, 6, menu::Pink);
}

}  // namespace

void buildBoards(DataSet& data, const Palette& palette) {
  writeImage(data, "DDATA\\TRNSF\\dmwrng.im3", unroll(data, palette, kNotice, 118, 128, noticeFace));
  std::vector<zb::FrameData> board = unroll(data, palette, kBoard, 118, 9, boardFace);
  writeImage(data, "DDATA\\TRNSF\\dmbrd.im3", board);
  // Closing rolls the same board up again, played backwards.
  writeImage(data, "DDATA\\TRNSF\\dmcls.im3", board);
}

}  // namespace zbdata::lesson
