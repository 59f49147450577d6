// Small pictures of the three keyboard types, for the keyboard menu and
// the main menu's keyboard marker.
#include <cmath>

#include "menu_draw.h"

namespace zbdata::menu {

void drawKeyCap(const Pen& pen, const Box& b, int ramp, int shade) {
  double r = std::min(3.0, std::min(b.w, b.h) / 4);
  pen.fillRounded(b, r, Slate, 1);
  pen.fillRounded(b.inset(1), r, ramp, std::max(0, shade - 4));
  Box face = b.inset(1);
  face.h -= std::max(1.0, std::round(b.h / 6));
  pen.fillRounded(face, r, ramp, shade);
}

namespace {

// Light grey caps, the Enter key in gold so that its shape stands out.
void cap(const Pen& pen, double x, double y, double w, double h, bool enter = false) {
  drawKeyCap(pen, {x, y, w, h}, enter ? Gold : Slate, enter ? 11 : 14);
}

void enterL(const Pen& pen, double x, double y, double topW, double bottomW, double rowH, double gap) {
  // Outline, lower edge and face of the L-shaped Enter key spanning two rows.
  auto shape = [&](double d, double lower) {
    double right = x + topW - d;
    double left = x + d;
    double notch = x + topW - bottomW + d;
    double bottom = y + 2 * rowH + gap - d - lower;
    cairo_t* cr = pen.cr;
    cairo_new_path(cr);
    cairo_move_to(cr, left, y + d);
    cairo_line_to(cr, right, y + d);
    cairo_line_to(cr, right, bottom);
    cairo_line_to(cr, notch, bottom);
    cairo_line_to(cr, notch, y + rowH - d - lower);
    cairo_line_to(cr, left, y + rowH - d - lower);
    cairo_close_path(cr);
  };
  shape(0, 0);
  pen.colour(Slate, 1);
  cairo_fill(pen.cr);
  shape(1, 0);
  pen.colour(Gold, 7);
  cairo_fill(pen.cr);
  shape(1, std::max(1.0, std::round(rowH / 6)));
  pen.colour(Gold, 11);
  cairo_fill(pen.cr);
}

}  // namespace

void drawKeyboardType(const Pen& pen, int type, double x, double y, double s) {
  cairo_t* cr = pen.cr;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s, s);
  if (type == 2) {
    // A laptop: the lid with its screen, the flat base with the keys.
    pen.fillRounded({12, 0, 48, 22}, 3, Slate, 1);
    pen.fillRounded({13.2, 1.2, 45.6, 19.6}, 2, Slate, 8);
    pen.fillRounded({15.5, 3.2, 41, 15.5}, 1, Sky, 11);
    pen.fillRounded({17, 4.5, 12, 3.5}, 1, Sky, 14);
    cairo_move_to(cr, 6, 22);
    cairo_line_to(cr, 66, 22);
    cairo_line_to(cr, 71, 33);
    cairo_line_to(cr, 1, 33);
    cairo_close_path(cr);
    pen.colour(Slate, 1);
    cairo_fill(cr);
    cairo_move_to(cr, 7, 23.2);
    cairo_line_to(cr, 65, 23.2);
    cairo_line_to(cr, 69, 31.8);
    cairo_line_to(cr, 3, 31.8);
    cairo_close_path(cr);
    pen.colour(Slate, 10);
    cairo_fill(cr);
    for (int row = 0; row < 3; ++row) {
      double ry = 24.2 + row * 2.4;
      double inset = 8.5 - row * 1.2;
      for (double kx = inset; kx < 64 - inset; kx += 3.4) {
        pen.fillRounded({kx, ry, 2.6, 1.8}, 0.4, Slate, 14);
      }
    }
    pen.fillRounded({24, 31.0, 24, 0.9}, 0.4, Slate, 6);
    cairo_restore(cr);
    return;
  }
  // A desk keyboard with the number pad.
  pen.fillRounded({0, 4, 72, 28}, 4, Slate, 1);
  pen.fillRounded({1.2, 5.2, 69.6, 25.6}, 3, Slate, 8);
  auto key = [&](double kx, double ky, double w, int ramp = Slate, int shade = 14) {
    pen.fillRounded({kx, ky, w, 3.6}, 0.6, ramp, shade);
  };
  for (int row = 0; row < 5; ++row) {
    double ky = 7 + row * 4.6;
    if (row == 4) {
      key(3, ky, 6);
      key(10, ky, 26);
      key(37, ky, 6);
      continue;
    }
    double start = 3 + (row == 0 ? 0 : row * 1.6);
    for (double kx = start; kx < 41; kx += 4.2) key(kx, ky, 3.4);
  }
  // The Enter key: one row and wide, or the tall L.
  if (type == 0) {
    key(41.8, 7 + 2 * 4.6, 6.2, Gold, 11);
    key(45, 7 + 4.6, 3, Slate, 14);
  } else {
    pen.fillRounded({44.2, 7 + 4.6, 4.2, 3.6}, 0.6, Gold, 11);
    pen.fillRounded({45.6, 7 + 4.6, 2.8, 8.2}, 0.6, Gold, 11);
  }
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 3; ++col) key(51.5 + col * 3.4, 7 + row * 4.6, 2.6, Slate, row < 1 ? 12 : 14);
  }
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 4; ++col) key(62 + col * 2.1, 7 + row * 4.6, 1.5, Slate, 12);
  }
  cairo_restore(cr);
}

void drawEnterCloseUp(const Pen& pen, int type, double x, double y, double s) {
  cairo_t* cr = pen.cr;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s, s);
  const double h = 16;
  const double g = 2;
  switch (type) {
    case 0:  // a wide backslash key above a wide Enter of one row
      cap(pen, 0, 0, 20, h);
      cap(pen, 22, 0, 20, h);
      cap(pen, 44, 0, 28, h);
      cap(pen, 0, h + g, 20, h);
      cap(pen, 22, h + g, 50, h, true);
      cap(pen, 0, 2 * (h + g), 30, h);
      cap(pen, 32, 2 * (h + g), 40, h);
      break;
    case 1:  // the Enter key reaches down into the next row
      cap(pen, 0, 0, 20, h);
      cap(pen, 22, 0, 20, h);
      enterL(pen, 44, 0, 28, 20, h, g);
      cap(pen, 0, h + g, 20, h);
      cap(pen, 22, h + g, 28, h);
      cap(pen, 0, 2 * (h + g), 14, h);
      cap(pen, 16, 2 * (h + g), 56, h);
      break;
    default: {  // small keys packed tight, the arrows tucked in below
      const double k = 13;
      cap(pen, 0, 0, k, k);
      cap(pen, 15, 0, k, k);
      cap(pen, 30, 0, k, k);
      cap(pen, 45, 0, 27, k, true);
      cap(pen, 0, 15, k, k);
      cap(pen, 15, 15, k, k);
      cap(pen, 30, 15, 42, k);
      cap(pen, 0, 30, 28, k);
      cap(pen, 45, 30, 12, 10);       // up
      cap(pen, 30, 41, 13, 10);       // left
      cap(pen, 45, 41.5, 12, 9.5);    // down
      cap(pen, 59, 41, 13, 10);       // right
      break;
    }
  }
  cairo_restore(cr);
}

}  // namespace zbdata::menu
