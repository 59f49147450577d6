// The chasers (GDATA\ENMS\enm<m>) and what happens when one reaches the
// hero (enmet<m>): a puppy that licks, a goose that hugs, a little dragon
// that blows the hero into a bubble. Nobody is hurt; the catch is a game.
//
// A chaser runs to the right in a looping cycle, all frames the size of
// frame 0, its feet on the bottom row. Its catching picture is played once
// where the chaser stood, as wide as chaser and hero side by side: the
// hero stands just right of the chaser, at x = chaser width.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "game_draw.h"
#include "game_parts.h"

namespace zbdata::game {

namespace {

constexpr int kRunFrames = 8;
constexpr int kCatchFrames = 12;
constexpr int kCatchHeight = 60;
constexpr int kCatchRoom = 14;  // right of the hero, for hearts and bubbles

struct Chaser {
  const char* name;
  int width, height;
};
constexpr Chaser kPuppy{"puppy", 40, 30};
constexpr Chaser kGoose{"goose", 36, 36};
constexpr Chaser kDragon{"dragon", 40, 34};
constexpr Chaser kChasers[] = {kPuppy, kGoose, kDragon};

double wave(double phase, double offset = 0) { return std::sin(2 * M_PI * (phase + offset)); }

// ---------------------------------------------------------------- puppy

struct PuppyPose {
  double phase = 0;   // gallop, 0..1
  double tilt = 0;    // radians, positive lifts the nose
  bool tongue = true;
  bool happyEyes = false;
  bool legsTucked = false;
  bool cap = false;   // wearing the hero's cap
};

// The puppy with the middle of its body at (x, y) (about 13 above its feet).
void puppy(const Pen& pen, double x, double y, const PuppyPose& p) {
  cairo_t* cr = pen.cr;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, -p.tilt);
  const Ink fur{Brown, 11, Brown, 2};
  const Ink dark{Brown, 6, Brown, 1};
  const double s = wave(p.phase);
  const double c = wave(p.phase, 0.25);
  // Tail, wagging.
  part(pen, [&] {
    double tx = -10, ty = -3;
    double ex = tx - 6, ey = ty - 7 + 2 * s;
    cairo_move_to(cr, tx, ty - 1.5);
    cairo_curve_to(cr, tx - 3, ty - 3, ex + 1, ey + 2, ex, ey);
    cairo_curve_to(cr, ex + 2, ey + 3, tx - 2, ty, tx, ty + 1.5);
    cairo_close_path(cr);
  }, fur, 0.9);
  // Legs: far pair darker, behind the body. Gallop: front and back pairs
  // swing in turn.
  auto leg = [&](double lx, double a, const Ink& ink) {
    double len = p.legsTucked ? 5 : 8;
    double ex = lx + len * std::sin(a), ey = 4 + len * std::cos(a);
    cairo_new_path(cr);
    cairo_move_to(cr, lx, 3);
    cairo_line_to(cr, ex, ey);
    cairo_set_line_width(cr, 5.4);
    pen.colour(Brown, 2);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3.4);
    pen.colour(ink.ramp, ink.shade);
    cairo_stroke(cr);
    part(pen, [&] { ellipsePath(cr, ex + 0.8, ey + 0.4, 2.3, 1.5); }, {Skin, 13, Brown, 2}, 0.7);
  };
  leg(-7, 0.7 * c, {Brown, 8});
  leg(7, -0.7 * c, {Brown, 8});
  // Body.
  part(pen, [&] { ellipsePath(cr, 0, 0, 11.5, 7); }, fur);
  cairo_new_path(cr);
  ellipsePath(cr, -3, -2, 4.5, 3.5);
  pen.colour(Brown, 7);
  cairo_fill(cr);
  cairo_new_path(cr);
  ellipsePath(cr, 1, 3.5, 7, 2.5);
  pen.colour(Skin, 13);
  cairo_fill(cr);
  leg(-5, -0.7 * c, fur);
  leg(9, 0.7 * c, fur);
  // Head with its snout, nose, floppy ear, eye and tongue.
  const double hx = 12, hy = -6;
  part(pen, [&] { ellipsePath(cr, hx, hy, 7.5, 7); }, fur);
  part(pen, [&] { ellipsePath(cr, hx + 6, hy + 2.2, 4.5, 3.4); }, {Skin, 13, Brown, 2});
  if (p.tongue) {
    part(pen, [&] { pen.roundedRect({hx + 5.4, hy + 4, 3.4, 5.2 + std::abs(s)}, 1.6); }, {Pink, 9, Pink, 2}, 0.7);
  }
  part(pen, [&] { ellipsePath(cr, hx + 9.8, hy + 0.8, 1.9, 1.5); }, {Slate, 1, Slate, 0}, 0.4);
  eye(pen, hx + 3, hy - 2.4, 1.5, p.happyEyes);
  part(pen, [&] { ellipsePath(cr, hx - 3.5, hy + 1 + 0.8 * s, 2.8, 5.2, 0.35); }, dark, 0.8);
  // A red collar with a golden tag.
  part(pen, [&] { pen.roundedRect({hx - 6.5, hy + 4.2, 5, 2.6}, 1.2); }, {Red, 8, Red, 2}, 0.6);
  cairo_new_path(cr);
  cairo_arc(cr, hx - 3.6, hy + 7.4, 1.3, 0, 2 * M_PI);
  pen.colour(Gold, 11);
  cairo_fill(cr);
  if (p.cap) drawCap(pen, hx - 0.5, hy - 6.2, -0.15);
  cairo_restore(cr);
}

