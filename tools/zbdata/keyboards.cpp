#include "keyboards.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "engine/writers.h"
#include "keyboard_art.h"
#include "modes/keyboard.h"
#include "modes/keyboard_files.h"
#include "picture.h"

namespace zbdata {

namespace {

struct LayoutName {
  const char* suffix;
  bool altGrLabels;
};
// The layouts in the program's order; only French and Swedish have AltGr
// label pictures.
constexpr LayoutName kLayouts[6] = {{"rus", false}, {"amr", false}, {"grm", false},
                                    {"fr", true},   {"eng", false}, {"sw", true}};

bool parseInt(const std::string& text, int& out, int base = 10) {
  if (text.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, base);
  if (*end != 0) return false;
  out = static_cast<int>(v);
  return true;
}

std::vector<Shape> loadShapes(DataSet& data) {
  std::filesystem::path file = data.source("keyboards/shapes.tsv");
  std::vector<Shape> shapes(kShapeCount);
  std::vector<bool> seen(kShapeCount, false);
  for (const Row& row : readTable(file, data)) {
    int number = -1, quarters = 0;
    const auto& f = row.fields;
    if (f.size() != 4 || !parseInt(f[0], number) || number < 0 || number >= kShapeCount ||
        !parseInt(f[2], quarters) || quarters < 2 || quarters > 60 ||
        (f[1] != "standard" && f[1] != "laptop") || (f[3] != "key" && f[3] != "space" && f[3] != "isoenter")) {
      data.error(file, row.line, "expected: shape (0-16), standard or laptop, width (quarter units), key, space or isoenter");
      continue;
    }
    if (seen[number]) data.error(file, row.line, "shape " + f[0] + " twice");
    seen[number] = true;
    shapes[number] = Shape{f[1] == "laptop", quarters,
                           f[3] == "space" ? Shape::Space : f[3] == "isoenter" ? Shape::IsoEnter : Shape::Key};
  }
  for (int s = 0; s < kShapeCount; ++s)
    if (!seen[s]) data.error(file, 0, "shape " + std::to_string(s) + " is missing");
  return shapes;
}

// The rectangles a cap covers on screen (two for the L-shaped Enter).
std::vector<std::array<int, 4>> capRects(const KeyPlace& k, const Shape& s) {
  if (s.kind != Shape::IsoEnter) return {{k.x, k.y, s.width(), s.height()}};
  return {{k.x, k.y, s.width(), kCapHeight}, {k.x + kQuarter, k.y, s.width() - kQuarter, s.height()}};
}

KeyboardType loadType(DataSet& data, int number, const std::vector<Shape>& shapes) {
  KeyboardType type;
  type.number = number;
  type.file = data.source("keyboards/kbdt" + std::to_string(number + 1) + ".tsv");
  const std::filesystem::path& file = type.file;
  bool origin = false;
  std::vector<std::pair<int, std::array<int, 3>>> rests;  // line, finger col row
  for (const Row& row : readTable(file, data)) {
    const auto& f = row.fields;
    if (f[0] == "@origin") {
      origin = f.size() == 3 && parseInt(f[1], type.originX) && parseInt(f[2], type.originY);
      if (!origin) data.error(file, row.line, "expected: @origin, x, y");
      continue;
    }
    if (f[0] == "@hands") {
      if (f.size() != 2 || !parseInt(f[1], type.handsX)) data.error(file, row.line, "expected: @hands, x");
      continue;
    }
    if (f[0] == "@rest") {
      std::array<int, 3> v{};
      if (f.size() != 4 || !parseInt(f[1], v[0]) || !parseInt(f[2], v[1]) || !parseInt(f[3], v[2]) || v[0] < 0 ||
          v[0] > 9)
        data.error(file, row.line, "expected: @rest, finger (0-9), col, row");
      else
        rests.push_back({row.line, v});
      continue;
    }
    KeyPlace k;
    k.name = f[0];
    k.line = row.line;
    int scan = 0;
    if (f.size() != 7 || !parseInt(f[1], scan, 16) || scan < 1 || scan > 255 || !parseInt(f[2], k.row) ||
        !parseInt(f[3], k.col) || !parseInt(f[4], k.shape) || !parseInt(f[5], k.finger) ||
        (f[6] != "-" && !parseInt(f[6], k.home))) {
      data.error(file, row.line, "expected: key, scan (hex), row, col, shape, finger, home (or -)");
      continue;
    }
    k.scan = static_cast<uint8_t>(scan);
    if (k.shape < 0 || k.shape >= kShapeCount) data.error(file, row.line, "no shape " + f[4]);
    if (k.finger < 0 || k.finger > 9) data.error(file, row.line, "fingers are 0-9");
    if (f[6] != "-" && (k.home < 0 || k.home > 9)) data.error(file, row.line, "home fingers are 0-9 or -");
    type.keys.push_back(k);
  }
  if (!origin) data.error(file, 0, "no @origin");
  for (KeyPlace& k : type.keys) {
    k.x = type.originX + k.col * kQuarter;
    k.y = type.originY + k.row * kRowPitch;
  }
  for (auto& [line, v] : rests)
    type.rests[v[0]] = std::pair{type.originX + v[1] * kQuarter + kMarkerInset,
                                 kKeyboardTop + type.originY + v[2] * kRowPitch + kMarkerInset};

  // Every cap inside the picture, below its top strip, and no two caps
  // on one another.
  std::vector<std::vector<std::array<int, 4>>> rects;
  for (const KeyPlace& k : type.keys) {
    if (k.shape < 0 || k.shape >= kShapeCount) {
      rects.emplace_back();
      continue;
    }
    rects.push_back(capRects(k, shapes[k.shape]));
    for (const auto& r : rects.back())
      if (r[0] < 0 || r[1] < 40 || r[0] + r[2] > kKeyboardWidth || r[1] + r[3] > kKeyboardHeight - 4)
        data.error(file, k.line, k.name + " lies outside the keyboard");
  }
  for (size_t i = 0; i < rects.size(); ++i)
    for (size_t j = i + 1; j < rects.size(); ++j)
      for (const auto& a : rects[i])
        for (const auto& b : rects[j])
          if (a[0] < b[0] + b[2] && b[0] < a[0] + a[2] && a[1] < b[1] + b[3] && b[1] < a[1] + a[3])
            data.error(file, type.keys[j].line, type.keys[j].name + " lies on " + type.keys[i].name);
  std::set<int> homes;
  for (const KeyPlace& k : type.keys)
    if (k.home != 255 && !homes.insert(k.home).second)
      data.error(file, k.line, "finger " + std::to_string(k.home) + " has two home keys");
  for (int f = 0; f < 10; ++f)
    if (!homes.count(f) && !type.rests[f]) data.error(file, 0, "finger " + std::to_string(f) + " has no resting place");
  return type;
}

bool isLowerLetter(char32_t c) {
  return (c >= U'a' && c <= U'z') || (c >= U'а' && c <= U'я') || c == U'ё' || c == U'ß' || c == U'œ' ||
         (c >= 0xE0 && c <= 0xFE && c != 0xF7);
}

char32_t upperOf(char32_t c) {
  if ((c >= U'a' && c <= U'z') || (c >= U'а' && c <= U'я') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
  if (c == U'ё') return U'Ё';
  if (c == U'œ') return U'Œ';
  return c;
}

// A character column: one character, U+XXXX, or empty for none.
std::optional<char32_t> parseCharacter(const std::string& text, DataSet& data, const std::filesystem::path& file,
                                       int line) {
  if (text.empty()) return std::nullopt;
  if (text.size() > 2 && text.compare(0, 2, "U+") == 0)
    return static_cast<char32_t>(std::strtoul(text.c_str() + 2, nullptr, 16));
  std::optional<std::u32string> chars = decodeUtf8(text);
  if (!chars || chars->size() != 1) {
    data.error(file, line, "'" + text + "' is not one character");
    return std::nullopt;
  }
  return (*chars)[0];
}

Layout loadLayout(DataSet& data, int number, const Charset& charset, const KeyboardType& geometry, CodeUse& used) {
  Layout layout;
  layout.number = number;
  layout.suffix = kLayouts[number].suffix;
  layout.altGrLabels = kLayouts[number].altGrLabels;
  layout.file = data.source("keyboards/kbd" + layout.suffix + ".tsv");
  const std::filesystem::path& file = layout.file;
  std::map<std::string, size_t> index;
  for (size_t i = 0; i < geometry.keys.size(); ++i) index[geometry.keys[i].name] = i;
  layout.keys.resize(geometry.keys.size());
  std::vector<bool> seen(geometry.keys.size(), false);
  for (const Row& row : readTable(file, data)) {
    std::vector<std::string> f = row.fields;
    f.resize(7);
    auto it = index.find(f[0]);
    if (row.fields.size() > 7 || it == index.end()) {
      data.error(file, row.line, it == index.end() ? "no key '" + f[0] + "' in the keyboard tables"
                                                   : "expected: key, plain, shift, altgr, main, upper, altgr label");
      continue;
    }
    if (seen[it->second]) data.error(file, row.line, "key " + f[0] + " twice");
    seen[it->second] = true;
    LayoutKey& k = layout.keys[it->second];
    k.line = row.line;
    std::array<std::optional<char32_t>, 3> chars;
    std::array<uint8_t*, 3> codes{&k.plain, &k.shift, &k.altGr};
    for (int c = 0; c < 3; ++c) {
      chars[c] = parseCharacter(f[1 + c], data, file, row.line);
      if (!chars[c]) continue;
      std::string encoded = charset.encode(encodeUtf8(*chars[c]), data, file, row.line);
      *codes[c] = static_cast<uint8_t>(encoded[0]);
      used.add(encoded);
    }
    if (f[4].empty() && f[5].empty() && f[6].empty()) {
      // Labels as the characters: a letter shows its small letter only.
      bool letter = chars[0] && isLowerLetter(*chars[0]) && chars[1] && *chars[1] == upperOf(*chars[0]);
      if (chars[0]) k.main = encodeUtf8(*chars[0]);
      if (!letter && chars[1] && chars[1] != chars[0]) k.upper = encodeUtf8(*chars[1]);
      if (layout.altGrLabels && chars[2]) k.altGrLabel = encodeUtf8(*chars[2]);
    } else {
      k.main = f[4] == "-" ? "" : f[4];
      k.upper = f[5] == "-" ? "" : f[5];
      k.altGrLabel = f[6] == "-" ? "" : f[6];
      if (!layout.altGrLabels && !k.altGrLabel.empty())
        data.error(file, row.line, "this layout has no AltGr labels");
    }
  }
  for (size_t i = 0; i < seen.size(); ++i)
    if (!seen[i]) data.error(file, 0, "key " + geometry.keys[i].name + " is missing");
  return layout;
}

// Renders the label glyphs of the caps: single characters with the label
// font, short words with the word font, {name} from the symbol drawings.
// All character and word glyphs share one baseline, so that a row of keys
// reads evenly.
class LabelMaker {
 public:
  LabelMaker(DataSet& data, const FontTable& fonts, const std::map<std::string, Raster>& symbols)
      : data_(data), symbols_(symbols) {
    openFont(chars_, fonts, "labels", data);
    openFont(words_, fonts, "words", data);
    // The baseline lies one ascender below a glyph's top row; taller
    // glyphs (accented capitals, brackets) start at the top row instead.
    if (std::optional<GlyphBitmap> d = chars_.render(U'd')) baseline_ = d->top;
  }

  // The glyph of a label, narrowed or flattened to fit maxWidth x
  // maxHeight if need be; an empty raster when it cannot be made.
  Raster make(const std::string& label, int maxWidth, int maxHeight, const std::filesystem::path& file, int line) {
    if (label.size() > 2 && label.front() == '{' && label.back() == '}') {
      auto it = symbols_.find(label.substr(1, label.size() - 2));
      if (it == symbols_.end()) {
        data_.error(file, line, "no drawing " + label + " in symbols.txt");
        return {};
      }
      return it->second;
    }
    std::optional<std::u32string> text = decodeUtf8(label);
    if (!text || text->empty()) {
      data_.error(file, line, "label '" + label + "' is not UTF-8 text");
      return {};
    }
    const FontFace& font = text->size() == 1 ? chars_ : words_;
    std::vector<std::pair<int, GlyphBitmap>> glyphs;
    int pen = 0, left = 1 << 20, right = 0;
    for (char32_t c : *text) {
      std::optional<GlyphBitmap> g = text->size() == 1 ? font.renderWithin(c, maxWidth, maxHeight) : font.render(c);
      if (!g) {
        data_.error(file, line, "no glyph for '" + encodeUtf8(c) + "' in the label fonts");
        return {};
      }
      if (g->width > 0) {
        left = std::min(left, pen + g->left);
        right = std::max(right, pen + g->left + g->width);
      }
      glyphs.emplace_back(pen, *g);
      pen += g->advance;
    }
    int top = 1 << 20, bottom = 0;
    for (auto& [x, g] : glyphs) {
      if (g.width == 0) continue;
      top = std::min(top, baseline_ - g.top);
      bottom = std::max(bottom, baseline_ - g.top + g.height);
    }
    if (right <= left) return Raster(1, 1);
    // Glyphs taller than the ascender start at the top row; a glyph that
    // would reach past maxHeight there rises by the rows it has to spare.
    int shift = std::min(top, 0);
    if (bottom - shift > maxHeight) shift = std::min(top, bottom - maxHeight);
    Raster r(right - left, bottom - shift);
    for (auto& [x, g] : glyphs)
      for (int y = 0; y < g.height; ++y)
        for (int col = 0; col < g.width; ++col)
          if (g.at(col, y)) r.set(x + g.left - left + col, baseline_ - g.top + y - shift, kGlyphColour);
    return r;
  }

  void error(const std::filesystem::path& file, int line, const std::string& message) {
    data_.error(file, line, message);
  }

 private:
  DataSet& data_;
  const std::map<std::string, Raster>& symbols_;
  FontFace chars_;
  FontFace words_;
  int baseline_ = 0;
};

// The frames of one label picture, each distinct label once.
class LabelPicture {
 public:
  uint8_t frameOf(const std::string& label, int maxWidth, int maxHeight, LabelMaker& maker,
                  const std::filesystem::path& file, int line, Raster& glyph) {
    // A label squeezed for a crowded key is another glyph than the same
    // label with room.
    const std::string key = label + "@" + std::to_string(maxWidth) + "x" + std::to_string(maxHeight);
    auto it = index_.find(key);
    if (it != index_.end()) {
      glyph = glyphs_[it->second];
      return static_cast<uint8_t>(it->second);
    }
    glyph = maker.make(label, maxWidth, maxHeight, file, line);
    if (glyphs_.size() >= 255) {  // 255 means "no glyph" in a layout file
      maker.error(file, line, "more than 255 different labels in one label picture");
      return 255;
    }
    index_[key] = glyphs_.size();
    glyphs_.push_back(glyph);
    return static_cast<uint8_t>(glyphs_.size() - 1);
  }
  std::vector<zb::FrameData> frames() const {
    std::vector<zb::FrameData> out;
    for (const Raster& g : glyphs_) out.push_back(g.frame());
    return out;
  }

 private:
  std::map<std::string, size_t> index_;
  std::vector<Raster> glyphs_;
};

// The column a label must end before: the face's right edge.
int labelRight(const Shape& shape) { return shape.width() - (shape.kind == Shape::IsoEnter ? 2 : 3); }

void buildLayout(DataSet& data, const Keyboards& keyboards, const Layout& layout, LabelMaker& maker) {
  LabelPicture mains, uppers, altGrs;
  std::vector<zb::KeyLabels> records;
  for (size_t i = 0; i < layout.keys.size(); ++i) {
    const LayoutKey& k = layout.keys[i];
    zb::KeyLabels l;
    l.plainChar = k.plain;
    l.shiftChar = k.shift;
    l.altGrChar = k.altGr;
    l.noLabels = k.main.empty() && k.upper.empty() && k.altGrLabel.empty() ? 1 : 0;
    // Room for each label on the narrowest cap this key has.
    int capRight = 1 << 20;
    for (const KeyboardType& type : keyboards.types)
      capRight = std::min(capRight, labelRight(keyboards.shapes[type.keys[i].shape]));
    const bool hasAltGr = !k.altGrLabel.empty();
    const int mainW = (hasAltGr ? kAltGrX - 1 : capRight) - kMainX;
    const int upperH = (hasAltGr ? kAltGrY - 1 : kFaceBottom + 1) - kUpperY;
    const int lowH = kFaceBottom + 1 - kMainY;
    Raster main, upper, altGr;
    if (!k.main.empty()) l.mainGlyph = mains.frameOf(k.main, mainW, lowH, maker, layout.file, k.line, main);
    if (!k.upper.empty())
      l.upperGlyph = uppers.frameOf(k.upper, capRight - kUpperX, upperH, maker, layout.file, k.line, upper);
    if (hasAltGr) l.altGrGlyph = altGrs.frameOf(k.altGrLabel, capRight - kAltGrX, lowH, maker, layout.file, k.line, altGr);
    records.push_back(l);

    // Every label stays on the cap's face on every keyboard type, and no
    // two labels of a key touch.
    struct Placed {
      const Raster* glyph;
      int x, y;
      const char* what;
    };
    const Placed placed[] = {{&main, kMainX, kMainY, "main"},
                             {&upper, kUpperX, kUpperY, "upper"},
                             {&altGr, kAltGrX, kAltGrY, "AltGr"}};
    for (const KeyboardType& type : keyboards.types) {
      const int right = labelRight(keyboards.shapes[type.keys[i].shape]);
      auto fail = [&](const std::string& what) {
        data.error(layout.file, k.line, what + " on " + type.keys[i].name + " of keyboard type " + std::to_string(type.number));
      };
      for (const Placed& a : placed) {
        if (a.glyph->width() == 0) continue;
        if (a.x + a.glyph->width() > right || a.y + a.glyph->height() > kFaceBottom + 1)
          fail(std::string("the ") + a.what + " label (" + std::to_string(a.glyph->width()) + " x " +
               std::to_string(a.glyph->height()) + ") does not fit");
        for (const Placed& b : placed)
          if (&a < &b && b.glyph->width() > 0 && a.x < b.x + b.glyph->width() && b.x < a.x + a.glyph->width() &&
              a.y < b.y + b.glyph->height() && b.y < a.y + a.glyph->height())
            fail(std::string("the ") + a.what + " and " + b.what + " labels overlap");
      }
    }
  }
  const std::string& s = layout.suffix;
  data.write("GDATA\\KBDDFS\\kbd" + s + ".rkb", zb::layoutFileBytes(records));
  writeImage(data, "GDATA\\KBDDFS\\kmn" + s + ".im3", mains.frames());
  writeImage(data, "GDATA\\KBDDFS\\kup" + s + ".im3", uppers.frames());
  if (layout.altGrLabels) writeImage(data, "GDATA\\KBDDFS\\kapp" + s + ".im3", altGrs.frames());
}

void buildType(DataSet& data, const Keyboards& keyboards, const KeyboardType& type,
               const std::map<std::string, Raster>& symbols, const Raster& fnLabel) {
  std::vector<zb::KeyGeometry> records;
  std::array<std::pair<int, int>, 10> homes{};
  for (const KeyPlace& k : type.keys) {
    records.push_back(zb::KeyGeometry{k.scan, static_cast<uint16_t>(k.x), static_cast<uint16_t>(k.y),
                                      static_cast<uint8_t>(k.shape), static_cast<uint8_t>(k.finger),
                                      static_cast<uint8_t>(k.home)});
    // A finger rests where a marker stands on its home key.
    if (k.home != 255) homes[k.home] = {k.x + kMarkerInset, kKeyboardTop + k.y + kMarkerInset};
  }
  zb::PayloadBuilder rests;
  for (int f = 0; f < 10; ++f) {
    std::pair<int, int> at = type.rests[f].value_or(homes[f]);
    rests.u16(static_cast<uint16_t>(at.first)).u16(static_cast<uint16_t>(at.second));
  }
  const std::string n = std::to_string(type.number);
  data.write("GDATA\\KBDDFS\\kbdt" + std::to_string(type.number + 1) + ".def", zb::geometryFileBytes(records));
  data.write("DDATA\\dmfngs" + n + ".adi", zb::descriptorFileBytes(rests.bytes()));
  writeImage(data, "GDATA\\KBDDFS\\kbdt" + n + ".im3",
             {keyboardBody(type, keyboards, true, symbols, fnLabel).frame()});
  writeImage(data, "DDATA\\KBDDFS\\dmkbdt" + n + ".im3",
             {keyboardBody(type, keyboards, false, symbols, fnLabel).frame()});
}

}  // namespace

Keyboards loadKeyboards(DataSet& data, const Charset& charset, CodeUse& used) {
  Keyboards kb;
  kb.shapes = loadShapes(data);
  for (int t = 0; t < 3; ++t) kb.types.push_back(loadType(data, t, kb.shapes));
  // One layout file serves all three types: the same keys in the same order.
  const KeyboardType& first = kb.types[0];
  for (const KeyboardType& t : kb.types) {
    bool same = t.keys.size() == first.keys.size();
    for (size_t i = 0; same && i < t.keys.size(); ++i)
      same = t.keys[i].name == first.keys[i].name && t.keys[i].scan == first.keys[i].scan;
    if (!same) data.error(t.file, 0, "the keys differ from those of " + first.file.filename().string());
  }
  for (int l = 0; l < 6; ++l) kb.layouts.push_back(loadLayout(data, l, charset, first, used));
  // A key that types a character must be one the lesson can show: its
  // finger needs a home key to travel from.
  for (const KeyboardType& t : kb.types)
    for (size_t i = 0; i < t.keys.size() && i < first.keys.size(); ++i) {
      bool types = false;
      for (const Layout& l : kb.layouts) types = types || l.keys[i].plain || l.keys[i].shift || l.keys[i].altGr;
      bool home = std::any_of(t.keys.begin(), t.keys.end(), [&](const KeyPlace& k) { return k.home == t.keys[i].finger; });
      if (types && !home)
        data.error(t.file, t.keys[i].line, "finger " + std::to_string(t.keys[i].finger) + " of " + t.keys[i].name +
                                               " has no home key");
    }
  return kb;
}

void buildKeyboards(DataSet& data, const Keyboards& keyboards, const FontTable& fonts,
                    const std::map<std::string, Raster>& symbols) {
  // A space bar shows its resting mark under the finger resting on it:
  // where that finger's marker stands, from the type tables.
  std::vector<std::optional<int>> spots(kShapeCount);
  for (const KeyboardType& type : keyboards.types)
    for (const KeyPlace& k : type.keys) {
      if (k.home == 255 || keyboards.shapes[k.shape].kind != Shape::Space) continue;
      int x = type.rests[k.home] ? type.rests[k.home]->first : k.x + kMarkerInset;
      int spot = x - k.x + kFingerMarkerWidth / 2;
      if (spots[k.shape] && *spots[k.shape] != spot)
        data.error(type.file, k.line, "the finger resting on " + k.name +
                                          " stands elsewhere on the same cap shape in another keyboard type");
      spots[k.shape] = spot;
    }
  for (int s = 0; s < kShapeCount; ++s)
    writeImage(data, zb::numberedFileName("GDATA\\KBDDFS\\k.im3", static_cast<uint16_t>(s)),
               capFrames(keyboards.shapes[s], spots[s].value_or(keyboards.shapes[s].width() / 2)));
  LabelMaker maker(data, fonts, symbols);
  const Raster fnLabel = maker.make("Fn", kUnit, kCapHeight, data.source("keyboards"), 0);
  for (const KeyboardType& type : keyboards.types) buildType(data, keyboards, type, symbols, fnLabel);
  for (const Layout& layout : keyboards.layouts) buildLayout(data, keyboards, layout, maker);
  writeImage(data, "DDATA\\dmfng.im3", fingerMarkerFrames());
}

bool typesCharacter(const Layout& layout, uint8_t c) {
  return std::any_of(layout.keys.begin(), layout.keys.end(), [c](const LayoutKey& k) {
    return k.plain == c || k.shift == c || k.altGr == c;
  });
}

}  // namespace zbdata
