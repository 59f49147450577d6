// The level menu: the layout's letters in a grid of 11 columns; the first
// `pendingLevel` of them are lit. No cursor and no click sound.
#include <algorithm>

#include "engine/draw.h"
#include "engine/events.h"
#include "persist/settings.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb {

namespace {

constexpr int kColumns = 11;
constexpr int kLowest = 2;

void drawLetter(int i, bool on) {
  if (i < 0 || i >= letterCount || uint32_t(i) >= levelLetters.length(settings.layout)) return;
  const char* letters = levelLetters.text(settings.layout);
  drawGlyphColoured(static_cast<uint8_t>(letters[i]), menuFont, static_cast<uint16_t>(216 + 19 * (i % kColumns)),
                    static_cast<uint16_t>(130 + 17 * (i / kColumns)), on ? 107 : 191, kGlyphKeyColour);
}

// Letters first to last - 1.
void drawLetters(int first, int last, bool on) {
  for (int i = first; i < last; ++i) drawLetter(i, on);
}

void close(bool take) {
  if (take) settings.level = pendingLevel;
  EnterState(LevelMenuClosing);
}

}  // namespace

void enterLevelMenu() {
  pendingLevel = settings.level;
  for (int i = 0; i < letterCount; ++i) drawLetter(i, i < pendingLevel);
}

void handleLevelMenu(uint16_t code, uint32_t argument) {
  const int p = pendingLevel;
  const int count = letterCount;
  // Without a letter sequence of at least two letters there is no level to
  // choose; the menu can only be left.
  const bool usable = count >= kLowest;
  switch (code) {
    case KeyDown:
      switch (keyOf(argument)) {
        case kKeyEnter:
          close(true);
          break;
        case kKeyEsc:
          close(false);
          break;
        case 0x4D: case 0xCD:  // Right
          if (usable && p + 1 <= count) {
            drawLetter(p, true);
            pendingLevel = static_cast<uint8_t>(p + 1);
          }
          break;
        case 0x4B: case 0xCB:  // Left
          if (usable && p > kLowest) {
            drawLetter(p - 1, false);
            pendingLevel = static_cast<uint8_t>(p - 1);
          }
          break;
        case 0x50: case 0xD0:  // Down: a row further
          if (!usable) break;
          if (p + kColumns <= count) {
            drawLetters(p, p + kColumns, true);
            pendingLevel = static_cast<uint8_t>(p + kColumns);
          } else if (p != count) {
            drawLetters(p, count, true);
            pendingLevel = static_cast<uint8_t>(count);
          }
          break;
        case 0x48: case 0xC8:  // Up: a row back
          if (!usable) break;
          if (p - kColumns > kLowest) {
            drawLetters(p - kColumns, p, false);
            pendingLevel = static_cast<uint8_t>(p - kColumns);
          } else if (p != kLowest) {
            drawLetters(kLowest, p, false);
            pendingLevel = kLowest;
          }
          break;
        default:
          break;
      }
      break;
    case LeftClick: {
      int x = clickX(argument);
      int y = clickY(argument);
      if (!usable || !(216 < x && x < 425 && 130 < y && y < 317)) break;
      int n = (x - 216) / 19 + kColumns * ((y - 130) / 17) + 1;
      n = std::clamp(n, kLowest, count);
      if (n == p) {
        close(true);
      } else if (n > p) {
        drawLetters(p, n, true);
        pendingLevel = static_cast<uint8_t>(n);
      } else {
        drawLetters(n, p, false);
        pendingLevel = static_cast<uint8_t>(n);
      }
      break;
    }
    case RightClick:
      close(false);
      break;
    default:
      break;
  }
}

}  // namespace zb
