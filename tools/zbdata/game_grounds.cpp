// The grounds of the game (GDATA\GRNDS): a scene of 630 x 183 above the
// keyboard, with a path whose upper edge is the ground line the letters
// stand on, and its descriptor. The strip behind the letters is kept light
// and calm so that every dark letter reads; the busier things stand above
// it, at the ends of the picture and in the foreground below the path.
#include <cmath>
#include <string>
#include <vector>

#include "game_draw.h"
#include "game_parts.h"

namespace zbdata::game {

namespace {

constexpr int kWidth = 630;
constexpr int kHeight = 183;
constexpr int kGlyphHeight = 28;
constexpr int kSymbolPitch = 16;
// Room the enemy needs to run before it reaches the hero.
constexpr int kMinimumRun = 80;
// Room right of the track's end for the catching picture.
constexpr int kRightMargin = 30;

struct Ground {
  std::string scene;
  int trackX, groundY, trackLength, enemyStartX;
  int line;
};

// A small pseudo-random sequence, so that tufts and flakes are scattered
// the same way at every build.
struct Scatter {
  uint32_t state;
  double next() {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / double(1u << 24);
  }
  double between(double a, double b) { return a + (b - a) * next(); }
};

void rect(const Pen& pen, double x, double y, double w, double h, int ramp, int shade) {
  cairo_rectangle(pen.cr, x, y, w, h);
  pen.colour(ramp, shade);
  cairo_fill(pen.cr);
}

// Horizontal bands of sky from the top down to `bottom`, lighter towards
// the horizon.
void sky(const Pen& pen, double bottom, int ramp, int topShade, int bands) {
  for (int k = 0; k < bands; ++k) {
    double y0 = bottom * k / bands;
    rect(pen, 0, y0, kWidth, bottom - y0, ramp, std::min(15, topShade + k));
  }
}

void cloud(const Pen& pen, double x, double y, double s) {
  cairo_t* cr = pen.cr;
  const double c[][3] = {{0, 6, 9}, {10, 0, 12}, {22, -2, 13}, {33, 5, 10}, {17, 8, 10}};
  auto blobs = [&](double grow, double dy) {
    cairo_new_path(cr);
    for (const auto& b : c) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, x + b[0] * s, y + (b[1] + dy) * s, (b[2] + grow) * s, 0, 2 * M_PI);
    }
  };
  blobs(1.2, 0);
  pen.colour(Sky, 8);
  cairo_fill(cr);
  blobs(0, 0);
  pen.colour(Sky, 14);
  cairo_fill(cr);
  blobs(-1.5, -1.5);
  pen.colour(Grey, 15);
  cairo_fill(cr);
}

void sun(const Pen& pen, double cx, double cy, double r) {
  cairo_t* cr = pen.cr;
  cairo_new_path(cr);
  for (int k = 0; k < 12; ++k) {
    double a = k * M_PI / 6;
    cairo_move_to(cr, cx + (r + 3) * std::cos(a - 0.12), cy + (r + 3) * std::sin(a - 0.12));
    cairo_line_to(cr, cx + (r + 10) * std::cos(a), cy + (r + 10) * std::sin(a));
    cairo_line_to(cr, cx + (r + 3) * std::cos(a + 0.12), cy + (r + 3) * std::sin(a + 0.12));
    cairo_close_path(cr);
  }
  pen.colour(Gold, 12);
  cairo_fill(cr);
  part(pen, [&] { cairo_arc(cr, cx, cy, r, 0, 2 * M_PI); }, {Gold, 10, Gold, 5}, 1.2);
  // A friendly face, like the sun of the menus.
  smilingFace(pen, cx, cy, r, {0.33, -0.15, 0.1, 0.1, 0.4, 0.5, 1.6, 0.6, 0.25, 0.14, 0.09});
}

