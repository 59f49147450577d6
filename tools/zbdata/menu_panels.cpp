// The menu boards and the animations between them (MDATA\TRNSF).
//
// Every board is the same deep slate board; only what is painted on it
// differs. An opening unfolds a board from a thin bar; a change from one
// board to another rolls the new one down over the old like a blind. The
// screens play openings forwards and closings backwards, so frame 0 and
// the last frame of every picture are whole boards, and every frame covers
// the one before it completely.
#include <array>
#include <cmath>
#include <functional>
#include <string>

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "menu_draw.h"
#include "menu_pictures.h"

namespace zbdata::menu {

namespace {

constexpr int kFrames = 10;

// Where the boards stand on screen.
constexpr Box kMainBoard{131, 73, 367, 293};
constexpr Box kLanguageBoard{131, 83, 367, 218};
constexpr Box kNameBoard{131, 105, 367, 160};

using Decor = std::function<void(const Pen&)>;

void icon(const Pen& pen, const char* name, double x, double y, double scale = 1) {
  pen.svg(std::string("menus/icon-") + name + ".svg", {x, y, 27 * scale, 21 * scale});
}

// The typeface of the logo, opened straight through FreeType (fontconfig
// keeps caches of its own that are never freed). It stays open for the
// whole run: cairo's caches may hold on to the face until the very end.
constexpr const char* kLogoFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

class LogoFace {
 public:
  explicit LogoFace(DataSet& data) {
    if (FT_Init_FreeType(&library_) != 0) {
      library_ = nullptr;
      data.error("cannot start FreeType for the logo");
      return;
    }
    if (FT_New_Face(library_, kLogoFont, 0, &face_) != 0) {
      face_ = nullptr;
      data.error(std::string("cannot read the logo's typeface ") + kLogoFont + " (package fonts-dejavu-core)");
      return;
    }
    cairoFace_ = cairo_ft_font_face_create_for_ft_face(face_, 0);
  }
  LogoFace(const LogoFace&) = delete;
  LogoFace& operator=(const LogoFace&) = delete;
  cairo_font_face_t* face() const { return cairoFace_; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  cairo_font_face_t* cairoFace_ = nullptr;
};

// The name of the game in bouncing, many-coloured letters.
void logo(const Pen& pen, double centreX, double baseline) {
  static LogoFace face(pen.data);
  if (face.face() == nullptr) return;
  cairo_t* cr = pen.cr;
  const char* letters = "ZUBBATIK";
  const std::array<std::pair<int, int>, 8> colours = {
      {{Gold, 10}, {Orange, 10}, {Pink, 10}, {Teal, 10}, {Sky, 10}, {Grass, 9}, {Purple, 10}, {Red, 10}}};
  cairo_set_font_face(cr, face.face());
  cairo_set_font_size(cr, 19);
  double total = 0;
  std::array<double, 8> advance{};
  for (int i = 0; i < 8; ++i) {
    char one[2] = {letters[i], 0};
    cairo_text_extents_t e;
    cairo_text_extents(cr, one, &e);
    advance[i] = e.x_advance + 1.5;
    total += advance[i];
  }
  double x = centreX - total / 2;
  for (int i = 0; i < 8; ++i) {
    char one[2] = {letters[i], 0};
    double y = baseline + (i % 2 == 0 ? -1.5 : 1.0);
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, one);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 4);
    pen.colour(Slate, 1);
    cairo_stroke_preserve(cr);
    pen.colour(colours[i].first, colours[i].second);
    cairo_fill(cr);
    x += advance[i];
  }
}

void mainDecor(const Pen& pen) {
  logo(pen, 314, 102);
  const char* icons[9] = {"play", "lesson", "keyboard", "layout", "level", "sound", "mouse", "records", "exit"};
  for (int i = 0; i < 9; ++i) icon(pen, icons[i], 139, 108 + 25 * i);
  // The settings as they stand: keyboard, layout, level, sound, mouse.
  drawInset(pen, {314, 108, 176, 190}, 10, 3);
  star(pen, 352, 330, 9, Gold);
  star(pen, 398, 318, 6, Pink);
  star(pen, 440, 334, 8, Teal);
  star(pen, 470, 314, 5, Gold);
}

void speechBubble(const Pen& pen, double x, double y, bool tailRight) {
  cairo_t* cr = pen.cr;
  auto shape = [&](double d) {
    pen.roundedRect({x + d, y + d, 38 - 2 * d, 22 - 2 * d}, 8 - d);
    double tx = tailRight ? x + 28 : x + 10;
    cairo_move_to(cr, tx - 5 + d, y + 20);
    cairo_line_to(cr, tx + (tailRight ? 9 : -9) - d * 0.5, y + 29 - d * 1.5);
    cairo_line_to(cr, tx + 4 - d, y + 20);
    cairo_close_path(cr);
  };
  shape(0);
  pen.colour(Slate, 1);
  cairo_fill(cr);
  shape(1.3);
  pen.colour(Grey, 15);
  cairo_fill(cr);
  for (int k = 0; k < 3; ++k) {
    cairo_arc(cr, x + 11 + 8 * k, y + 11, 2.2, 0, 2 * M_PI);
    pen.colour(k == 1 ? Pink : k == 0 ? Sky : Grass, 7);
    cairo_fill(cr);
  }
}

void languageDecor(const Pen& pen) {
  icon(pen, "layout", 286, 92, 2);
  speechBubble(pen, 230, 92, true);
  speechBubble(pen, 360, 98, false);
  drawInset(pen, {174, 148, 290, 118}, 10, 3);
}

void keyboardDecor(const Pen& pen) {
  icon(pen, "keyboard", 287, 78, 2);
  for (int p = 0; p < 3; ++p) {
    double x = 192 + 85 * p;
    drawInset(pen, {x + 4, 156, 76, 160}, 8, 2);
    drawKeyboardType(pen, p, x + 6, 176, 1.0);
    drawEnterCloseUp(pen, p, x + 6, 240, 1.0);
  }
}

void layoutDecor(const Pen& pen) {
  icon(pen, "layout", 287, 83, 2);
  drawInset(pen, {212, 155, 216, 174}, 10, 3);
}

void levelDecor(const Pen& pen) {
  icon(pen, "level", 287, 80, 2);
  star(pen, 250, 98, 7, Gold);
  star(pen, 380, 104, 6, Pink);
  drawInset(pen, {207, 124, 226, 199}, 10, 2);
  // A plate for every place of the grid: 11 to a row.
  for (int r = 0; r < 11; ++r) {
    for (int c = 0; c < 11; ++c) {
      pen.fillRounded({213.0 + 19 * c, 129.0 + 17 * r, 14, 16}, 3, Slate, 3);
    }
  }
}

void medal(const Pen& pen, double cx, double cy, int ramp, int shade) {
  cairo_t* cr = pen.cr;
  cairo_move_to(cr, cx - 5, cy - 11);
  cairo_line_to(cr, cx - 1, cy - 2);
  cairo_line_to(cr, cx + 1, cy - 2);
  cairo_line_to(cr, cx + 5, cy - 11);
  cairo_close_path(cr);
  pen.colour(Red, 8);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy + 1, 6.5, 0, 2 * M_PI);
  pen.colour(ramp, 3);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy + 1, 5.2, 0, 2 * M_PI);
  pen.colour(ramp, shade);
  cairo_fill(cr);
  cairo_arc(cr, cx - 1.5, cy - 0.5, 2, 0, 2 * M_PI);
  pen.colour(ramp, std::min(15, shade + 3));
  cairo_fill(cr);
}

