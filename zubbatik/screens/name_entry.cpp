// The name entry after a game whose score beats the table: the player
// types a name on the keyboard the game was played with.
#include <cstring>

#include "engine/draw.h"
#include "engine/events.h"
#include "modes/game_status.h"
#include "modes/keyboard.h"
#include "persist/records.h"
#include "persist/settings.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"
#include "screens/name_records.h"
#include "screens/state_machine.h"

namespace zb {

uint16_t nameLength = 0;
uint16_t highlightedRecord = 0xFFFF;

namespace {

void takeName() {
  if (settings.playerName[0] != 0) highlightedRecord = InsertRecord(settings.playerName, score);
  EnterState(NameToRecords);
}

// The character cell `cell` of the name field, painted again from the
// field in the finished panel.
void eraseCell(uint16_t cell) {
  uint16_t w = fontWidth();
  uint16_t h = fontHeight();
  uint16_t left = static_cast<uint16_t>(kNameX - kNamePanelX + cell * w);
  uint16_t top = static_cast<uint16_t>(kNameY - kNamePanelY);
  drawImagePart(transitionPicture, kNamePanelX, kNamePanelY, left, top, static_cast<uint16_t>(left + w),
                static_cast<uint16_t>(top + h), static_cast<uint16_t>(transitionPicture.frameCount() - 1));
}

void typeKey(uint32_t keyWord) {
  if (nameLength + 1 >= kNameCapacity) return;  // the name holds 14 characters
  const KeyboardLayout& layout = keyboardPanel.layout;
  uint16_t index = layout.findKeyByScan(keyByteOf(keyWord));
  KeyGeometry geometry;
  KeyLabels labels;
  if (index == NoKey || !layout.keyAt(index, geometry, labels)) return;
  // Shift wins over AltGr when both are held.
  uint8_t character = (keyWord & kShiftBit)   ? labels.shiftChar
                      : (keyWord & kAltGrBit) ? labels.altGrChar
                                              : labels.plainChar;
  if (character == 0) return;
  drawGlyphColoured(character, menuFont, static_cast<uint16_t>(kNameX + nameLength * fontWidth()), kNameY, 107,
                    kGlyphKeyColour);
  settings.playerName[nameLength] = static_cast<char>(character);
  ++nameLength;
  settings.playerName[nameLength] = 0;
}

}  // namespace

void enterNameEntry() {
  menuTexts.load(messagesPath("rdmnu"));
  drawMenuText(menuTexts.text(0), centredX(menuTexts.length(0)), 184, 107);
  settings.playerName[kNameCapacity - 1] = 0;
  nameLength = static_cast<uint16_t>(std::strlen(settings.playerName));
  drawMenuText(settings.playerName, kNameX, kNameY, 107);
}

void handleNameEntry(uint16_t code, uint32_t argument) {
  switch (code) {
    case KeyDown: {
      uint16_t key = keyOf(argument);
      if (key == kKeyEnter) {
        takeName();
      } else if (key == kKeyEsc) {
        EnterState(NameToRecords);
      } else if (key == kKeyBackspace) {
        if (nameLength > 0) {
          --nameLength;
          settings.playerName[nameLength] = 0;
          eraseCell(nameLength);
        }
      } else if (!isModifierKey(key)) {
        typeKey(argument);
      }
      break;
    }
    case LeftClick:
      takeName();
      break;
    case RightClick:
      EnterState(NameToRecords);
      break;
    default:
      break;
  }
}

}  // namespace zb
