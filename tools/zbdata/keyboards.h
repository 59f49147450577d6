// The keyboards of the data set: the three keyboard types (kbdt1-3.tsv:
// key places, cap shapes, fingers and home fingers) and the six layouts
// (kbd<suffix>.tsv: characters and labels). Everything the program reads
// about a keyboard comes from these tables: the .def and .rkb files, the
// keyboard pictures, the key caps, the label glyphs and the fingers'
// resting places.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "charset.h"
#include "dataset.h"
#include "fonts.h"
#include "palette.h"
#include "raster.h"

namespace zbdata {

inline constexpr int kUnit = 40;  // pixels of one key unit
inline constexpr int kQuarter = kUnit / 4;
inline constexpr int kRowPitch = 40;
inline constexpr int kCapGap = 3;
inline constexpr int kCapHeight = kRowPitch - kCapGap;
inline constexpr int kKeyboardTop = 183;
inline constexpr int kKeyboardWidth = 630;
inline constexpr int kKeyboardHeight = 440 - kKeyboardTop;
inline constexpr int kShapeCount = 17;
// Where the program draws the marks and labels on a cap (up position).
inline constexpr int kMarkX = 6, kMarkY = 6;
inline constexpr int kMainX = 8, kMainY = 20;
inline constexpr int kUpperX = 19, kUpperY = 9;
inline constexpr int kAltGrX = 19, kAltGrY = 20;
// The bottom row of a cap's face: labels and marks end above it.
inline constexpr int kFaceBottom = 32;
// A marker placed on a key stands this far into it.
inline constexpr int kMarkerInset = 5;

struct Shape {
  enum Kind { Key, Space, IsoEnter };
  bool laptop = false;
  int quarters = 4;
  Kind kind = Key;
  int width() const { return quarters * kQuarter - kCapGap; }
  int height() const { return kind == IsoEnter ? 2 * kRowPitch - kCapGap : kCapHeight; }
};

struct KeyPlace {
  std::string name;
  uint8_t scan = 0;
  int row = 0;
  int col = 0;  // quarter units
  int shape = 0;
  int finger = 0;
  int home = 255;
  int line = 0;
  int x = 0;  // screen x
  int y = 0;  // below the top of the keyboard picture
};

struct KeyboardType {
  int number = 0;  // 0..2
  std::filesystem::path file;
  int originX = 0;
  int originY = 0;
  int handsX = 0;
  std::vector<KeyPlace> keys;
  // Resting places given by @rest, as marker positions on screen.
  std::array<std::optional<std::pair<int, int>>, 10> rests;
};

struct LayoutKey {
  uint8_t plain = 0, shift = 0, altGr = 0;
  std::string main, upper, altGrLabel;  // label specs, "" for none
  int line = 0;
};

struct Layout {
  int number = 0;
  std::string suffix;
  bool altGrLabels = false;
  std::filesystem::path file;
  std::vector<LayoutKey> keys;  // in the order of the geometry tables
};

struct Keyboards {
  std::vector<Shape> shapes;
  std::vector<KeyboardType> types;
  std::vector<Layout> layouts;
};

// Reads and checks every keyboard table; the codes the layouts type go
// into used (the menu font must draw them, since names are typed with
// them).
Keyboards loadKeyboards(DataSet& data, const Charset& charset, CodeUse& used);
// Writes the .def, .rkb and .adi files, the caps, the keyboard pictures,
// the label glyphs and the finger marker.
void buildKeyboards(DataSet& data, const Keyboards& keyboards, const Charset& charset,
                    const std::map<std::string, Raster>& symbols);
// Whether some key of the layout types c, alone, with Shift or with AltGr.
bool typesCharacter(const Layout& layout, uint8_t c);

}  // namespace zbdata