// A band of rolling hills: its top edge wavers around `top`, filled down
// to the bottom of the picture.
void hills(const Pen& pen, double top, double amplitude, double wavelength, double shift, int ramp, int shade,
           int edgeShade) {
  cairo_t* cr = pen.cr;
  cairo_new_path(cr);
  cairo_move_to(cr, -2, kHeight + 2);
  for (int x = -2; x <= kWidth + 2; x += 3) {
    double y = top + amplitude * std::sin((x + shift) * 2 * M_PI / wavelength) +
               amplitude * 0.4 * std::sin((x + shift * 1.7) * 2 * M_PI / (wavelength * 0.45));
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, kWidth + 2, kHeight + 2);
  cairo_close_path(cr);
  cairo_set_line_width(cr, 1.5);
  pen.colour(ramp, edgeShade);
  cairo_stroke_preserve(cr);
  pen.colour(ramp, shade);
  cairo_fill(cr);
}

// The path: its upper edge is the ground line, a lit strip just under it,
// then the path's face down to `depth` below the line.
void path(const Pen& pen, int groundY, int depth, int ramp, int shade, int edgeShade) {
  rect(pen, 0, groundY, kWidth, depth, ramp, shade);
  rect(pen, 0, groundY, kWidth, 1, ramp, edgeShade);
  rect(pen, 0, groundY + 1, kWidth, 2, ramp, std::min(15, shade + 2));
  rect(pen, 0, groundY + depth - 1, kWidth, 1, ramp, shade - 2);
}

void tree(const Pen& pen, double x, double bottom, double s, int ramp) {
  cairo_t* cr = pen.cr;
  part(pen, [&] { pen.roundedRect({x - 3 * s, bottom - 22 * s, 6 * s, 22 * s}, 2 * s); }, {Brown, 7, Brown, 2});
  const double b[][3] = {{0, -34, 13}, {-10, -25, 9}, {10, -25, 9}, {0, -22, 10}};
  auto blobs = [&] {
    for (const auto& c : b) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, x + c[0] * s, bottom + c[1] * s, c[2] * s, 0, 2 * M_PI);
    }
  };
  cairo_new_path(cr);
  blobs();
  cairo_set_line_width(cr, 2.4);
  pen.colour(ramp, 2);
  cairo_stroke_preserve(cr);
  pen.colour(ramp, 8);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_arc(cr, x - 4 * s, bottom - 38 * s, 5 * s, 0, 2 * M_PI);
  pen.colour(ramp, 11);
  cairo_fill(cr);
}

void flower(const Pen& pen, double x, double y, int ramp) {
  cairo_t* cr = pen.cr;
  cairo_new_path(cr);
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x, y + 6);
  cairo_set_line_width(cr, 1.2);
  pen.colour(Grass, 4);
  cairo_stroke(cr);
  for (int k = 0; k < 5; ++k) {
    double a = k * 2 * M_PI / 5 - M_PI / 2;
    part(pen, [&] { cairo_arc(cr, x + 2.3 * std::cos(a), y + 2.3 * std::sin(a), 1.7, 0, 2 * M_PI); },
         {ramp, 10, ramp, 4}, 0.6);
  }
  cairo_new_path(cr);
  cairo_arc(cr, x, y, 1.3, 0, 2 * M_PI);
  pen.colour(Gold, 11);
  cairo_fill(cr);
}

void tufts(const Pen& pen, Scatter& rnd, double y0, double y1, int count, int ramp, int shade) {
  cairo_t* cr = pen.cr;
  cairo_new_path(cr);
  for (int i = 0; i < count; ++i) {
    double x = rnd.between(0, kWidth), y = rnd.between(y0, y1);
    cairo_move_to(cr, x - 3, y);
    cairo_line_to(cr, x - 2, y - 4);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x, y - 5);
    cairo_move_to(cr, x + 3, y);
    cairo_line_to(cr, x + 2, y - 4);
  }
  cairo_set_line_width(cr, 1.2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  pen.colour(ramp, shade);
  cairo_stroke(cr);
}

void meadow(const Pen& pen, const Ground& g) {
  const int y = g.groundY;
  sky(pen, y, Sky, 11, 4);
  sun(pen, 48, 36, 20);
  cloud(pen, 250, 26, 1.0);
  cloud(pen, 470, 40, 0.8);
  cloud(pen, 590, 18, 0.6);
  hills(pen, y - 52, 9, 260, 40, Grass, 13, 10);
  hills(pen, y - 24, 6, 330, 150, Grass, 12, 10);
  tree(pen, 34, y - 8, 0.9, Green);
  tree(pen, 112, y - 14, 0.6, Green);
  tree(pen, 612, y - 10, 0.8, Green);
  path(pen, y, 10, Brown, 12, 5);
  rect(pen, 0, y + 10, kWidth, kHeight - y - 10, Grass, 9);
  rect(pen, 0, y + 10, kWidth, 1, Grass, 5);
  Scatter rnd{7};
  tufts(pen, rnd, y + 15, kHeight, 60, Grass, 5);
  const int ramps[] = {Pink, Gold, Purple, Red, Sky};
  for (int i = 0; i < 22; ++i) flower(pen, rnd.between(6, kWidth - 6), rnd.between(y + 15, kHeight - 6), ramps[i % 5]);
}

