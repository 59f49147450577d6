// Drawing helpers of the game's pictures: cartoon parts with soft dark
// outlines, the hero in any pose, hearts, stars and bubbles, and the sizes
// the pictures share with each other.
#pragma once

#include <cairo.h>

#include <functional>
#include <vector>

#include "menu_draw.h"

namespace zbdata::game {

using menu::Box;
using menu::Pen;
using menu::Ramp;
using namespace menu;  // the ramp names

// The hero's frame: the game stands it left of the first letter and walks
// it 16 pixels per letter, its right edge ending on the letter just typed.
inline constexpr int kHeroWidth = 22;
inline constexpr int kHeroHeight = 38;
inline constexpr int kHeroFrames = 8;

// A shape with a dark outline of the given width around it: the path is
// built by shape, stroked twice as wide in the outline colour, then
// filled. Outline ramp and shade default to the fill's own ramp, shade 2.
struct Ink {
  int ramp;
  int shade;
  int outlineRamp = -1;
  int outlineShade = 2;
};
void part(const Pen& pen, const std::function<void()>& shape, Ink ink, double outline = 1.0);
// An ellipse path (no outline, no fill).
void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double angle = 0);
// A flat shade ellipse on the ground under a character (shade layer).
void groundShadow(cairo_t* shade, double cx, double bottom, double rx);

void heart(const Pen& pen, double cx, double cy, double size, int ramp = Pink);
void star(const Pen& pen, double cx, double cy, double r, int ramp = Gold, double angle = 0);
void bubble(const Pen& pen, double cx, double cy, double r);
// A small round eye looking right: white, pupil, shine. closed: a happy arc.
void eye(const Pen& pen, double cx, double cy, double r, bool closed = false);
// A smiling face on a head of size r centred on (cx, cy): two eyes, a
// smile and two blushing cheeks, placed and sized in parts of r.
struct FaceProportions {
  double eyeX, eyeY, eyeR;
  double smileY, smileR, smileInset, smileWidth;  // smileWidth in pixels
  double cheekX, cheekY, cheekRX, cheekRY;
};
void smilingFace(const Pen& pen, double cx, double cy, double r, const FaceProportions& f);

// How the hero stands. x and y of draw calls are the middle of its feet on
// the ground.
struct HeroPose {
  double walk = 0;       // phase of the walk cycle, 0..1
  double armsUp = 0;     // 0 arms swinging, 1 arms raised high
  bool laughing = false; // eyes closed in a laugh, mouth open
  bool surprised = false;
  bool cap = true;       // the cap on the head
  double lean = 0;       // radians, positive leans back (to the right)
  double lift = 0;       // pixels above the ground (a hop)
};
void drawHero(const Pen& pen, double x, double y, const HeroPose& pose);
// The hero's red cap on its own, centred at (cx, cy), turned by angle.
void drawCap(const Pen& pen, double cx, double cy, double angle);

// A picture of w x h made of frames drawn in frame coordinates.
zb::FrameData frame(DataSet& data, const Palette& palette, int w, int h,
                    const std::function<void(const Pen&, cairo_t* shade)>& draw);

}  // namespace zbdata::game