void recordsDecor(const Pen& pen) {
  icon(pen, "records", 287, 76, 2);
  star(pen, 240, 96, 7, Gold);
  star(pen, 388, 96, 7, Gold);
  // Ten rows, every other one a shade darker, so that a name and its score
  // are easy to follow across.
  for (int r = 0; r < 10; ++r) {
    if (r % 2 == 0) pen.fillRounded({150, 143.0 + 19 * r, 330, 20}, 6, Slate, 3);
  }
  medal(pen, 170, 153, Gold, 9);
  medal(pen, 170, 172, Grey, 12);
  medal(pen, 170, 191, Orange, 7);
  for (int r = 3; r < 10; ++r) {
    cairo_arc(pen.cr, 170, 153.0 + 19 * r, 2.2, 0, 2 * M_PI);
    pen.colour(Slate, 8);
    cairo_fill(pen.cr);
  }
}

void confetti(const Pen& pen, double x, double y, double angle, int ramp) {
  cairo_save(pen.cr);
  cairo_translate(pen.cr, x, y);
  cairo_rotate(pen.cr, angle);
  pen.fillRounded({-4, -1.8, 8, 3.6}, 1.2, ramp, 9);
  cairo_restore(pen.cr);
}

void nameDecor(const Pen& pen) {
  const int ramps[6] = {Pink, Gold, Teal, Sky, Grass, Orange};
  for (int i = 0; i < 22; ++i) {
    double x = 150 + (i * 67) % 330;
    double y = 116 + (i * 29) % 54;
    confetti(pen, x, y, i * 0.7, ramps[i % 6]);
  }
  star(pen, 164, 221, 9, Gold);
  // The field the name is typed into: 14 letters from x 192, y 214.
  drawInset(pen, {185, 208, 126, 27}, 6, 2);
  icon(pen, "records", 344, 200, 2);
  star(pen, 430, 214, 7, Pink);
  star(pen, 452, 240, 5, Teal);
}