void wave(const Pen& pen, double x, double y, double w, int ramp, int shade) {
  cairo_t* cr = pen.cr;
  cairo_new_path(cr);
  cairo_move_to(cr, x, y);
  cairo_curve_to(cr, x + w * 0.25, y - 2.5, x + w * 0.5, y - 2.5, x + w * 0.75, y);
  cairo_set_line_width(cr, 1.3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  pen.colour(ramp, shade);
  cairo_stroke(cr);
}

void palm(const Pen& pen, double x, double bottom) {
  cairo_t* cr = pen.cr;
  part(pen, [&] {
    cairo_move_to(cr, x - 4, bottom);
    cairo_curve_to(cr, x - 2, bottom - 30, x + 4, bottom - 50, x + 10, bottom - 66);
    cairo_line_to(cr, x + 15, bottom - 64);
    cairo_curve_to(cr, x + 8, bottom - 48, x + 4, bottom - 28, x + 4, bottom);
    cairo_close_path(cr);
  }, {Brown, 8, Brown, 2});
  const double tipX = x + 12, tipY = bottom - 66;
  for (int k = 0; k < 6; ++k) {
    double a = -M_PI + k * M_PI / 5 + 0.15;
    double len = 26;
    part(pen, [&] {
      double ex = tipX + len * std::cos(a), ey = tipY + len * std::sin(a) * 0.6 + 9;
      cairo_move_to(cr, tipX, tipY);
      cairo_curve_to(cr, tipX + len * 0.5 * std::cos(a), tipY - 8, ex, ey - 6, ex, ey);
      cairo_curve_to(cr, ex - 3, ey - 2, tipX + len * 0.4 * std::cos(a), tipY, tipX, tipY + 3);
      cairo_close_path(cr);
    }, {Grass, 7, Green, 2});
  }
  for (int k = 0; k < 3; ++k)
    part(pen, [&] { cairo_arc(cr, tipX - 3 + 3 * k, tipY + 4, 2.6, 0, 2 * M_PI); }, {Brown, 5, Brown, 1}, 0.8);
}

void boat(const Pen& pen, double x, double y) {
  cairo_t* cr = pen.cr;
  part(pen, [&] {
    cairo_move_to(cr, x, y - 2);
    cairo_line_to(cr, x + 26, y - 2);
    cairo_line_to(cr, x + 21, y + 4);
    cairo_line_to(cr, x + 5, y + 4);
    cairo_close_path(cr);
  }, {Red, 8, Red, 2});
  part(pen, [&] {
    cairo_move_to(cr, x + 13, y - 4);
    cairo_line_to(cr, x + 13, y - 26);
    cairo_line_to(cr, x + 25, y - 5);
    cairo_close_path(cr);
  }, {Grey, 15, Slate, 4});
  part(pen, [&] {
    cairo_move_to(cr, x + 11, y - 4);
    cairo_line_to(cr, x + 11, y - 20);
    cairo_line_to(cr, x + 3, y - 5);
    cairo_close_path(cr);
  }, {Gold, 12, Gold, 4});
}

void beach(const Pen& pen, const Ground& g) {
  const int y = g.groundY;
  sky(pen, 100, Sky, 11, 4);
  sun(pen, 580, 34, 19);
  cloud(pen, 150, 30, 0.9);
  cloud(pen, 380, 18, 0.7);
  // The sea: light bands towards the shore, with small waves.
  rect(pen, 0, 96, kWidth, y - 96, Teal, 11);
  rect(pen, 0, 96, kWidth, 2, Teal, 8);
  rect(pen, 0, 112, kWidth, y - 112, Teal, 12);
  rect(pen, 0, y - 18, kWidth, 18, Teal, 13);
  Scatter rnd{11};
  for (int i = 0; i < 18; ++i) wave(pen, rnd.between(0, kWidth), rnd.between(102, y - 22), 14, Teal, 9);
  boat(pen, 420, 96);
  // Foam where the sea meets the sand.
  cairo_t* cr = pen.cr;
  cairo_new_path(cr);
  cairo_move_to(cr, 0, y);
  for (int x = 0; x <= kWidth; x += 6) cairo_line_to(cr, x, y - 3 + 1.5 * std::sin(x * 0.2));
  cairo_line_to(cr, kWidth, y);
  cairo_close_path(cr);
  pen.colour(Grey, 15);
  cairo_fill(cr);
  palm(pen, 30, y + 2);
  path(pen, y, 12, Gold, 13, 7);
  rect(pen, 0, y + 12, kWidth, kHeight - y - 12, Gold, 12);
  rect(pen, 0, y + 12, kWidth, 1, Gold, 8);
  // Shells and starfish in the sand.
  for (int i = 0; i < 9; ++i) {
    double x = rnd.between(10, kWidth - 10), sy = rnd.between(y + 18, kHeight - 6);
    if (i % 3 == 0) {
      star(pen, x, sy, 4.5, Orange, rnd.between(0, 1));
    } else {
      part(pen, [&] { cairo_arc(cr, x, sy, 3.2, M_PI, 2 * M_PI); cairo_close_path(cr); },
           {i % 2 ? Pink : Skin, 11, Brown, 4}, 0.7);
    }
  }
  cairo_new_path(cr);
  for (int i = 0; i < 40; ++i) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, rnd.between(0, kWidth), rnd.between(y + 16, kHeight), 0.7, 0, 2 * M_PI);
  }
  pen.colour(Gold, 9);
  cairo_fill(cr);
}