zb::FrameData puppyRun(DataSet& data, const Palette& palette, int k) {
  const Chaser& c = kPuppy;
  return frame(data, palette, c.width, c.height, [&](const Pen& pen, cairo_t* shade) {
    groundShadow(shade, 18, c.height, 13);
    PuppyPose p;
    p.phase = double(k) / kRunFrames;
    double bounce = 1.5 * std::abs(wave(p.phase, 0.125));
    p.tilt = 0.08 * wave(p.phase);
    puppy(pen, 16, c.height - 14 - bounce, p);
  });
}

// The puppy bounds up and licks the hero's face; the cap flies off and
// lands on the puppy's head.
zb::FrameData puppyCatch(DataSet& data, const Palette& palette, int k) {
  const Chaser& c = kPuppy;
  const int w = c.width + kHeroWidth + kCatchRoom, h = kCatchHeight;
  const double heroX = c.width + kHeroWidth / 2.0 - 1;
  return frame(data, palette, w, h, [&](const Pen& pen, cairo_t* shade) {
    groundShadow(shade, heroX + 1, h, 8);
    HeroPose hero;
    hero.surprised = k < 4;
    hero.laughing = k >= 4;
    hero.lean = k >= 4 ? 0.18 : 0;
    hero.armsUp = k >= 4 ? 0.5 + 0.3 * wave(k / 4.0) : 0.25;
    hero.cap = k < 4;
    drawHero(pen, heroX, h - 1.5, hero);
    PuppyPose p;
    p.happyEyes = k >= 5;
    if (k < 2) {
      groundShadow(shade, 18, h, 13);
      p.phase = 0.1 * k;
      puppy(pen, 16, h - 14, p);
    } else if (k < 4) {
      // The leap.
      double t = (k - 1) / 3.0;
      p.legsTucked = true;
      p.tilt = 0.5;
      puppy(pen, 16 + 14 * t, h - 14 - 12 * std::sin(M_PI * t * 0.9), p);
    } else {
      // Up against the hero, paws on the hero's chest, licking.
      p.tilt = 1.0;
      p.phase = 0.25 * (k % 2);
      groundShadow(shade, c.width - 6, h, 9);
      puppy(pen, c.width - 8, h - 16 - (k % 2), p);
    }
    // The cap's flight: up, a somersault, and down onto the puppy's head
    // (which stands at about (33, h - 30) while it licks).
    if (k >= 4) {
      double t = std::min(1.0, (k - 4) / 6.0);
      double cx = lerp(heroX + 1, 33, t);
      double cy = lerp(h - 37, h - 37, t) - 18 * std::sin(M_PI * t);
      drawCap(pen, cx, cy, -2 * M_PI * t - 0.2 * t);
    }
    // Hearts rising.
    for (int i = 0; i < 3; ++i) {
      int age = k - 5 - 2 * i;
      if (age < 0) continue;
      double hx = heroX - 10 + 12 * i + 3 * std::sin(age * 1.3);
      double hy = h - 40 - 4 * age + 2 * i;
      if (hy < 4) continue;
      heart(pen, hx, hy, 6 + std::min(age, 3), i == 1 ? Red : Pink);
    }
  });
}

