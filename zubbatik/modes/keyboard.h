// The on-screen keyboard: key geometry of the keyboard type, labels and
// characters of the layout, the per-key marks, and the finger markers
// that the game and the lesson move over it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/image.h"

namespace zb {

inline constexpr uint16_t NoKey = 0xFFFF;
inline constexpr uint16_t keyboardTop = 183;

// One record of a .def file (8 bytes).
struct KeyGeometry {
  uint8_t scanCode = 0;    // key byte as the window procedure reports it
  uint16_t x = 0;          // screen x of the cap's top-left corner
  uint16_t y = 0;          // y of that corner below keyboardTop
  uint8_t capShape = 0;    // key-cap picture 0..16
  uint8_t finger = 0;      // 0..4 left hand, 5..9 right hand
  uint8_t homeFinger = 255;  // the finger resting on this key, or 255
};

// One record of a .rkb file (7 bytes).
struct KeyLabels {
  uint8_t noLabels = 0;
  uint8_t mainGlyph = 255;
  uint8_t upperGlyph = 255;
  uint8_t altGrGlyph = 255;
  uint8_t plainChar = 0;
  uint8_t shiftChar = 0;
  uint8_t altGrChar = 0;
};

// Key state bits.
enum KeyStateBits : uint8_t {
  KeyPressed = 0x01,
  KeyTarget = 0x02,
  KeyHomeMark = 0x04,
};

class KeyboardLayout {
 public:
  KeyboardLayout();
  ~KeyboardLayout();
  KeyboardLayout(const KeyboardLayout&) = delete;
  KeyboardLayout& operator=(const KeyboardLayout&) = delete;

  bool loadGeometry(std::string_view path);
  bool loadLabels(std::string_view path);
  bool resetKeyStates();
  uint16_t keyCount() const;
  bool keyAt(uint16_t index, KeyGeometry& geometry, KeyLabels& labels) const;
  uint16_t findKeyByScan(uint8_t scan) const;
  uint8_t keyState(uint16_t index) const;
  bool setPressed(uint16_t index);
  bool clearPressed(uint16_t index);
  bool setTarget(uint16_t index);
  bool clearTarget(uint16_t index);
  bool setHomeMark(uint16_t index);
  bool clearHomeMark(uint16_t index);
  uint16_t keyX(uint16_t index) const;
  uint16_t keyY(uint16_t index) const;
  uint8_t keyFinger(uint16_t index) const;
  uint8_t keyHomeFinger(uint16_t index) const;

 private:
  struct Tables;
  std::unique_ptr<Tables> tables_;
};

struct FingerMarker {
  uint16_t x = 0;
  uint16_t y = 0;
  uint8_t lift = 3;  // 3 resting, 2 pressing, up to 10 while carried
  Image background;
};

struct KeyboardPanel {
  Image keyboardPicture;
  Image flagPicture;
  std::array<Image, 17> keyCapPictures;
  Image mainLabelPicture;
  Image upperLabelPicture;
  Image altGrLabelPicture;
  KeyboardLayout layout;
  Image fingerPicture;  // "DDATA\dmfng.im3": frame 0 the marker, frame 1 its shadow
  std::array<std::array<uint16_t, 2>, 10> fingerHomes{};
  std::array<FingerMarker, 10> fingerMarkers;
};

// The one keyboard of the program.
extern KeyboardPanel keyboardPanel;

bool loadKeyboard(uint8_t keyboardType, uint8_t layout, std::string_view keyboardPicturePath);
void drawKeyboard();
void drawKey(const KeyGeometry& geometry, const KeyLabels& labels, uint8_t state);
bool pressKey(uint16_t index);
bool releaseKey(uint16_t index);
void releaseAllKeys();
bool showTargetKey(uint16_t index);
bool hideTargetKey(uint16_t index);
uint16_t findHomeKey(uint8_t finger);
bool charForKey(uint8_t scan, uint8_t modifiers, uint8_t& character);
bool keysForChar(uint8_t character, uint16_t& key, uint16_t& modifierKey);
bool loadFingerHomes(uint8_t keyboardType);
void resetFingerMarkers();
// Saves the screen under the marker at its lift and draws it; the two
// halves are open on their own for a caller that marks keys in between.
void drawFingerMarker(uint8_t finger);
void captureFingerMarker(uint8_t finger);
void paintFingerMarker(uint8_t finger);
void eraseFingerMarker(uint8_t finger);

}  // namespace zb