void pine(const Pen& pen, double x, double bottom, double s) {
  cairo_t* cr = pen.cr;
  rect(pen, x - 2 * s, bottom - 8 * s, 4 * s, 8 * s, Brown, 5);
  for (int k = 0; k < 3; ++k) {
    double w = (15 - 4 * k) * s, top = bottom - (20 + 10 * k) * s, base = bottom - (6 + 9 * k) * s;
    part(pen, [&] {
      cairo_move_to(cr, x, top);
      cairo_line_to(cr, x + w, base);
      cairo_line_to(cr, x - w, base);
      cairo_close_path(cr);
    }, {Green, 6, Green, 1});
    // Snow on each tier.
    part(pen, [&] {
      cairo_move_to(cr, x, top);
      cairo_line_to(cr, x + w * 0.45, top + (base - top) * 0.45);
      cairo_curve_to(cr, x + w * 0.2, top + (base - top) * 0.6, x - w * 0.2, top + (base - top) * 0.4,
                     x - w * 0.45, top + (base - top) * 0.45);
      cairo_close_path(cr);
    }, {Grey, 15, Sky, 7}, 0.6);
  }
}

void snowman(const Pen& pen, double x, double bottom) {
  cairo_t* cr = pen.cr;
  part(pen, [&] { cairo_arc(cr, x, bottom - 9, 9, 0, 2 * M_PI); }, {Grey, 15, Sky, 5});
  part(pen, [&] { cairo_arc(cr, x, bottom - 23, 6.5, 0, 2 * M_PI); }, {Grey, 15, Sky, 5});
  eye(pen, x - 2.2, bottom - 25, 0.9);
  eye(pen, x + 2.2, bottom - 25, 0.9);
  part(pen, [&] {
    cairo_move_to(cr, x, bottom - 23);
    cairo_line_to(cr, x + 7, bottom - 22);
    cairo_line_to(cr, x, bottom - 21);
    cairo_close_path(cr);
  }, {Orange, 9, Orange, 3}, 0.6);
  part(pen, [&] { pen.roundedRect({x - 7, bottom - 19, 14, 3}, 1.5); }, {Red, 8, Red, 2}, 0.7);
  part(pen, [&] { pen.roundedRect({x - 5, bottom - 36, 10, 7}, 1); }, {Slate, 3, Slate, 1}, 0.7);
  rect(pen, x - 7, bottom - 30, 14, 2, Slate, 3);
  for (int k = 0; k < 2; ++k) {
    cairo_new_path(cr);
    cairo_arc(cr, x, bottom - 12 + 5 * k, 1.1, 0, 2 * M_PI);
    pen.colour(Slate, 2);
    cairo_fill(cr);
  }
}