// ---------------------------------------------------------------- goose

struct GoosePose {
  double phase = 0;
  double wings = 0;  // 0 folded, 1 spread high
  double neck = 0;   // leans the neck forward
  bool happyEyes = false;
  bool beakOpen = false;
};

// The goose with its feet on (x, y).
void goose(const Pen& pen, double x, double y, const GoosePose& p) {
  cairo_t* cr = pen.cr;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  const Ink white{Grey, 15, Slate, 3};
  const Ink orange{Orange, 9, Orange, 2};
  const double s = wave(p.phase);
  // Legs and feet, stepping in turn.
  auto leg = [&](double lx, double lift, const Ink& ink) {
    cairo_new_path(cr);
    cairo_move_to(cr, lx, -12);
    cairo_line_to(cr, lx + 1, -2.5 - lift);
    cairo_set_line_width(cr, 3.0);
    pen.colour(Orange, 2);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.4);
    pen.colour(ink.ramp, ink.shade);
    cairo_stroke(cr);
    part(pen, [&] {
      cairo_move_to(cr, lx - 1, -3 - lift);
      cairo_line_to(cr, lx + 5.5, -1.5 - lift);
      cairo_line_to(cr, lx - 1.5, -0.8 - lift);
      cairo_close_path(cr);
    }, ink, 0.8);
  };
  leg(-2, std::max(0.0, 2.5 * s), {Orange, 7});
  cairo_save(cr);
  cairo_translate(cr, 0, -17);
  cairo_rotate(cr, 0.08 * s);
  // Body with a pointed tail to the left.
  part(pen, [&] {
    cairo_move_to(cr, -14, -6);
    cairo_curve_to(cr, -10, -4, -8, -8, 0, -7.5);
    cairo_curve_to(cr, 10, -7, 12, 7, 2, 7.5);
    cairo_curve_to(cr, -8, 8, -12, 2, -14, -6);
    cairo_close_path(cr);
  }, white);
  cairo_restore(cr);
  leg(3, std::max(0.0, -2.5 * s), orange);
  // Neck and head.
  const double nx = 7 + 2 * p.neck, hx = 10 + 5 * p.neck, hy = -31 + 5 * p.neck;
  part(pen, [&] {
    cairo_move_to(cr, 3, -18);
    cairo_curve_to(cr, 5, -22, nx - 2, -25, hx - 3.5, hy + 1);
    cairo_line_to(cr, hx + 2.5, hy + 2);
    cairo_curve_to(cr, nx + 3, -24, 10, -20, 9, -15);
    cairo_close_path(cr);
  }, white);
  part(pen, [&] { ellipsePath(cr, hx, hy, 5, 4.4); }, white);
  // Beak: open a little when honking.
  part(pen, [&] {
    cairo_move_to(cr, hx + 3.5, hy - 1.5);
    cairo_line_to(cr, hx + 10, hy + (p.beakOpen ? -1.5 : 0.5));
    cairo_line_to(cr, hx + 3.5, hy + 1);
    cairo_close_path(cr);
  }, orange, 0.8);
  if (p.beakOpen) {
    part(pen, [&] {
      cairo_move_to(cr, hx + 3.5, hy + 1.2);
      cairo_line_to(cr, hx + 8.5, hy + 3);
      cairo_line_to(cr, hx + 3.5, hy + 2.8);
      cairo_close_path(cr);
    }, orange, 0.8);
  }
  eye(pen, hx + 1.2, hy - 1.0, 1.2, p.happyEyes);
  // A blue bow at the neck.
  part(pen, [&] {
    cairo_move_to(cr, 6, -21);
    cairo_line_to(cr, 2, -24);
    cairo_line_to(cr, 2, -18);
    cairo_close_path(cr);
    cairo_move_to(cr, 6, -21);
    cairo_line_to(cr, 10, -24);
    cairo_line_to(cr, 10, -18);
    cairo_close_path(cr);
  }, {Sky, 8, Blue, 2}, 0.7);
  // The wing: folded on the body, or raised.
  cairo_save(cr);
  cairo_translate(cr, -2, -19);
  cairo_rotate(cr, -0.15 + -1.6 * p.wings + 0.12 * s * (1 - p.wings));
  part(pen, [&] {
    cairo_move_to(cr, 4, -3);
    cairo_curve_to(cr, 0, -5, -10, -4, -12, 1);
    cairo_curve_to(cr, -8, 4, 0, 4, 5, 2);
    cairo_close_path(cr);
  }, {Grey, 13, Slate, 3}, 0.9);
  cairo_new_path(cr);
  cairo_move_to(cr, -9, 0.5);
  cairo_line_to(cr, -3, 0.5);
  cairo_set_line_width(cr, 0.9);
  pen.colour(Slate, 8);
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_restore(cr);
}

