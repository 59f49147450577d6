#include "modes/keyboard.h"

#include <algorithm>
#include <new>
#include <vector>

#include "engine/descriptor.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/framebuffer.h"

namespace zb {

KeyboardPanel keyboardPanel;

namespace {

constexpr int kGeometryRecordSize = 8;
constexpr int kLabelsRecordSize = 7;
constexpr uint8_t kLeftShiftScan = 0x2A;
constexpr uint8_t kRightShiftScan = 0x36;
constexpr uint8_t kAltGrScan = 0xB8;
constexpr uint8_t kNoGlyph = 255;
constexpr uint8_t kNoFinger = 255;

constexpr const char* kGeometryFiles[3] = {
    "GDATA\\KBDDFS\\kbdt1.def",
    "GDATA\\KBDDFS\\kbdt2.def",
    "GDATA\\KBDDFS\\kbdt3.def",
};

struct LayoutFiles {
  const char* labels;
  const char* flag;
  const char* mainGlyphs;
  const char* upperGlyphs;
  const char* altGrGlyphs;  // null: the layout has no AltGr labels
};

constexpr LayoutFiles kLayoutFiles[6] = {
    {"GDATA\\KBDDFS\\kbdrus.rkb", "MDATA\\MRKRS\\flgrus.im3", "GDATA\\KBDDFS\\kmnrus.im3",
     "GDATA\\KBDDFS\\kuprus.im3", nullptr},
    {"GDATA\\KBDDFS\\kbdamr.rkb", "MDATA\\MRKRS\\flgamr.im3", "GDATA\\KBDDFS\\kmnamr.im3",
     "GDATA\\KBDDFS\\kupamr.im3", nullptr},
    {"GDATA\\KBDDFS\\kbdgrm.rkb", "MDATA\\MRKRS\\flggrm.im3", "GDATA\\KBDDFS\\kmngrm.im3",
     "GDATA\\KBDDFS\\kupgrm.im3", nullptr},
    {"GDATA\\KBDDFS\\kbdfr.rkb", "MDATA\\MRKRS\\flgfr.im3", "GDATA\\KBDDFS\\kmnfr.im3",
     "GDATA\\KBDDFS\\kupfr.im3", "GDATA\\KBDDFS\\kappfr.im3"},
    {"GDATA\\KBDDFS\\kbdeng.rkb", "MDATA\\MRKRS\\flgeng.im3", "GDATA\\KBDDFS\\kmneng.im3",
     "GDATA\\KBDDFS\\kupeng.im3", nullptr},
    {"GDATA\\KBDDFS\\kbdsw.rkb", "MDATA\\MRKRS\\flgsw.im3", "GDATA\\KBDDFS\\kmnsw.im3",
     "GDATA\\KBDDFS\\kupsw.im3", "GDATA\\KBDDFS\\kappsw.im3"},
};

// Screen coordinates are 16-bit; a position computed from damaged data
// that does not fit is pushed to the far edge, where nothing is drawn,
// instead of wrapping round onto the screen.
uint16_t screen(int v) { return static_cast<uint16_t>(std::clamp(v, 0, 0xFFFF)); }

// Reads count records of size bytes after the u16 count. Refuses a file
// that holds fewer records than it declares: the missing ones would
// otherwise become keys at (0, 0) resting under finger 0.
bool readRecords(FileReader& file, uint16_t& count, std::vector<uint8_t>& bytes, int size) {
  uint8_t countBytes[2];
  if (!file.readExact(countBytes, sizeof countBytes)) return false;
  count = getU16(countBytes);
  size_t total = size_t{count} * size;
  if (file.remaining() < total) return false;
  try {
    bytes.resize(total);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return file.readExact(bytes.data(), total);
}

}  // namespace

// The tables are std::optional rather than plain vectors because a file
// of zero keys is a loaded (empty) table, not a missing one.
struct KeyboardLayout::Tables {
  std::optional<std::vector<KeyGeometry>> keys;
  std::optional<std::vector<KeyLabels>> labels;
  std::optional<std::vector<uint8_t>> states;
  std::optional<std::string> geometryPath;
  std::optional<std::string> labelsPath;

  // A key whose state may be read and changed. After a geometry of another
  // size replaced the key table, the older label and state tables are
  // shorter or longer than it; no table is ever read beyond its own end.
  bool hasState(uint16_t i) const { return keys && states && i < keys->size() && i < states->size(); }