void snow(const Pen& pen, const Ground& g) {
  const int y = g.groundY;
  sky(pen, y, Sky, 10, 5);
  cloud(pen, 90, 24, 0.8);
  cloud(pen, 330, 16, 1.0);
  cloud(pen, 540, 30, 0.8);
  hills(pen, y - 62, 12, 300, 90, Sky, 13, 9);
  hills(pen, y - 30, 7, 240, 10, Sky, 14, 10);
  pine(pen, 26, y - 4, 1.2);
  pine(pen, 70, y - 22, 0.8);
  pine(pen, 600, y - 20, 0.9);
  snowman(pen, 614, y);
  Scatter rnd{5};
  cairo_t* cr = pen.cr;
  // Snowflakes in the sky only, above the letters.
  cairo_new_path(cr);
  for (int i = 0; i < 70; ++i) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, rnd.between(0, kWidth), rnd.between(4, y - 48), rnd.between(0.9, 1.7), 0, 2 * M_PI);
  }
  pen.colour(Grey, 15);
  cairo_fill(cr);
  path(pen, y, 9, Sky, 13, 6);
  rect(pen, 0, y + 9, kWidth, kHeight - y - 9, Grey, 15);
  rect(pen, 0, y + 9, kWidth, 1, Sky, 9);
  for (int i = 0; i < 12; ++i) {
    double x = rnd.between(0, kWidth), sy = rnd.between(y + 14, kHeight - 3);
    cairo_new_path(cr);
    ellipsePath(cr, x, sy, rnd.between(8, 16), 1.6);
    pen.colour(Sky, 13);
    cairo_fill(cr);
  }
}

void mushroom(const Pen& pen, double x, double bottom, double s) {
  cairo_t* cr = pen.cr;
  part(pen, [&] { pen.roundedRect({x - 2.2 * s, bottom - 7 * s, 4.4 * s, 7 * s}, 1.5); }, {Skin, 13, Skin, 4}, 0.7);
  part(pen, [&] {
    cairo_arc(cr, x, bottom - 6 * s, 6 * s, M_PI, 2 * M_PI);
    cairo_close_path(cr);
  }, {Red, 8, Red, 2}, 0.8);
  cairo_new_path(cr);
  cairo_arc(cr, x - 2.5 * s, bottom - 9 * s, 1.1 * s, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + 2 * s, bottom - 10 * s, 0.9 * s, 0, 2 * M_PI);
  pen.colour(Grey, 15);
  cairo_fill(cr);
}

void forest(const Pen& pen, const Ground& g) {
  const int y = g.groundY;
  sky(pen, y, Sky, 12, 3);
  cloud(pen, 300, 14, 0.7);
  // Far trees: rounded crowns in pale greens, behind the letters.
  cairo_t* cr = pen.cr;
  Scatter rnd{3};
  for (int layer = 0; layer < 2; ++layer) {
    double top = y - (layer == 0 ? 92 : 58);
    for (double x = -10 + layer * 18; x < kWidth + 20; x += 36) {
      double r = rnd.between(20, 26);
      double cx = x + rnd.between(-4, 4), cy = top + rnd.between(-6, 6);
      rect(pen, cx - 2.5, cy, 5, y - cy, Brown, layer == 0 ? 13 : 12);
      part(pen, [&] { cairo_arc(cr, cx, cy, r, 0, 2 * M_PI); }, {Green, layer == 0 ? 13 : 12, Green, 10}, 1.0);
    }
  }
  rect(pen, 0, y - 34, kWidth, 34, Grass, 13);
  hills(pen, y - 34, 3, 200, 0, Grass, 13, 11);
  // Near trees at both ends, where no letter stands.
  tree(pen, 22, y + 2, 1.3, Green);
  tree(pen, 618, y + 2, 1.2, Green);
  path(pen, y, 11, Brown, 10, 4);
  rect(pen, 0, y + 11, kWidth, kHeight - y - 11, Green, 9);
  rect(pen, 0, y + 11, kWidth, 1, Green, 5);
  tufts(pen, rnd, y + 16, kHeight, 50, Green, 5);
  for (int i = 0; i < 7; ++i) mushroom(pen, rnd.between(12, kWidth - 12), rnd.between(y + 22, kHeight - 2), 1.1);
  for (int i = 0; i < 8; ++i) flower(pen, rnd.between(8, kWidth - 8), rnd.between(y + 18, kHeight - 8), i % 2 ? Gold : Sky);
}

