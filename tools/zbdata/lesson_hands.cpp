// The two hands lying on the lesson's keyboard (DDATA\imhnd.im3) and
// lifting away (DDATA\TRNSF\dmhnds.im3).
//
// Both are drawn in the hands' own space: (0, 0) is where the animation
// plays, (handsX, 306) on screen, and the hands stay inside the 523 x 134
// rectangle the program saves there. One picture serves every keyboard
// type, since each type lays its home row at the same distance from
// handsX; the thumbs rest on the space bar, where the types differ, so
// each thumb covers its resting places on all of them.
#include <algorithm>
#include <cmath>
#include <string>

#include "lesson_draw.h"
#include "picture.h"

namespace zbdata::lesson {

namespace {

using menu::Skin;

struct Point {
  double x = 0, y = 0;
};

// A fingertip marker is 22 x 26 and stands 3 pixels up and left of its
// shadow corner: its middle is here, from that corner.
constexpr double kMarkerMiddleX = 8, kMarkerMiddleY = 10;

struct Finger {
  double x = 0;     // middle of the finger
  double tip = 0;   // topmost row of the fingertip
  double r = 0;     // half its width
  double web = 0;   // where it meets the back of the hand
};

// A hand seen from above, fingers pointing up the keyboard. inward is +1
// for the left hand (its thumb is on its right) and -1 for the right one.
struct Hand {
  double inward = 1;
  std::array<Finger, 4> fingers;  // little, ring, middle, index
  Point thumbTip;                  // middle of the thumb's round end
  double thumbR = 12.5;
  Point thumbBase;
  double outerEdge() const { return fingers[0].x - inward * (fingers[0].r + 3); }
  double innerEdge() const { return fingers[3].x + inward * (fingers[3].r + 3); }
};

constexpr double kOutline = 2.2;

// Finger sizes from the little finger to the index: half width and how
// far each reaches above the back of the hand.
constexpr std::array<double, 4> kFingerR = {10.5, 12, 12.5, 12.5};
constexpr std::array<double, 4> kFingerReach = {46, 56, 60, 56};

Hand makeHand(const HandsPlace& place, bool left, const std::vector<HandsPlace>& places) {
  Hand hand;
  hand.inward = left ? 1 : -1;
  // Fingers little .. index: 0..3 on the left hand, 9..6 on the right.
  for (int i = 0; i < 4; ++i) {
    int f = left ? i : 9 - i;
    Finger& finger = hand.fingers[i];
    finger.x = place.rests[f].first - place.handsX + kMarkerMiddleX + 1;
    finger.tip = place.rests[f].second - kHandsTop - 2;
    finger.r = kFingerR[i];
    finger.web = finger.tip + kFingerReach[i];
  }
  // The thumb lies on the space bar near the inner edge of the hand, as
  // close to the middle of its resting places as that allows.
  const int thumb = left ? 4 : 5;
  double sum = 0, inner = left ? -1e9 : 1e9, y = 0;
  for (const HandsPlace& p : places) {
    double x = p.rests[thumb].first - p.handsX + kMarkerMiddleX;
    sum += x;
    inner = left ? std::max(inner, x) : std::min(inner, x);
    y = p.rests[thumb].second - kHandsTop + kMarkerMiddleY;
  }
  double mean = sum / static_cast<double>(places.size());
  hand.thumbTip = {std::clamp(mean, inner - 10, inner + 10), y - 2};
  hand.thumbBase = {hand.thumbTip.x - 30 * hand.inward, 121};
  return hand;
}

// A smooth closed curve through the points (Catmull-Rom).
void smoothClosed(cairo_t* cr, const std::vector<Point>& p) {
  const size_t n = p.size();
  cairo_new_path(cr);
  cairo_move_to(cr, p[0].x, p[0].y);
  for (size_t i = 0; i < n; ++i) {
    const Point& a = p[(i + n - 1) % n];
    const Point& b = p[i];
    const Point& c = p[(i + 1) % n];
    const Point& d = p[(i + 2) % n];
    cairo_curve_to(cr, b.x + (c.x - a.x) / 6, b.y + (c.y - a.y) / 6, c.x - (d.x - b.x) / 6, c.y - (d.y - b.y) / 6, c.x,
                   c.y);
  }
  cairo_close_path(cr);
}

void backPath(cairo_t* cr, const Hand& h) {
  const double d = h.inward, outer = h.outerEdge(), inner = h.innerEdge();
  const auto& f = h.fingers;
  smoothClosed(cr, {{outer, f[0].web + 8},
                    {f[0].x, f[0].web - 4},
                    {f[1].x, f[1].web - 6},
                    {f[2].x, f[2].web - 6},
                    {f[3].x, f[3].web - 4},
                    {inner, f[3].web + 8},
                    {inner - 8 * d, 78},
                    {inner - 22 * d, 102},
                    {inner - 24 * d, 145},
                    {outer + 14 * d, 145},
                    {outer + 2 * d, 100}});
}

void segment(cairo_t* cr, Point a, Point b, double width) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, width);
  cairo_new_path(cr);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_stroke(cr);
}

