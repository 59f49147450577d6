// Cursors (MDATA\CRSRS) and the main menu's status markers
// (MDATA\MRKRS): keyboard type, sound and mouse switches with their
// turning animations (MDATA\TRNSF\snmnmnu, msmnmnu).
#include <cmath>
#include <string>

#include "menu_draw.h"
#include "menu_pictures.h"

namespace zbdata::menu {

namespace {

constexpr int kCursorFrames = 8;

uint16_t up(int pixels) { return static_cast<uint16_t>(-pixels); }

// The glow of a cursor's rim over one loop: shades 9 to 13 and back.
int glow(int k) {
  double s = std::sin(2 * M_PI * k / kCursorFrames);
  return 11 + static_cast<int>(std::lround(2 * s));
}

// A bar under the highlighted item: dark tint of its colour, so that gold
// text reads on it, with a rim that glows and fades. It is raised so that
// its middle meets the middle of the menu font's capitals (row 5 of 15),
// and tall enough to hold the whole cell of the text it lights.
std::vector<zb::FrameData> barCursor(DataSet& data, const Palette& palette, int ramp, int w, int h,
                                     int raise) {
  std::vector<zb::FrameData> frames;
  for (int k = 0; k < kCursorFrames; ++k) {
    zb::FrameData f = drawFrame(data, palette, 0, 0, w, h, [&](const Pen& pen) {
      Box b{0, 0, double(w), double(h)};
      double r = h / 2.0;
      pen.fillRounded(b, r, ramp, 1);
      pen.fillRounded(b.inset(1), r - 1, ramp, glow(k));
      pen.fillRounded(b.inset(3), r - 3, ramp, 4);
      pen.fillRounded({6, 4, w - 12.0, 2}, 1, ramp, 6);
    });
    f.offsetY = up(raise);
    frames.push_back(std::move(f));
  }
  return frames;
}

// A frame around the chosen keyboard type, with an arrow bobbing above it.
std::vector<zb::FrameData> keyboardCursor(DataSet& data, const Palette& palette) {
  const int w = 84;
  const int h = 168;
  const int arrowRoom = 14;
  std::vector<zb::FrameData> frames;
  for (int k = 0; k < kCursorFrames; ++k) {
    zb::FrameData f = drawFrame(data, palette, 0, -arrowRoom, w, h + arrowRoom, [&](const Pen& pen) {
      Box b{0, 0, double(w), double(h)};
      pen.strokeRounded(b, 10, 5.5, Gold, 2);
      pen.strokeRounded(b.inset(1), 9, 3.5, Gold, glow(k));
      double bob = 2.5 * std::sin(2 * M_PI * k / kCursorFrames);
      double cx = w / 2.0;
      double tip = -2 + bob;
      cairo_t* cr = pen.cr;
      cairo_move_to(cr, cx - 8, tip - 9);
      cairo_line_to(cr, cx + 8, tip - 9);
      cairo_line_to(cr, cx, tip);
      cairo_close_path(cr);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_set_line_width(cr, 2);
      pen.colour(Gold, 2);
      cairo_stroke_preserve(cr);
      pen.colour(Gold, glow(k));
      cairo_fill(cr);
    });
    f.offsetY = up(arrowRoom);
    frames.push_back(std::move(f));
  }
  return frames;
}

constexpr int kSwitchW = 48;
constexpr int kSwitchH = 22;
constexpr int kSwitchFrames = 8;

// A toggle switch with the icon on its knob; off = 0 shows it on, 1 off.
zb::FrameData switchFrame(DataSet& data, const Palette& palette, const char* iconName, double off) {
  return drawFrame(data, palette, 0, 0, kSwitchW, kSwitchH, [&](const Pen& pen) {
    cairo_t* cr = pen.cr;
    Box b{0, 0, kSwitchW, kSwitchH};
    bool on = off < 0.5;
    pen.fillRounded(b, 11, Slate, 1);
    pen.fillRounded(b.inset(1.3), 9.7, on ? Grass : Slate, on ? 6 : 6);
    pen.fillRounded({2.5, 3.5, kSwitchW - 5.0, kSwitchH - 5.0}, 8.5, on ? Grass : Slate, on ? 8 : 8);
    // A tick where the knob is not when on, a cross when off.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.4);
    if (on) {
      cairo_move_to(cr, 7.5, 11.5);
      cairo_line_to(cr, 10.5, 14.5);
      cairo_line_to(cr, 16, 7.5);
      pen.colour(Grass, 15);
    } else {
      cairo_move_to(cr, 33, 7.5);
      cairo_line_to(cr, 40, 14.5);
      cairo_move_to(cr, 40, 7.5);
      cairo_line_to(cr, 33, 14.5);
      pen.colour(Slate, 13);
    }
    cairo_stroke(cr);
    double cx = lerp(kSwitchW - 11.0, 11.0, easeInOut(off));
    cairo_arc(cr, cx, 11, 10, 0, 2 * M_PI);
    pen.colour(Slate, 1);
    cairo_fill(cr);
    cairo_arc(cr, cx, 11, 8.8, 0, 2 * M_PI);
    pen.colour(Slate, 11);
    cairo_fill(cr);
    cairo_arc(cr, cx, 10.2, 8.0, 0, 2 * M_PI);
    pen.colour(Slate, 15);
    cairo_fill(cr);
    pen.svg(std::string("menus/icon-") + iconName + ".svg", {cx - 7.5, 4.2, 15, 11.7});
  });
}

void buildSwitch(DataSet& data, const Palette& palette, const char* iconName, const std::string& onPath,
                 const std::string& offPath, const std::string& turnPath) {
  std::vector<zb::FrameData> turn;
  for (int k = 0; k < kSwitchFrames; ++k) {
    turn.push_back(switchFrame(data, palette, iconName, static_cast<double>(k) / (kSwitchFrames - 1)));
  }
  writeImage(data, onPath, {switchFrame(data, palette, iconName, 0)});
  writeImage(data, offPath, {switchFrame(data, palette, iconName, 1)});
  writeImage(data, turnPath, turn);
}

}  // namespace

void buildCursors(DataSet& data, const Palette& palette) {
  writeImage(data, "MDATA\\CRSRS\\lngcrs.im3", barCursor(data, palette, Teal, 240, 22, 5));
  writeImage(data, "MDATA\\CRSRS\\mncrs0.im3", barCursor(data, palette, Green, 138, 22, 6));
  writeImage(data, "MDATA\\CRSRS\\mncrs1.im3", barCursor(data, palette, Blue, 138, 22, 6));
  writeImage(data, "MDATA\\CRSRS\\mncrs2.im3", barCursor(data, palette, Purple, 138, 22, 6));
  writeImage(data, "MDATA\\CRSRS\\lgmncrs.im3", barCursor(data, palette, Sky, 165, 22, 6));
  writeImage(data, "MDATA\\CRSRS\\kbcrs.im3", keyboardCursor(data, palette));
}

void buildMarkers(DataSet& data, const Palette& palette) {
  for (int type = 0; type < 3; ++type) {
    zb::FrameData marker = drawFrame(data, palette, 0, 0, 96, 44, [&](const Pen& pen) {
      drawKeyboardType(pen, type, 1, 0, 1.3);
    });
    writeImage(data, "MDATA\\MRKRS\\mnkbdt" + std::to_string(type + 1) + ".im3", {marker});
  }
  buildSwitch(data, palette, "sound", "MDATA\\MRKRS\\sndon.im3", "MDATA\\MRKRS\\sndoff.im3",
              "MDATA\\TRNSF\\snmnmnu.im3");
  buildSwitch(data, palette, "mouse", "MDATA\\MRKRS\\mscon.im3", "MDATA\\MRKRS\\mscoff.im3",
              "MDATA\\TRNSF\\msmnmnu.im3");
}

}  // namespace zbdata::menu

namespace zbdata {

void buildMenuPictures(DataSet& data, const Palette& palette) {
  menu::buildBackground(data, palette);
  menu::buildPanels(data, palette);
  menu::buildCursors(data, palette);
  menu::buildMarkers(data, palette);
  menu::buildFlags(data, palette);
}

}  // namespace zbdata
