// Drawing helpers shared by the menu pictures: palette colours by ramp and
// shade, rounded shapes, the menu board and its insets, icons from SVG.
//
// Menu art is drawn in screen coordinates: a canvas for a picture shown at
// (x, y) is translated by (-x, -y) first, so that every element is placed
// where the screens' texts and markers expect it.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

#include "dataset.h"
#include "palette.h"
#include "picture.h"

namespace zbdata::menu {

// Ramps of the palette.
enum Ramp : int {
  Grey = 0, Red, Orange, Skin, Brown, Gold, Grass, Green, Teal, Sky, Slate, Blue, Purple, Pink
};

struct Box {
  double x = 0, y = 0, w = 0, h = 0;
  double right() const { return x + w; }
  double bottom() const { return y + h; }
  Box inset(double d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
};

// Everything a drawing needs: the canvas context and the palette.
struct Pen {
  cairo_t* cr;
  const Palette& palette;
  DataSet& data;

  // Sets the source to the palette colour of ramp and shade (0 darkest, 15 lightest).
  void colour(int ramp, int shade, double alpha = 1.0) const;
  void roundedRect(const Box& b, double radius) const;
  void fillRounded(const Box& b, double radius, int ramp, int shade) const;
  // A closed outline of the given width inside the box.
  void strokeRounded(const Box& b, double radius, double width, int ramp, int shade) const;
  // An SVG file of the art folder ("menus/icon-play.svg") drawn into box.
  void svg(const std::string& artFile, const Box& b) const;
};

// The deep slate menu board with its dark outline and light rim.
void drawBoard(const Pen& pen, const Box& b);
// A sunken field on the board (for grids, name fields, status columns).
void drawInset(const Pen& pen, const Box& b, double radius, int shade = 2);

inline constexpr double kBoardRadius = 18;

// A five-pointed star of radius r with a dark outline.
void star(const Pen& pen, double cx, double cy, double r, int ramp);

// Smooth easing of t in [0, 1].
double easeInOut(double t);
double easeOut(double t);
double lerp(double a, double b, double t);

// Draws one frame: a canvas of w x h showing screen coordinates from
// (originX, originY), on which draw is called, then quantised.
zb::FrameData drawFrame(DataSet& data, const Palette& palette, int originX, int originY, int w, int h,
                        const std::function<void(const Pen&)>& draw);

}  // namespace zbdata::menu

namespace zbdata::menu {

// A key cap: dark outline, darker lower edge, light face.
void drawKeyCap(const Pen& pen, const Box& b, int ramp, int shade);
// The three keyboard types (0 full size with a straight Enter, 1 ISO with
// the L-shaped Enter, 2 compact laptop) as small pictures filling box
// (about 72 x 34 at scale 1), and a close-up of each one's Enter corner
// (72 x 52 at scale 1), the part that tells them apart.
void drawKeyboardType(const Pen& pen, int type, double x, double y, double scale);
void drawEnterCloseUp(const Pen& pen, int type, double x, double y, double scale);

}  // namespace zbdata::menu
