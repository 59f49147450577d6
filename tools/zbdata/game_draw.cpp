#include "game_draw.h"

#include <cmath>

namespace zbdata::game {

void part(const Pen& pen, const std::function<void()>& shape, Ink ink, double outline) {
  cairo_t* cr = pen.cr;
  cairo_new_path(cr);
  shape();
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (outline > 0) {
    cairo_set_line_width(cr, 2 * outline);
    pen.colour(ink.outlineRamp < 0 ? ink.ramp : ink.outlineRamp, ink.outlineShade);
    cairo_stroke_preserve(cr);
  }
  pen.colour(ink.ramp, ink.shade);
  cairo_fill(cr);
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double angle) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void groundShadow(cairo_t* shade, double cx, double bottom, double rx) {
  cairo_new_path(shade);
  ellipsePath(shade, cx, bottom - 1.2, rx, 1.6);
  cairo_set_source_rgba(shade, 0, 0, 0, 1);
  cairo_fill(shade);
}

void heart(const Pen& pen, double cx, double cy, double size, int ramp) {
  cairo_t* cr = pen.cr;
  auto shape = [&] {
    double s = size / 2;
    cairo_move_to(cr, cx, cy + s);
    cairo_curve_to(cr, cx - 2.2 * s, cy - 0.2 * s, cx - 1.0 * s, cy - 1.6 * s, cx, cy - 0.55 * s);
    cairo_curve_to(cr, cx + 1.0 * s, cy - 1.6 * s, cx + 2.2 * s, cy - 0.2 * s, cx, cy + s);
    cairo_close_path(cr);
  };
  part(pen, shape, {ramp, 8, ramp, 2}, size > 7 ? 1.0 : 0.8);
  if (size >= 7) {
    cairo_new_path(cr);
    ellipsePath(cr, cx - size * 0.22, cy - size * 0.15, size * 0.12, size * 0.09, -0.6);
    pen.colour(ramp, 14);
    cairo_fill(cr);
  }
}

void star(const Pen& pen, double cx, double cy, double r, int ramp, double angle) {
  cairo_t* cr = pen.cr;
  auto shape = [&] {
    for (int k = 0; k < 10; ++k) {
      double a = angle - M_PI / 2 + k * M_PI / 5;
      double rr = k % 2 == 0 ? r : r * 0.48;
      cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
    }
    cairo_close_path(cr);
  };
  part(pen, shape, {ramp, 11, ramp, 3}, r > 4 ? 0.9 : 0.7);
}

void bubble(const Pen& pen, double cx, double cy, double r) {
  cairo_t* cr = pen.cr;
  part(pen, [&] { ellipsePath(cr, cx, cy, r, r); }, {Sky, 14, Sky, 6}, 0.8);
  if (r >= 3) {
    cairo_new_path(cr);
    cairo_arc(cr, cx - r * 0.35, cy - r * 0.35, std::max(0.9, r * 0.25), 0, 2 * M_PI);
    pen.colour(Grey, 15);
    cairo_fill(cr);
  }
}

void eye(const Pen& pen, double cx, double cy, double r, bool closed) {
  cairo_t* cr = pen.cr;
  // Small features drawn crisp: blended edges would turn them grey.
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  if (closed) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy + r * 0.4, r, M_PI * 1.1, M_PI * 1.9);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    pen.colour(Slate, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    return;
  }
  cairo_new_path(cr);
  ellipsePath(cr, cx, cy, r, r * 1.15);
  pen.colour(Slate, 1);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_arc(cr, cx + r * 0.3, cy - r * 0.35, std::max(0.6, r * 0.38), 0, 2 * M_PI);
  pen.colour(Grey, 15);
  cairo_fill(cr);
  cairo_restore(cr);
}

void smilingFace(const Pen& pen, double cx, double cy, double r, const FaceProportions& f) {
  cairo_t* cr = pen.cr;
  eye(pen, cx - r * f.eyeX, cy + r * f.eyeY, r * f.eyeR);
  eye(pen, cx + r * f.eyeX, cy + r * f.eyeY, r * f.eyeR);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy + r * f.smileY, r * f.smileR, f.smileInset, M_PI - f.smileInset);
  cairo_set_line_width(cr, f.smileWidth);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  pen.colour(Gold, 2);
  cairo_stroke(cr);
  cairo_new_path(cr);
  ellipsePath(cr, cx - r * f.cheekX, cy + r * f.cheekY, r * f.cheekRX, r * f.cheekRY);
  ellipsePath(cr, cx + r * f.cheekX, cy + r * f.cheekY, r * f.cheekRX, r * f.cheekRY);
  pen.colour(Orange, 11);
  cairo_fill(cr);
}