  bool change(uint16_t i, uint8_t bit, bool on) {
    if (i == NoKey || !keys || !labels || !hasState(i)) return false;
    uint8_t& s = (*states)[i];
    if (((s & bit) != 0) == on) return false;
    s = on ? static_cast<uint8_t>(s | bit) : static_cast<uint8_t>(s & ~bit);
    return true;
  }
};

KeyboardLayout::KeyboardLayout() : tables_(std::make_unique<Tables>()) {}
KeyboardLayout::~KeyboardLayout() = default;

bool KeyboardLayout::loadGeometry(std::string_view path) {
  Tables& t = *tables_;
  if (t.geometryPath && *t.geometryPath == path) return true;
  t.geometryPath = std::string(path);
  FileReader file;
  if (!file.open(dataPath(path))) return false;
  uint16_t count = 0;
  std::vector<uint8_t> bytes;
  if (!readRecords(file, count, bytes, kGeometryRecordSize)) return false;
  std::vector<KeyGeometry> keys(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = bytes.data() + i * kGeometryRecordSize;
    keys[i] = KeyGeometry{p[0], getU16(p + 1), getU16(p + 3), p[5], p[6], p[7]};
  }
  t.keys = std::move(keys);
  return true;
}

bool KeyboardLayout::loadLabels(std::string_view path) {
  Tables& t = *tables_;
  if (!t.keys) return false;
  // The same file is not read again, unless the key table it was checked
  // against has since been replaced by one of another size.
  if (t.labelsPath && *t.labelsPath == path && (!t.labels || t.labels->size() == t.keys->size()))
    return true;
  t.labelsPath = std::string(path);
  FileReader file;
  if (!file.open(dataPath(path))) return false;
  uint16_t count = 0;
  std::vector<uint8_t> bytes;
  if (!readRecords(file, count, bytes, kLabelsRecordSize)) return false;
  if (count != t.keys->size()) return false;
  std::vector<KeyLabels> labels(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = bytes.data() + i * kLabelsRecordSize;
    labels[i] = KeyLabels{p[0], p[1], p[2], p[3], p[4], p[5], p[6]};
  }
  t.labels = std::move(labels);
  t.states = std::vector<uint8_t>(count, 0);
  resetKeyStates();
  return true;
}

bool KeyboardLayout::resetKeyStates() {
  Tables& t = *tables_;
  if (!t.keys || !t.labels || !t.states) return false;
  // Tables of differing sizes do not belong together: nothing is marked.
  if (t.labels->size() != t.keys->size() || t.states->size() != t.keys->size()) return false;
  for (size_t i = 0; i < t.keys->size(); ++i)
    (*t.states)[i] = (*t.keys)[i].homeFinger != kNoFinger ? KeyHomeMark : 0;
  return true;
}

uint16_t KeyboardLayout::keyCount() const {
  return tables_->keys ? static_cast<uint16_t>(tables_->keys->size()) : 0;
}

bool KeyboardLayout::keyAt(uint16_t index, KeyGeometry& geometry, KeyLabels& labels) const {
  const Tables& t = *tables_;
  if (index == NoKey || !t.keys || !t.labels) return false;
  if (index >= t.keys->size() || index >= t.labels->size()) return false;
  geometry = (*t.keys)[index];
  labels = (*t.labels)[index];
  return true;
}

uint16_t KeyboardLayout::findKeyByScan(uint8_t scan) const {
  const Tables& t = *tables_;
  if (!t.keys) return NoKey;
  for (size_t i = 0; i < t.keys->size(); ++i)
    if ((*t.keys)[i].scanCode == scan) return static_cast<uint16_t>(i);
  return NoKey;
}

uint8_t KeyboardLayout::keyState(uint16_t index) const {
  return tables_->hasState(index) ? (*tables_->states)[index] : 0;
}

bool KeyboardLayout::setPressed(uint16_t index) { return tables_->change(index, KeyPressed, true); }
bool KeyboardLayout::clearPressed(uint16_t index) { return tables_->change(index, KeyPressed, false); }
bool KeyboardLayout::setTarget(uint16_t index) { return tables_->change(index, KeyTarget, true); }
bool KeyboardLayout::clearTarget(uint16_t index) { return tables_->change(index, KeyTarget, false); }
bool KeyboardLayout::setHomeMark(uint16_t index) { return tables_->change(index, KeyHomeMark, true); }
bool KeyboardLayout::clearHomeMark(uint16_t index) {
  return tables_->change(index, KeyHomeMark, false);
}

uint16_t KeyboardLayout::keyX(uint16_t index) const {
  const Tables& t = *tables_;
  return t.keys && index < t.keys->size() ? (*t.keys)[index].x : 0;
}

uint16_t KeyboardLayout::keyY(uint16_t index) const {
  const Tables& t = *tables_;
  return t.keys && index < t.keys->size() ? (*t.keys)[index].y : 0;
}

uint8_t KeyboardLayout::keyFinger(uint16_t index) const {
  const Tables& t = *tables_;
  return t.keys && index < t.keys->size() ? (*t.keys)[index].finger : 0;
}

uint8_t KeyboardLayout::keyHomeFinger(uint16_t index) const {
  const Tables& t = *tables_;
  return t.keys && index < t.keys->size() ? (*t.keys)[index].homeFinger : kNoFinger;
}

namespace {

// Draws key i as it stands now. A key without labels (its label table not
// loaded) is drawn as a bare cap.
void redrawKey(uint16_t i) {
  KeyboardLayout& layout = keyboardPanel.layout;
  KeyGeometry g;
  KeyLabels l;
  if (!layout.keyAt(i, g, l)) return;
  drawKey(g, l, layout.keyState(i));
}

}  // namespace

bool loadKeyboard(uint8_t keyboardType, uint8_t layout, std::string_view keyboardPicturePath) {
  KeyboardPanel& panel = keyboardPanel;
  for (uint16_t shape = 0; shape < panel.keyCapPictures.size(); ++shape)
    panel.keyCapPictures[shape].loadNumbered("GDATA\\KBDDFS\\k.im3", shape);
  panel.keyboardPicture.loadNumbered(keyboardPicturePath, keyboardType);
  if (keyboardType < 3) panel.layout.loadGeometry(kGeometryFiles[keyboardType]);
  if (layout < 6) {
    const LayoutFiles& files = kLayoutFiles[layout];
    panel.layout.loadLabels(files.labels);
    panel.flagPicture.load(files.flag);
    panel.mainLabelPicture.load(files.mainGlyphs);
    panel.upperLabelPicture.load(files.upperGlyphs);
    if (files.altGrGlyphs != nullptr) panel.altGrLabelPicture.load(files.altGrGlyphs);
  }
  return panel.layout.resetKeyStates();
}

void drawKeyboard() {
  KeyboardPanel& panel = keyboardPanel;
  drawImage(panel.keyboardPicture, 0, keyboardTop, 0);
  drawImage(panel.flagPicture, 31, 193, 0);
  for (uint16_t i = 0; i < panel.layout.keyCount(); ++i) redrawKey(i);
}

void drawKey(const KeyGeometry& g, const KeyLabels& l, uint8_t state) {
  const KeyboardPanel& panel = keyboardPanel;
  const int p = (state & KeyPressed) != 0 ? 1 : 0;
  const int x = g.x;
  const int y = keyboardTop + g.y;
  // A cap shape beyond the seventeen pictures has no picture to draw.
  const Image* cap = g.capShape < panel.keyCapPictures.size() ? &panel.keyCapPictures[g.capShape] : nullptr;
  if (cap != nullptr) {
    drawImage(*cap, screen(x), screen(y), static_cast<uint16_t>(p));
    if (state & KeyHomeMark) drawImage(*cap, screen(x + 6), screen(y + 6 + p), 3);
    if (state & KeyTarget) drawImage(*cap, screen(x + 6), screen(y + 6 + p), 2);
  }
  if (l.noLabels != 0) return;
  const bool marked = (state & (KeyTarget | KeyHomeMark)) != 0;
  auto glyph = [marked](uint8_t code, const Image& picture, int gx, int gy) {
    if (code == kNoGlyph) return;
    if (marked)
      drawGlyph(code, picture, screen(gx), screen(gy));
    else
      drawGlyphColoured(code, picture, screen(gx), screen(gy), kKeyLabelColour, kGlyphKeyColour);
  };
  glyph(l.mainGlyph, panel.mainLabelPicture, x + 8, y + 20 + p);
  glyph(l.upperGlyph, panel.upperLabelPicture, x + 19, y + 9 + p);
  glyph(l.altGrGlyph, panel.altGrLabelPicture, x + 19, y + 20 + p);
}

bool pressKey(uint16_t index) {
  if (index == NoKey || !keyboardPanel.layout.setPressed(index)) return false;
  redrawKey(index);
  return true;
}

bool releaseKey(uint16_t index) {
  if (index == NoKey || !keyboardPanel.layout.clearPressed(index)) return false;
  redrawKey(index);
  return true;
}

void releaseAllKeys() {
  KeyboardLayout& layout = keyboardPanel.layout;
  for (uint16_t i = 0; i < layout.keyCount(); ++i)
    if ((layout.keyState(i) & KeyPressed) && layout.clearPressed(i)) redrawKey(i);
}

bool showTargetKey(uint16_t index) {
  KeyboardLayout& layout = keyboardPanel.layout;
  if (index == NoKey || index >= layout.keyCount()) return false;
  uint16_t home = findHomeKey(layout.keyFinger(index));
  if (home == NoKey) return false;
  if (!layout.setTarget(index)) return false;
  redrawKey(index);
  if (!layout.clearHomeMark(home)) return false;
  redrawKey(home);
  return true;
}

bool hideTargetKey(uint16_t index) {
  KeyboardLayout& layout = keyboardPanel.layout;
  if (index == NoKey || index >= layout.keyCount()) return false;
  uint16_t home = findHomeKey(layout.keyFinger(index));
  if (home == NoKey) return false;
  if (!layout.clearTarget(index)) return false;
  redrawKey(index);
  if (!layout.setHomeMark(home)) return false;
  redrawKey(home);
  return true;
}

uint16_t findHomeKey(uint8_t finger) {
  const KeyboardLayout& layout = keyboardPanel.layout;
  for (uint16_t i = 0; i < layout.keyCount(); ++i)
    if (layout.keyHomeFinger(i) == finger) return i;
  return NoKey;
}

bool charForKey(uint8_t scan, uint8_t modifiers, uint8_t& character) {
  const KeyboardLayout& layout = keyboardPanel.layout;
  KeyGeometry g;
  KeyLabels l;
  if (!layout.keyAt(layout.findKeyByScan(scan), g, l)) return false;
  const bool shift = (modifiers & 0x01) != 0;
  const bool altGr = (modifiers & 0x02) != 0;
  if (shift && altGr) return false;
  character = shift ? l.shiftChar : altGr ? l.altGrChar : l.plainChar;
  return true;
}

bool keysForChar(uint8_t character, uint16_t& key, uint16_t& modifierKey) {
  const KeyboardLayout& layout = keyboardPanel.layout;
  key = modifierKey = NoKey;
  for (uint16_t i = 0; i < layout.keyCount(); ++i) {
    KeyGeometry g;
    KeyLabels l;
    if (!layout.keyAt(i, g, l)) break;
    if (character == l.plainChar) {
      key = i;
      return true;
    }
    if (character == l.shiftChar) {
      // Capitals are taught with the Shift of the other hand.
      key = i;
      modifierKey = layout.findKeyByScan(g.finger <= 4 ? kRightShiftScan : kLeftShiftScan);
      return true;
    }
    if (character == l.altGrChar) {
      key = i;
      modifierKey = layout.findKeyByScan(kAltGrScan);
      return true;
    }
  }
  return false;
}

bool loadFingerHomes(uint8_t keyboardType) {
  Descriptor homes;
  if (!homes.loadNumbered("DDATA\\dmfngs.adi", keyboardType)) return false;
  // All ten positions or none: a file cut short must not leave some
  // fingers at the previous keyboard's places.
  std::array<std::array<uint16_t, 2>, 10> read{};
  for (auto& home : read) {
    uint8_t field[2];
    for (uint16_t& v : home) {
      if (!homes.read(field, 2)) return false;
      v = getU16(field);
    }
  }
  keyboardPanel.fingerHomes = read;
  return true;
}

void resetFingerMarkers() {
  KeyboardPanel& panel = keyboardPanel;
  for (size_t f = 0; f < panel.fingerMarkers.size(); ++f) {
    panel.fingerMarkers[f].x = panel.fingerHomes[f][0];
    panel.fingerMarkers[f].y = panel.fingerHomes[f][1];
    panel.fingerMarkers[f].lift = 3;
  }
}

void captureFingerMarker(uint8_t finger) {
  KeyboardPanel& panel = keyboardPanel;
  if (finger >= panel.fingerMarkers.size()) return;
  FingerMarker& marker = panel.fingerMarkers[finger];
  const int m = marker.lift;
  const uint16_t left = static_cast<uint16_t>(marker.x - m);
  const uint16_t top = static_cast<uint16_t>(marker.y - m);
  captureImage(marker.background, left, top, screen(panel.fingerPicture.width(0) + m),
               screen(panel.fingerPicture.height(0) + m));
}

void paintFingerMarker(uint8_t finger) {
  KeyboardPanel& panel = keyboardPanel;
  if (finger >= panel.fingerMarkers.size()) return;
  const FingerMarker& marker = panel.fingerMarkers[finger];
  drawImage(panel.fingerPicture, marker.x, marker.y, 1);
  drawImage(panel.fingerPicture, static_cast<uint16_t>(marker.x - marker.lift),
            static_cast<uint16_t>(marker.y - marker.lift), 0);
}

void drawFingerMarker(uint8_t finger) {
  captureFingerMarker(finger);
  paintFingerMarker(finger);
}

void eraseFingerMarker(uint8_t finger) {
  KeyboardPanel& panel = keyboardPanel;
  if (finger >= panel.fingerMarkers.size()) return;
  const FingerMarker& marker = panel.fingerMarkers[finger];
  putBackImage(marker.background, static_cast<uint16_t>(marker.x - marker.lift),
               static_cast<uint16_t>(marker.y - marker.lift));
}

}  // namespace zb