zb::FrameData gooseRun(DataSet& data, const Palette& palette, int k) {
  const Chaser& c = kGoose;
  return frame(data, palette, c.width, c.height, [&](const Pen& pen, cairo_t* shade) {
    groundShadow(shade, 16, c.height, 11);
    GoosePose p;
    p.phase = double(k) / kRunFrames;
    p.wings = 0.25 + 0.25 * wave(p.phase, 0.1);
    p.neck = 0.6;
    p.beakOpen = k >= 4 && k < 6;
    goose(pen, 15, c.height - 0.5 - std::abs(wave(p.phase)) * 1.2, p);
  });
}

void feather(const Pen& pen, double x, double y, double angle) {
  cairo_t* cr = pen.cr;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  part(pen, [&] { ellipsePath(cr, 0, 0, 3.6, 1.5); }, {Grey, 15, Slate, 5}, 0.7);
  cairo_restore(cr);
}

// The goose waddles up, spreads its wings and hugs the hero; feathers and
// hearts fly, and the cap jumps off and back.
zb::FrameData gooseCatch(DataSet& data, const Palette& palette, int k) {
  const Chaser& c = kGoose;
  const int w = c.width + kHeroWidth + kCatchRoom, h = kCatchHeight;
  const double heroX = c.width + kHeroWidth / 2.0 - 1;
  return frame(data, palette, w, h, [&](const Pen& pen, cairo_t* shade) {
    double step = std::min(1.0, k / 4.0);
    double gx = 15 + 10 * step;
    groundShadow(shade, heroX + 1, h, 8);
    groundShadow(shade, gx + 1, h, 11);
    if (k >= 5) {
      // The far wing reaches round behind the hero; its tip shows at the
      // hero's back.
      cairo_t* cr = pen.cr;
      part(pen, [&] {
        double x = heroX + 7, y = h - 17 - (k % 2);
        cairo_move_to(cr, gx, y + 2);
        cairo_curve_to(cr, gx + 10, y - 6, x - 2, y - 8, x + 3, y - 3);
        cairo_curve_to(cr, x + 5, y, x + 3, y + 3, x, y + 3);
        cairo_curve_to(cr, x - 6, y + 2, gx + 10, y + 5, gx, y + 5);
        cairo_close_path(cr);
      }, {Grey, 14, Slate, 3}, 0.9);
    }
    HeroPose hero;
    hero.surprised = k < 3;
    hero.laughing = k >= 4;
    hero.armsUp = k >= 4 ? 0.6 : 0.2;
    hero.lean = k >= 5 ? 0.12 : 0;
    hero.cap = !(k >= 5 && k <= 8);
    drawHero(pen, heroX, h - 1.5, hero);
    GoosePose p;
    p.phase = 0.5 * k / 4.0;
    p.wings = k < 3 ? 0.3 * k : k < 5 ? 1.0 : 0.55 + 0.1 * (k % 2);
    p.neck = k >= 4 ? 0.2 : 0.6;
    p.happyEyes = k >= 5;
    p.beakOpen = k >= 1 && k < 4;
    goose(pen, gx, h - 0.5, p);
    if (k >= 5 && k <= 8) {
      double t = (k - 5) / 3.0;
      drawCap(pen, heroX + 2 + 4 * t, h - 44 - 10 * std::sin(M_PI * t), 0.9 * std::sin(M_PI * t * 2));
    }
    if (k >= 2 && k <= 8) {
      for (int i = 0; i < 3; ++i) {
        double t = (k - 2) / 6.0;
        feather(pen, 10 + 14 * i + 8 * t, h - 34 - 16 * t - 4 * i, 0.8 * i + 2 * t);
      }
    }
    for (int i = 0; i < 3; ++i) {
      int age = k - 5 - 2 * i;
      if (age < 0) continue;
      double hy = h - 44 - 4 * age + 3 * i;
      if (hy < 4) continue;
      heart(pen, heroX - 14 + 13 * i + 2 * std::sin(age), hy, 6 + std::min(age, 3), i == 1 ? Red : Pink);
    }
  });
}