struct BoardArt {
  Box box;
  Decor decor;
};

const BoardArt kMain{kMainBoard, mainDecor};
const BoardArt kLanguage{kLanguageBoard, languageDecor};
const BoardArt kKeyboard{kMainBoard, keyboardDecor};
const BoardArt kLayout{kMainBoard, layoutDecor};
const BoardArt kLevel{kMainBoard, levelDecor};
const BoardArt kRecords{kMainBoard, recordsDecor};
const BoardArt kName{kNameBoard, nameDecor};

Box lerpBox(const Box& a, const Box& b, double t) {
  return {lerp(a.x, b.x, t), lerp(a.y, b.y, t), lerp(a.w, b.w, t), lerp(a.h, b.h, t)};
}

// The board as it unfolds: a thin bar that widens, then opens downwards
// and upwards from the middle. Its picture is drawn in place and shows
// through where the board already is.
std::vector<zb::FrameData> unfold(DataSet& data, const Palette& palette, const BoardArt& art, int originX,
                                  int originY, int width, int height) {
  std::vector<zb::FrameData> frames;
  const Box& full = art.box;
  const double bar = 2 * kBoardRadius;  // the corners keep their radius as it grows
  for (int k = 0; k < kFrames; ++k) {
    double s = static_cast<double>(k) / (kFrames - 1);
    double wide = easeOut(std::min(1.0, s / 0.4));
    double tall = s <= 0.4 ? 0 : easeInOut((s - 0.4) / 0.6);
    double w = lerp(70, full.w, wide);
    double h = lerp(bar, full.h, tall);
    Box b{std::round(full.x + (full.w - w) / 2), std::round(full.y + (full.h - h) / 2), std::round(w),
          std::round(h)};
    if (k == kFrames - 1) b = full;
    frames.push_back(drawFrame(data, palette, originX, originY, width, height, [&](const Pen& pen) {
      drawBoard(pen, b);
      cairo_save(pen.cr);
      pen.roundedRect(b.inset(6), kBoardRadius - 6);
      cairo_clip(pen.cr);
      art.decor(pen);
      cairo_restore(pen.cr);
    }));
  }
  return frames;
}