std::vector<Ground> readGrounds(DataSet& data, const std::filesystem::path& file) {
  std::vector<Ground> grounds;
  for (const Row& row : readTable(file, data)) {
    if (row.fields.size() != 5) {
      data.error(file, row.line, "expected: scene, trackX, groundY, trackLength, enemyStartX");
      continue;
    }
    Ground g;
    g.scene = row.fields[0];
    g.line = row.line;
    try {
      g.trackX = std::stoi(row.fields[1]);
      g.groundY = std::stoi(row.fields[2]);
      g.trackLength = std::stoi(row.fields[3]);
      g.enemyStartX = std::stoi(row.fields[4]);
    } catch (const std::exception&) {
      data.error(file, row.line, "a number is not a number");
      continue;
    }
    grounds.push_back(g);
  }
  return grounds;
}

// What the game needs of a ground: the track on screen with room for the
// catching picture at its end, the tallest picture standing on the line
// within the picture, the enemy's start well left of the hero.
bool check(DataSet& data, const std::filesystem::path& file, const Ground& g) {
  auto fail = [&](const std::string& message) {
    data.error(file, g.line, message);
    return false;
  };
  if (g.trackLength < 8 || g.trackLength > 30) return fail("trackLength must be 8 to 30");
  if (g.trackX < 0 || g.trackX + kSymbolPitch * g.trackLength + kRightMargin > kWidth)
    return fail("the track (and the catch at its end) does not fit on the screen");
  if (g.groundY > kHeight - 12 || g.groundY - std::max(tallestStanding(), kGlyphHeight) < 0)
    return fail("groundY leaves no room for the path or for the pictures standing on it");
  const int heroX = g.trackX - kHeroWidth - 1;
  if (g.enemyStartX < 0 || g.enemyStartX + widestEnemy() + kMinimumRun > heroX)
    return fail("the enemy starts too near the hero (it needs " + std::to_string(kMinimumRun) + " pixels to run)");
  return true;
}

}  // namespace

void buildGrounds(DataSet& data, const Palette& palette) {
  const std::filesystem::path file = data.source("art/game/grounds.tsv");
  std::vector<Ground> grounds = readGrounds(data, file);
  if (grounds.empty()) data.error(file, 0, "no grounds");
  int n = 0;
  for (const Ground& g : grounds) {
    if (!check(data, file, g)) continue;
    void (*scene)(const Pen&, const Ground&) = g.scene == "meadow" ? meadow
                                              : g.scene == "beach"  ? beach
                                              : g.scene == "snow"   ? snow
                                              : g.scene == "forest" ? forest
                                                                    : nullptr;
    if (scene == nullptr) {
      data.error(file, g.line, "unknown scene '" + g.scene + "' (meadow, beach, snow, forest)");
      continue;
    }
    zb::FrameData picture = frame(data, palette, kWidth, kHeight, [&](const Pen& pen, cairo_t*) {
      // An opaque base first: the game repaints parts of the ground as
      // they are, so every pixel must be a colour.
      rect(pen, 0, 0, kWidth, kHeight, Sky, 12);
      scene(pen, g);
    });
    writeImage(data, "GDATA\\GRNDS\\gmgrd" + std::to_string(n) + ".im3", {picture});
    std::vector<uint8_t> adi = {7, 0, 0, 0};
    auto u16 = [&](int v) {
      adi.push_back(static_cast<uint8_t>(v & 0xFF));
      adi.push_back(static_cast<uint8_t>(v >> 8));
    };
    u16(g.trackX);
    u16(g.groundY);
    adi.push_back(static_cast<uint8_t>(g.trackLength));
    u16(g.enemyStartX);
    data.write("GDATA\\GRNDS\\gmgrd" + std::to_string(n) + ".adi", adi);
    ++n;
  }
}

}  // namespace zbdata::game