namespace {

// A limb: a thick rounded line from (x0, y0) of length len at angle a from
// straight down (positive swings forward, to the right).
void limb(const Pen& pen, double x0, double y0, double len, double a, double width, Ink ink, Ink end,
          double endR) {
  cairo_t* cr = pen.cr;
  double x1 = x0 + len * std::sin(a), y1 = y0 + len * std::cos(a);
  // The outline of the limb first, then its colour, then the hand or shoe.
  cairo_new_path(cr);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, width + 2);
  pen.colour(ink.outlineRamp < 0 ? ink.ramp : ink.outlineRamp, ink.outlineShade);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, width);
  pen.colour(ink.ramp, ink.shade);
  cairo_stroke(cr);
  if (endR > 0) part(pen, [&] { ellipsePath(cr, x1, y1, endR, endR); }, end, 0.9);
}

}  // namespace

void drawCap(const Pen& pen, double cx, double cy, double angle) {
  cairo_t* cr = pen.cr;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  // The visor towards the front (right), then the dome.
  part(pen, [&] { ellipsePath(cr, 5.5, 1.2, 5, 1.6); }, {Red, 6, Red, 1}, 0.9);
  part(pen, [&] {
    cairo_arc(cr, 0, 1.8, 7.2, M_PI, 2 * M_PI);
    cairo_close_path(cr);
  }, {Red, 8, Red, 1}, 0.9);
  cairo_new_path(cr);
  ellipsePath(cr, -2.2, -2.2, 2.0, 1.2, -0.4);
  pen.colour(Red, 12);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_arc(cr, 0, -5.4, 1.3, 0, 2 * M_PI);
  pen.colour(Gold, 10);
  cairo_fill(cr);
  cairo_restore(cr);
}