// The roller of the blind, a light bar with rounded ends.
void roller(const Pen& pen, const Box& board, double y) {
  Box bar{board.x + 3, y - 5, board.w - 6, 10};
  pen.fillRounded(bar, 5, Slate, 1);
  pen.fillRounded(bar.inset(1.2), 4, Slate, 10);
  pen.fillRounded({bar.x + 3, bar.y + 2, bar.w - 6, 2.5}, 1.2, Slate, 14);
  pen.fillRounded({bar.x + 1, bar.y + 1, 9, 8}, 3.5, Gold, 9);
  pen.fillRounded({bar.right() - 10, bar.y + 1, 9, 8}, 3.5, Gold, 9);
}

// From board `from` to board `to`: the new board rolls down over the old.
std::vector<zb::FrameData> rollOver(DataSet& data, const Palette& palette, const BoardArt& from,
                                    const BoardArt& to) {
  std::vector<zb::FrameData> frames;
  for (int k = 0; k < kFrames; ++k) {
    double s = static_cast<double>(k) / (kFrames - 1);
    double t = easeInOut(s);
    Box b = k == 0 ? from.box : k == kFrames - 1 ? to.box : lerpBox(from.box, to.box, t);
    b = {std::round(b.x), std::round(b.y), std::round(b.w), std::round(b.h)};
    double split = lerp(b.y + 4, b.bottom() - 4, t);
    frames.push_back(drawFrame(data, palette, kMainBoard.x, kMainBoard.y, kMainBoard.w, kMainBoard.h,
                               [&](const Pen& pen) {
      drawBoard(pen, b);
      cairo_t* cr = pen.cr;
      cairo_save(cr);
      pen.roundedRect(b.inset(6), kBoardRadius - 6);
      cairo_clip(cr);
      if (k < kFrames - 1) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, split, 630, 440);
        cairo_clip(cr);
        from.decor(pen);
        cairo_restore(cr);
      }
      if (k > 0) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, 0, 630, split);
        cairo_clip(cr);
        to.decor(pen);
        cairo_restore(cr);
      }
      cairo_restore(cr);
      if (k > 0 && k < kFrames - 1) roller(pen, b, split);
    }));
  }
  return frames;
}

}  // namespace

void buildPanels(DataSet& data, const Palette& palette) {
  // An opening's picture is the size of its board and shown at its corner.
  auto unfoldAt = [&](const char* path, const BoardArt& art) {
    const Box& b = art.box;
    writeImage(data, path, unfold(data, palette, art, int(b.x), int(b.y), int(b.w), int(b.h)));
  };
  unfoldAt("MDATA\\TRNSF\\lgmnu.im3", kLanguage);
  unfoldAt("MDATA\\TRNSF\\mnmnu.im3", kMain);
  unfoldAt("MDATA\\TRNSF\\nmshw.im3", kName);
  unfoldAt("MDATA\\TRNSF\\rdshw.im3", kRecords);
  writeImage(data, "MDATA\\TRNSF\\lgtomn.im3", rollOver(data, palette, kLanguage, kMain));
  writeImage(data, "MDATA\\TRNSF\\kbmnmnu.im3", rollOver(data, palette, kMain, kKeyboard));
  writeImage(data, "MDATA\\TRNSF\\lgmnmnu.im3", rollOver(data, palette, kMain, kLayout));
  writeImage(data, "MDATA\\TRNSF\\lvmnmnu.im3", rollOver(data, palette, kMain, kLevel));
  writeImage(data, "MDATA\\TRNSF\\rdmnmnu.im3", rollOver(data, palette, kMain, kRecords));
  writeImage(data, "MDATA\\TRNSF\\nmtord.im3", rollOver(data, palette, kName, kRecords));
}

}  // namespace zbdata::menu
