#include "fuzz_keyboard.h"

#include <memory>

#include "engine/image.h"
#include "engine/writers.h"
#include "fuzz_support.h"
#include "modes/keyboard.h"

namespace zb::fuzz {

namespace {

void writeFile(std::string_view name, const std::vector<uint8_t>& bytes) { writeInput(name, bytes.data(), bytes.size()); }

std::vector<uint8_t> solid(int frames, uint16_t w, uint16_t h, uint8_t colour) {
  std::vector<uint8_t> pixels(size_t(w) * h, colour);
  std::vector<FrameData> out;
  for (int f = 0; f < frames; ++f)
    out.push_back({w, h, 0, 0, encodeSprite(pixels.data(), w, h, RowOrder::TopDown)});
  return imageFileBytes(out);
}

}  // namespace

void ensureKeyboardPictures() {
  static bool done = false;
  ensureFrameBuffer();
  if (done) return;
  done = true;
  // Small pictures: the drawing code is what is under test, and big blits
  // would only slow every run down.
  for (uint16_t s = 0; s < 17; ++s) writeFile(numberedFileName("GDATA\\KBDDFS\\k.im3", s), solid(4, 12, 10, 100));
  writeFile("GDATA\\KBDDFS\\kbdt0.im3", solid(1, 40, 20, 50));
  writeFile("MDATA\\MRKRS\\flgamr.im3", solid(1, 36, 24, 60));
  writeFile("GDATA\\KBDDFS\\kmnamr.im3", solid(20, 6, 9, 16));
  writeFile("GDATA\\KBDDFS\\kupamr.im3", solid(20, 6, 9, 16));
  writeFile("DDATA\\dmfng.im3", solid(2, 8, 9, 140));
}

void resetKeyboardPanel() {
  std::destroy_at(&keyboardPanel.layout);
  std::construct_at(&keyboardPanel.layout);
}

void exerciseKeyboard() {
  loadKeyboard(0, 1, "GDATA\\KBDDFS\\kbdt.im3");
  const KeyboardLayout& layout = keyboardPanel.layout;
  const uint16_t n = layout.keyCount();
  drawKeyboard();
  for (uint16_t i = 0; i < n; ++i) {
    pressKey(i);
    showTargetKey(i);
  }
  for (int scan = 0; scan < 256; ++scan) {
    uint16_t k = layout.findKeyByScan(static_cast<uint8_t>(scan));
    if (k != NoKey && k >= n) broken("findKeyByScan gave a key beyond the count");
    for (uint8_t modifiers = 0; modifiers < 4; ++modifiers) {
      uint8_t c = 0;
      charForKey(static_cast<uint8_t>(scan), modifiers, c);
    }
  }
  for (int c = 0; c < 256; ++c) {
    uint16_t key = 0, modifier = 0;
    bool found = keysForChar(static_cast<uint8_t>(c), key, modifier);
    if (!found && (key != NoKey || modifier != NoKey)) broken("keysForChar failed with a key");
    if (found && key >= n) broken("keysForChar gave a key beyond the count");
    if (modifier != NoKey && modifier >= n) broken("keysForChar gave a modifier beyond the count");
  }
  for (uint8_t f = 0; f < 12; ++f) {
    uint16_t h = findHomeKey(f);
    if (h != NoKey && h >= n) broken("findHomeKey gave a key beyond the count");
  }
  for (uint16_t i = 0; i < n; ++i) hideTargetKey(i);
  releaseAllKeys();
  keyboardPanel.fingerPicture.load("DDATA\\dmfng.im3");
  // Markers on every key, the way the lesson places them.
  resetFingerMarkers();
  for (uint16_t i = 0; i < n && i < 40; ++i) {
    uint8_t finger = static_cast<uint8_t>(layout.keyFinger(i) % 10);
    FingerMarker& m = keyboardPanel.fingerMarkers[finger];
    eraseFingerMarker(finger);
    m.x = static_cast<uint16_t>(layout.keyX(i) + 5);
    m.y = static_cast<uint16_t>(layout.keyY(i) + 188);
    drawFingerMarker(finger);
  }
}

}  // namespace zb::fuzz