void drawHero(const Pen& pen, double x, double y, const HeroPose& pose) {
  cairo_t* cr = pen.cr;
  cairo_save(cr);
  const double phase = 2 * M_PI * pose.walk;
  const double bob = pose.armsUp > 0 || pose.lift > 0 ? 0 : -std::abs(std::sin(phase)) * 1.0;
  cairo_translate(cr, x, y - pose.lift);
  cairo_rotate(cr, pose.lean);

  const Ink trousers{Blue, 6, Blue, 1};
  const Ink shoe{Brown, 4, Brown, 1};
  const Ink shirt{Teal, 9, Teal, 2};
  const Ink skin{Skin, 11, Skin, 3};
  const double swing = pose.armsUp > 0 ? 0 : 0.7 * std::sin(phase);
  const double hipY = -10 + bob;
  // Legs: the far one darker, behind the body.
  limb(pen, -0.5, hipY, 7.5, -swing, 3.6, {Blue, 4, Blue, 1}, {Brown, 3, Brown, 1}, 0);
  {
    double a = -swing;
    double fx = -0.5 + 7.5 * std::sin(a), fy = hipY + 7.5 * std::cos(a);
    part(pen, [&] { ellipsePath(cr, fx + 1.4, fy + 0.6, 2.6, 1.6); }, {Brown, 3, Brown, 1}, 0.8);
  }
  // The far arm, behind the body.
  const double shoulderY = -18 + bob;
  auto armAngle = [&](bool near) {
    double walking = near ? -swing : swing;
    double up = near ? 2.7 : -2.7;
    return walking + (up - walking) * pose.armsUp;
  };
  limb(pen, -0.5, shoulderY, 7.5, armAngle(false), 2.8, {Teal, 6, Teal, 1}, {Skin, 9, Skin, 3}, 1.8);
  // Body: a rounded shirt.
  part(pen, [&] { pen.roundedRect({-5.5, -20.5 + bob, 11, 12}, 3.5); }, shirt);
  cairo_new_path(cr);
  pen.roundedRect({-4.5, -14 + bob, 9, 2}, 1);
  pen.colour(Gold, 11);
  cairo_fill(cr);
  // The near leg.
  limb(pen, 0.5, hipY, 7.5, swing, 3.6, trousers, shoe, 0);
  {
    double fx = 0.5 + 7.5 * std::sin(swing), fy = hipY + 7.5 * std::cos(swing);
    part(pen, [&] { ellipsePath(cr, fx + 1.4, fy + 0.6, 2.6, 1.6); }, shoe, 0.8);
  }
  // Head, with the hair at the back and an ear.
  const double hx = 1.0, hy = -27.5 + bob;
  part(pen, [&] { ellipsePath(cr, hx, hy, 7.6, 7.4); }, skin);
  cairo_save(cr);
  cairo_new_path(cr);
  ellipsePath(cr, hx, hy, 7.6, 7.4);
  cairo_clip(cr);
  cairo_new_path(cr);
  ellipsePath(cr, hx - 7.5, hy - 1.5, 5.2, 7.5);
  pen.colour(Brown, 5);
  cairo_fill(cr);
  cairo_restore(cr);
  part(pen, [&] { ellipsePath(cr, hx - 2.2, hy + 1.0, 1.6, 2.0); }, {Skin, 10, Skin, 3}, 0.7);
  if (pose.laughing) {
    eye(pen, hx + 3.6, hy - 0.8, 1.7, true);
    cairo_new_path(cr);
    cairo_move_to(cr, hx + 1.5, hy + 2.4);
    cairo_curve_to(cr, hx + 2.5, hy + 6.4, hx + 5.8, hy + 5.6, hx + 6.3, hy + 2.0);
    cairo_close_path(cr);
    pen.colour(Red, 3);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.8);
    pen.colour(Slate, 1);
    cairo_stroke(cr);
  } else {
    eye(pen, hx + 3.8, hy - 0.4, pose.surprised ? 1.6 : 1.2);
    cairo_new_path(cr);
    if (pose.surprised) {
      ellipsePath(cr, hx + 4.4, hy + 3.4, 1.1, 1.4);
      pen.colour(Red, 3);
      cairo_fill(cr);
    } else {
      cairo_save(cr);
      cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
      cairo_move_to(cr, hx + 3.2, hy + 3.4);
      cairo_curve_to(cr, hx + 3.8, hy + 4.4, hx + 5.0, hy + 4.4, hx + 5.8, hy + 3.2);
      cairo_set_line_width(cr, 1.0);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      pen.colour(Slate, 1);
      cairo_stroke(cr);
      cairo_restore(cr);
    }
  }
  cairo_new_path(cr);
  ellipsePath(cr, hx + 2.0, hy + 2.8, 1.5, 1.0);
  pen.colour(Pink, 10);
  cairo_fill(cr);
  if (pose.cap) {
    drawCap(pen, hx + 0.3, hy - 5.0, 0);
  } else {
    // Without the cap: brown hair on top, with a tuft.
    part(pen, [&] {
      cairo_arc(cr, hx, hy, 7.6, M_PI * 1.02, M_PI * 1.85);
      cairo_curve_to(cr, hx + 3, hy - 4, hx - 2, hy - 5, hx - 7.4, hy - 0.5);
      cairo_close_path(cr);
    }, {Brown, 5, Brown, 1}, 0.9);
    part(pen, [&] {
      cairo_move_to(cr, hx - 1, hy - 7);
      cairo_curve_to(cr, hx - 1, hy - 10, hx + 2, hy - 11, hx + 3, hy - 10);
      cairo_curve_to(cr, hx + 1, hy - 9.5, hx + 0.5, hy - 8, hx + 1, hy - 7);
      cairo_close_path(cr);
    }, {Brown, 5, Brown, 1}, 0.8);
  }
  // The near arm, in front.
  limb(pen, 0.5, shoulderY, 7.5, armAngle(true), 2.8, shirt, skin, 1.8);
  cairo_restore(cr);
}

zb::FrameData frame(DataSet& data, const Palette& palette, int w, int h,
                    const std::function<void(const Pen&, cairo_t* shade)>& draw) {
  Canvas canvas(w, h);
  draw(Pen{canvas.cr(), palette, data}, canvas.shade());
  return makeFrame(canvas, palette);
}

}  // namespace zbdata::game