Point fingerTipMiddle(const Finger& f) { return {f.x, f.tip + f.r}; }
// Fingers lean a little towards the middle of the hand.
Point fingerRoot(const Hand& h, const Finger& f) {
  double middle = (h.fingers[0].x + h.fingers[3].x) / 2;
  return {f.x + (middle - f.x) * 0.12, f.web + 16};
}

// The silhouette of a hand (back, fingers, thumb), grown by `grow` pixels.
void silhouette(cairo_t* cr, const Hand& h, double grow) {
  backPath(cr, h);
  if (grow > 0) {
    cairo_set_line_width(cr, 2 * grow);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  cairo_fill(cr);
  for (const Finger& f : h.fingers) segment(cr, fingerTipMiddle(f), fingerRoot(h, f), 2 * (f.r + grow));
}

// The thumb lies over the palm: it is cut off where it comes out of it,
// so that no outline shows there.
void thumb(cairo_t* cr, const Hand& h, double grow) {
  const double dx = h.thumbTip.x - h.thumbBase.x, dy = h.thumbTip.y - h.thumbBase.y;
  const double length = std::hypot(dx, dy), ux = dx / length, uy = dy / length;
  cairo_save(cr);
  // The half of the plane on the tip's side of the base.
  const Point c{h.thumbBase.x + 2 * ux, h.thumbBase.y + 2 * uy};
  cairo_new_path(cr);
  cairo_move_to(cr, c.x - 200 * uy, c.y + 200 * ux);
  cairo_line_to(cr, c.x + 200 * uy, c.y - 200 * ux);
  cairo_line_to(cr, c.x + 200 * uy + 200 * ux, c.y - 200 * ux + 200 * uy);
  cairo_line_to(cr, c.x - 200 * uy + 200 * ux, c.y + 200 * ux + 200 * uy);
  cairo_close_path(cr);
  cairo_clip(cr);
  segment(cr, {h.thumbBase.x - 10 * ux, h.thumbBase.y - 10 * uy}, h.thumbTip, 2 * (h.thumbR + grow));
  cairo_restore(cr);
}

void nail(const Pen& pen, Point middle, double r, double angle) {
  cairo_t* cr = pen.cr;
  cairo_save(cr);
  cairo_translate(cr, middle.x, middle.y);
  cairo_rotate(cr, angle);
  const double w = r * 0.95, h = r * 1.0;
  pen.fillRounded({-w / 2, -h / 2, w, h}, w * 0.45, Skin, 7);
  pen.fillRounded({-w / 2 + 1.2, -h / 2 + 1.2, w - 2.4, h - 2.4}, w * 0.4, menu::Pink, 14);
  pen.fillRounded({-w / 2 + 2.2, -h / 2 + 2.2, 2.2, h * 0.4}, 1.1, Skin, 15);
  cairo_restore(cr);
}

void crease(const Pen& pen, double x, double y, double half, double bend) {
  cairo_t* cr = pen.cr;
  cairo_new_path(cr);
  cairo_move_to(cr, x - half, y);
  cairo_curve_to(cr, x - half / 2, y + bend, x + half / 2, y + bend, x + half, y);
  pen.colour(Skin, 6);
  cairo_set_line_width(cr, 1.3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

// One hand: outline, skin, light, nails, creases, and the jumper's cuff.
void drawHand(const Pen& pen, const Hand& h) {
  cairo_t* cr = pen.cr;
  pen.colour(Skin, 2);
  silhouette(cr, h, kOutline);
  pen.colour(Skin, 10);
  silhouette(cr, h, 0);
  // Light from the upper left: a lighter stripe down every finger.
  for (const Finger& f : h.fingers) {
    Point a = fingerTipMiddle(f), b = fingerRoot(h, f);
    pen.colour(Skin, 11);
    segment(cr, {a.x - f.r * 0.35, a.y + 1}, {b.x - f.r * 0.35, b.y - 14}, f.r * 0.75);
  }
  // The thumb, over the palm.
  pen.colour(Skin, 2);
  thumb(cr, h, kOutline);
  pen.colour(Skin, 10);
  thumb(cr, h, 0);
  {
    cairo_save(cr);
    cairo_translate(cr, -3.5, 1);
    pen.colour(Skin, 11);
    Hand light = h;
    light.thumbR = h.thumbR * 0.4;
    light.thumbTip.y += 2;
    thumb(cr, light, 0);
    cairo_restore(cr);
  }
  for (const Finger& f : h.fingers) {
    nail(pen, {f.x, f.tip + f.r - 0.5}, f.r, 0);
    crease(pen, f.x + (fingerRoot(h, f).x - f.x) * 0.4, f.tip + (f.web - f.tip) * 0.55, f.r * 0.5, 2.5);
    crease(pen, fingerRoot(h, f).x, f.web + 7, f.r * 0.45, -2.5);  // the knuckle
  }
  {
    double angle = std::atan2(h.thumbTip.x - h.thumbBase.x, h.thumbBase.y - h.thumbTip.y);
    double ux = std::sin(angle), uy = -std::cos(angle);  // from base to tip
    nail(pen, {h.thumbTip.x + ux * 1.5, h.thumbTip.y + uy * 1.5}, h.thumbR * 0.9, angle);
  }
  // The cuff of the jumper at the wrist, striped.
  const double a = h.outerEdge() + 6 * h.inward, b = h.innerEdge() - 20 * h.inward;
  Box cuff{std::min(a, b), 124, std::abs(b - a), 30};
  pen.fillRounded(cuff, 7, menu::Sky, 2);
  pen.fillRounded(cuff.inset(2), 5, menu::Sky, 8);
  pen.fillRounded({cuff.x + 2, cuff.y + 2, cuff.w - 4, 3}, 1.5, menu::Sky, 11);
  pen.fillRounded({cuff.x + 4, cuff.y + 9, cuff.w - 8, 3}, 1.5, menu::Gold, 10);
}

// A twinkle where a fingertip rested: the marker appears there next.
void twinkle(const Pen& pen, Point c, double r) {
  if (r <= 0.5) return;
  cairo_t* cr = pen.cr;
  cairo_new_path(cr);
  for (int k = 0; k < 8; ++k) {
    double a = -M_PI / 2 + k * M_PI / 4;
    double rr = k % 2 == 0 ? r : r * 0.38;
    cairo_line_to(cr, c.x + rr * std::cos(a), c.y + rr * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  pen.colour(menu::Gold, 4);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke_preserve(cr);
  pen.colour(menu::Gold, 12);
  cairo_fill(cr);
  cairo_arc(cr, c.x, c.y, std::max(0.8, r * 0.18), 0, 2 * M_PI);
  pen.colour(menu::Gold, 15);
  cairo_fill(cr);
}

struct Hands {
  Hand left, right;
  std::vector<Point> rests;  // the marker middles of the eight fingers on the home row
};

// Both hands moved by (dx, dy).
void drawHands(const Pen& pen, const Hands& hands, double dx, double dy) {
  cairo_save(pen.cr);
  cairo_translate(pen.cr, dx, dy);
  drawHand(pen, hands.left);
  drawHand(pen, hands.right);
  cairo_restore(pen.cr);
}

// Their shadow on the keys, moved by (sx, sy), on the shade layer.
void drawShadow(cairo_t* shade, const Hands& hands, double sx, double sy) {
  cairo_save(shade);
  cairo_translate(shade, sx, sy);
  cairo_set_source_rgba(shade, 0, 0, 0, 1);
  for (const Hand* h : {&hands.left, &hands.right}) {
    silhouette(shade, *h, 1);
    thumb(shade, *h, 1);
  }
  cairo_restore(shade);
}

}  // namespace

void buildHands(DataSet& data, const Palette& palette, const std::vector<HandsPlace>& places) {
  const HandsPlace& first = places.front();
  // The fingers' home keys must stand at the same distance from handsX on
  // every type, or one picture cannot fit them all.
  for (const HandsPlace& p : places)
    for (int f : {0, 1, 2, 3, 6, 7, 8, 9})
      if (p.rests[f].first - p.handsX != first.rests[f].first - first.handsX ||
          p.rests[f].second != first.rests[f].second)
        data.error("keyboard type " + std::to_string(p.type) + ": finger " + std::to_string(f) +
                   " rests elsewhere under the hands than on type " + std::to_string(first.type) +
                   " (see @hands in kbdt" + std::to_string(p.type + 1) + ".tsv)");
  Hands hands{makeHand(first, true, places), makeHand(first, false, places), {}};
  for (int f : {0, 1, 2, 3, 6, 7, 8, 9})
    hands.rests.push_back({first.rests[f].first - first.handsX + kMarkerMiddleX,
                           first.rests[f].second - kHandsTop + kMarkerMiddleY});

  // The hands lying still, drawn at (handsX - 1, 305): one empty row and
  // column around the hands' own space.
  Canvas still(kHandsWidth + 1, kHandsHeight + 1);
  {
    cairo_t* cr = still.cr();
    cairo_translate(cr, 1, 1);
    cairo_rectangle(cr, 0, 0, kHandsWidth, kHandsHeight);
    cairo_clip(cr);
    drawHands(Pen{cr, palette, data}, hands, 0, 0);
  }
  // Every fingertip covers its marker's middle, on every type.
  for (const HandsPlace& p : places)
    for (int f = 0; f < 10; ++f) {
      int x = p.rests[f].first - p.handsX + 1 + static_cast<int>(kMarkerMiddleX);
      int y = p.rests[f].second - kHandsTop + 1 + static_cast<int>(kMarkerMiddleY);
      if (x < 0 || y < 0 || x >= still.width() || y >= still.height() || still.pixel(x, y).a < 128)
        data.error("the lesson's hands leave the resting place of finger " + std::to_string(f) +
                   " bare on keyboard type " + std::to_string(p.type));
    }
  writeImage(data, "DDATA\\imhnd.im3", {makeFrame(still, palette)});

  // Lifting away: the hands rise off the keys (their shadow shows), then
  // slide down out of sight towards the child, while a
  // twinkle lights every key a finger rested on.
  constexpr int kFrames = 10;
  const Box area{0, 0, kHandsWidth, kHandsHeight};
  std::vector<zb::FrameData> frames;
  for (int k = 0; k < kFrames; ++k) {
    const double lift = std::min(k, 2);
    const double t = k <= 2 ? 0 : std::min(1.0, (k - 2) / 6.0);
    const double down = 140 * std::pow(t, 1.6);
    const double twinkleR = k < 4 ? 0 : std::array<double, 6>{5, 9, 11, 10, 8, 5}[static_cast<size_t>(k - 4)];
    frames.push_back(croppedFrame(data, palette, area, 0, 0, [&](const Pen& pen, cairo_t* shade) {
      cairo_save(pen.cr);
      cairo_rectangle(pen.cr, 0, 0, kHandsWidth, kHandsHeight);
      cairo_clip(pen.cr);
      drawHands(pen, hands, -lift, -lift + down);
      for (const Point& p : hands.rests) twinkle(pen, p, twinkleR);
      cairo_restore(pen.cr);
      if (k >= 1 && k <= 6) {
        cairo_save(shade);
        cairo_rectangle(shade, 0, 0, kHandsWidth, kHandsHeight);
        cairo_clip(shade);
        drawShadow(shade, hands, 2 * lift, 3 * lift + down * 1.1);
        cairo_restore(shade);
      }
    }));
  }
  writeImage(data, "DDATA\\TRNSF\\dmhnds.im3", frames);
}

}  // namespace zbdata::lesson