// ---------------------------------------------------------------- dragon

struct DragonPose {
  double phase = 0;
  double wings = 0;  // flap, -1..1
  bool happyEyes = false;
  bool mouthOpen = false;
};

// The little dragon with its feet on (x, y).
void dragon(const Pen& pen, double x, double y, const DragonPose& p) {
  cairo_t* cr = pen.cr;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  const Ink scales{Grass, 8, Green, 2};
  const double s = wave(p.phase);
  // Tail curling up behind.
  part(pen, [&] {
    cairo_move_to(cr, -6, -12);
    cairo_curve_to(cr, -12, -10, -16, -9, -17, -15 + s);
    cairo_line_to(cr, -13, -15.5 + s);
    cairo_curve_to(cr, -13, -13, -10, -15, -5, -17);
    cairo_close_path(cr);
  }, scales);
  part(pen, [&] {
    cairo_move_to(cr, -17, -15 + s);
    cairo_line_to(cr, -19, -20 + s);
    cairo_line_to(cr, -13, -16 + s);
    cairo_close_path(cr);
  }, {Orange, 10, Orange, 2}, 0.7);
  // Far wing.
  cairo_save(cr);
  cairo_translate(cr, -2, -20);
  cairo_rotate(cr, -0.5 * p.wings - 0.3);
  part(pen, [&] {
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, -5, -9);
    cairo_line_to(cr, -7, -3);
    cairo_line_to(cr, -10, -1);
    cairo_close_path(cr);
  }, {Purple, 8, Purple, 2}, 0.8);
  cairo_restore(cr);
  // Legs, running.
  auto leg = [&](double lx, double a, const Ink& ink) {
    double ex = lx + 6 * std::sin(a), ey = -6 + 6 * std::cos(a);
    cairo_new_path(cr);
    cairo_move_to(cr, lx, -6);
    cairo_line_to(cr, ex, ey - 1);
    cairo_set_line_width(cr, 5.2);
    pen.colour(Green, 2);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3.2);
    pen.colour(ink.ramp, ink.shade);
    cairo_stroke(cr);
    part(pen, [&] { ellipsePath(cr, ex + 1.2, ey - 0.6, 2.6, 1.5); }, ink, 0.8);
  };
  leg(-3, -0.7 * s, {Grass, 6, Green, 2});
  // Body, belly, back spikes.
  for (int i = 0; i < 3; ++i) {
    double bx = -7 + 5 * i, by = -20 - (i == 1 ? 1.5 : 0);
    part(pen, [&] {
      cairo_move_to(cr, bx - 2.5, by + 3);
      cairo_line_to(cr, bx, by - 2);
      cairo_line_to(cr, bx + 2.5, by + 3);
      cairo_close_path(cr);
    }, {Orange, 10, Orange, 2}, 0.7);
  }
  part(pen, [&] { ellipsePath(cr, 0, -12, 10, 9); }, scales);
  cairo_new_path(cr);
  ellipsePath(cr, 3, -10, 5.5, 6.5);
  pen.colour(Gold, 13);
  cairo_fill(cr);
  cairo_new_path(cr);
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 0, -13 + 3.5 * i);
    cairo_line_to(cr, 6.5, -13 + 3.5 * i);
  }
  cairo_set_line_width(cr, 0.8);
  pen.colour(Gold, 8);
  cairo_stroke(cr);
  leg(3, 0.7 * s, scales);
  // Head: big and round, little horns, nostrils, a big eye.
  const double hx = 9, hy = -22;
  for (int i = 0; i < 2; ++i)
    part(pen, [&] {
      double bx = hx - 3 + 4 * i;
      cairo_move_to(cr, bx - 1.5, hy - 5);
      cairo_line_to(cr, bx - 1, hy - 10);
      cairo_line_to(cr, bx + 1.5, hy - 5);
      cairo_close_path(cr);
    }, {Gold, 11, Gold, 3}, 0.7);
  part(pen, [&] { ellipsePath(cr, hx, hy, 7.5, 6.5); }, scales);
  part(pen, [&] { ellipsePath(cr, hx + 6, hy + 2, 4.5, 3.6); }, scales);
  cairo_new_path(cr);
  cairo_arc(cr, hx + 8.5, hy + 0.8, 0.7, 0, 2 * M_PI);
  pen.colour(Green, 1);
  cairo_fill(cr);
  if (p.mouthOpen) {
    part(pen, [&] { ellipsePath(cr, hx + 8.5, hy + 3.8, 1.6, 1.3); }, {Red, 4, Green, 1}, 0.6);
  } else {
    cairo_new_path(cr);
    cairo_arc(cr, hx + 6, hy + 2.5, 3, 0.4, 1.6);
    cairo_set_line_width(cr, 0.9);
    pen.colour(Green, 1);
    cairo_stroke(cr);
  }
  eye(pen, hx + 1.5, hy - 1.5, 1.8, p.happyEyes);
  cairo_new_path(cr);
  ellipsePath(cr, hx + 0.5, hy + 2.8, 1.5, 0.9);
  pen.colour(Pink, 10);
  cairo_fill(cr);
  // Near wing.
  cairo_save(cr);
  cairo_translate(cr, -1, -18);
  cairo_rotate(cr, -0.7 * p.wings);
  part(pen, [&] {
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, -4, -11);
    cairo_line_to(cr, -7, -5);
    cairo_line_to(cr, -11, -3);
    cairo_close_path(cr);
  }, {Purple, 10, Purple, 2}, 0.8);
  cairo_restore(cr);
  cairo_restore(cr);
}

