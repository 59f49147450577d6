#include "menu_draw.h"

#include <cmath>

namespace zbdata::menu {

void Pen::colour(int ramp, int shade, double alpha) const {
  const Rgb& c = palette.colours()[Palette::index(ramp, shade)];
  cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

void Pen::roundedRect(const Box& b, double radius) const {
  double r = std::min({radius, b.w / 2, b.h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, b.right() - r, b.y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, b.right() - r, b.bottom() - r, r, 0, M_PI / 2);
  cairo_arc(cr, b.x + r, b.bottom() - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, b.x + r, b.y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Pen::fillRounded(const Box& b, double radius, int ramp, int shade) const {
  if (b.w <= 0 || b.h <= 0) return;
  roundedRect(b, radius);
  colour(ramp, shade);
  cairo_fill(cr);
}

void Pen::strokeRounded(const Box& b, double radius, double width, int ramp, int shade) const {
  if (b.w <= width || b.h <= width) return;
  roundedRect(b.inset(width / 2), std::max(0.0, radius - width / 2));
  colour(ramp, shade);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void Pen::svg(const std::string& artFile, const Box& b) const {
  // Rendered on a scratch surface and painted here, so that this
  // context's translation and clip apply to the icon too.
  int w = static_cast<int>(std::ceil(b.w));
  int h = static_cast<int>(std::ceil(b.h));
  Canvas scratch(w, h);
  scratch.drawSvgFile(data.source("art/" + artFile), 0, 0, b.w, b.h, data);
  cairo_save(cr);
  cairo_set_source_surface(cr, cairo_get_target(scratch.cr()), b.x, b.y);
  cairo_paint(cr);
  cairo_restore(cr);
}

void drawBoard(const Pen& pen, const Box& b) {
  if (b.w < 4 || b.h < 4) return;
  double r = std::min(kBoardRadius, std::min(b.w, b.h) / 2);
  pen.fillRounded(b, r, Slate, 1);                       // dark outline
  pen.fillRounded(b.inset(2), r - 2, Slate, 11);         // light rim
  pen.fillRounded(b.inset(5), r - 5, Slate, 3);          // lower body, in shadow
  Box top = b.inset(5);
  top.h -= 3;
  pen.fillRounded(top, r - 5, Slate, 5);                 // lit upper edge
  Box body = b.inset(5);
  body.y += 2;
  body.h -= 5;
  pen.fillRounded(body, r - 6, Slate, 4);                // the body
}

void drawInset(const Pen& pen, const Box& b, double radius, int shade) {
  pen.fillRounded(b, radius, Slate, 6);  // light lower edge
  Box upper = b;
  upper.h -= 1;
  pen.fillRounded(upper, radius, Slate, 1);
  pen.fillRounded({b.x + 1, b.y + 2, b.w - 2, b.h - 3}, std::max(0.0, radius - 1), Slate, shade);
}

void star(const Pen& pen, double cx, double cy, double r, int ramp) {
  cairo_t* cr = pen.cr;
  cairo_new_path(cr);
  for (int k = 0; k < 10; ++k) {
    double a = -M_PI / 2 + k * M_PI / 5;
    double rr = k % 2 == 0 ? r : r * 0.45;
    cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  pen.colour(ramp, 3);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke_preserve(cr);
  pen.colour(ramp, 11);
  cairo_fill(cr);
}

double easeInOut(double t) { return t < 0.5 ? 2 * t * t : 1 - std::pow(-2 * t + 2, 2) / 2; }
double easeOut(double t) { return 1 - (1 - t) * (1 - t) * (1 - t); }
double lerp(double a, double b, double t) { return a + (b - a) * t; }

zb::FrameData drawFrame(DataSet& data, const Palette& palette, int originX, int originY, int w, int h,
                        const std::function<void(const Pen&)>& draw) {
  Canvas canvas(w, h);
  cairo_t* cr = canvas.cr();
  cairo_save(cr);
  cairo_translate(cr, -originX, -originY);
  draw(Pen{cr, palette, data});
  cairo_restore(cr);
  return makeFrame(canvas, palette);
}

}  // namespace zbdata::menu