zb::FrameData dragonRun(DataSet& data, const Palette& palette, int k) {
  const Chaser& c = kDragon;
  return frame(data, palette, c.width, c.height, [&](const Pen& pen, cairo_t* shade) {
    groundShadow(shade, 20, c.height, 12);
    DragonPose p;
    p.phase = double(k) / kRunFrames;
    p.wings = wave(p.phase, 0.2);
    p.mouthOpen = true;
    double bob = std::abs(wave(p.phase)) * 1.2;
    dragon(pen, 19, c.height - 0.5 - bob, p);
    // Bubbles blown ahead, rising as they go.
    for (int i = 0; i < 2; ++i) {
      double t = std::fmod(p.phase + 0.5 * i, 1.0);
      bubble(pen, 34 + 2 * t, c.height - 19 - 9 * t - bob, 1.5 + 1.0 * t);
    }
  });
}

// The dragon blows a big bubble that wraps the hero and lifts him up a
// little; stars twinkle, the hero laughs inside.
zb::FrameData dragonCatch(DataSet& data, const Palette& palette, int k) {
  const Chaser& c = kDragon;
  const int w = c.width + kHeroWidth + kCatchRoom, h = kCatchHeight;
  const double heroX = c.width + kHeroWidth / 2.0 - 1;
  return frame(data, palette, w, h, [&](const Pen& pen, cairo_t* shade) {
    cairo_t* cr = pen.cr;
    groundShadow(shade, 20, h, 12);
    double lift = k < 6 ? 0 : std::min(6.0, (k - 5) * 1.5);
    groundShadow(shade, heroX + 1, h, 8 - lift * 0.5);
    HeroPose hero;
    hero.surprised = k >= 4 && k < 7;
    hero.laughing = k >= 7;
    hero.armsUp = k >= 6 ? 0.7 : 0;
    hero.lift = lift;
    drawHero(pen, heroX, h - 1.5, hero);
    DragonPose p;
    p.mouthOpen = k < 5;
    p.happyEyes = k >= 6;
    p.wings = k >= 6 ? wave(k / 2.0) : 0.3;
    dragon(pen, 20, h - 0.5, p);
    // The bubble: grows at the dragon's mouth, floats over to the hero.
    double rx, ry, cx, cy;
    if (k < 5) {
      double t = (k + 1) / 5.0;
      rx = ry = 2 + 7 * t;
      cx = 33 + rx * 0.8;
      cy = h - 23 - ry * 0.3;
    } else {
      double t = std::min(1.0, (k - 4) / 2.0);
      rx = 9 + (15 - 9) * t;
      ry = 9 + (21 - 9) * t;
      cx = 44 + (heroX + 1 - 44) * t;
      cy = (h - 26) + ((h - 22 - lift) - (h - 26)) * t;
    }
    cairo_new_path(cr);
    ellipsePath(cr, cx, cy, rx, ry);
    cairo_set_line_width(cr, 2.2);
    pen.colour(Sky, 5);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.0);
    pen.colour(Sky, 13);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx - rx * 0.45, cy - ry * 0.5, std::max(1.0, rx * 0.18), 0, 2 * M_PI);
    pen.colour(Grey, 15);
    cairo_fill(cr);
    if (rx > 5) {
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy, rx * 0.75, -2.6, -1.9);
      cairo_set_line_width(cr, 1.2);
      pen.colour(Grey, 15);
      cairo_stroke(cr);
    }
    // Little bubbles and stars around the hero.
    if (k >= 7) {
      const double spots[][2] = {{-18, -30}, {16, -36}, {-14, -48}, {12, -50}};
      for (int i = 0; i < 4; ++i) {
        double sx = cx + spots[i][0] * 0.8, sy = h + spots[i][1] - lift + ((k + i) % 2);
        if ((k + i) % 2 == 0) star(pen, sx, sy, 3.5 + (i % 2), i % 2 ? Gold : Pink, 0.3 * k);
        else bubble(pen, sx, sy, 2.5);
      }
    }
  });
}

}  // namespace

int widestEnemy() {
  int w = 0;
  for (const Chaser& c : kChasers) w = std::max(w, c.width);
  return w;
}

int tallestStanding() {
  int h = std::max(kHeroHeight, kCatchHeight);
  for (const Chaser& c : kChasers) h = std::max(h, c.height);
  return h;
}

void buildEnemies(DataSet& data, const Palette& palette) {
  using Draw = zb::FrameData (*)(DataSet&, const Palette&, int);
  struct Set {
    Draw run, caught;
  };
  const Set sets[] = {{puppyRun, puppyCatch}, {gooseRun, gooseCatch}, {dragonRun, dragonCatch}};
  int m = 0;
  for (const Set& s : sets) {
    std::vector<zb::FrameData> run, caught;
    for (int k = 0; k < kRunFrames; ++k) run.push_back(s.run(data, palette, k));
    for (int k = 0; k < kCatchFrames; ++k) caught.push_back(s.caught(data, palette, k));
    writeImage(data, "GDATA\\ENMS\\enm" + std::to_string(m) + ".im3", run);
    writeImage(data, "GDATA\\ENMS\\enmet" + std::to_string(m) + ".im3", caught);
    ++m;
  }
}

}  // namespace zbdata::game
