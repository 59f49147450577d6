// The keyboard-type menu: the three keyboard types are drawn on the panel
// itself; the cursor frames the one chosen.
#include "engine/animation.h"
#include "engine/events.h"
#include "persist/settings.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb {

namespace {

constexpr uint8_t kTypes = 3;

uint16_t cellX(uint8_t type) { return static_cast<uint16_t>(192 + 85 * type); }

void take() {
  settings.keyboardType = pendingKeyboardType;
  EnterState(KeyboardMenuClosing);
}

void moveTo(uint8_t type) {
  pendingKeyboardType = type;
  moveAnimation(1, cellX(type), 152, true);
}

}  // namespace

void enterKeyboardMenu() {
  pendingKeyboardType = settings.keyboardType < kTypes ? settings.keyboardType : 0;
  cursorPictures[0].load("MDATA\\CRSRS\\kbcrs.im3");
  menuTexts.load(messagesPath("kbmnu"));
  drawMenuText(menuTexts.text(0), centredX(menuTexts.length(0)), 123, 107);
  startAnimation(cursorPictures[0], 1, cellX(pendingKeyboardType), 152, kCursorDelay, kLoopingSprite);
}

void handleKeyboardMenu(uint16_t code, uint32_t argument) {
  switch (code) {
    case KeyDown: {
      uint16_t key = keyOf(argument);
      if (key == kKeyEsc) {
        EnterState(KeyboardMenuClosing);
      } else if (key == kKeyEnter) {
        take();
      } else if (MenuStep step = menuStepOf(key); step != MenuStep::None) {
        playMenuClick();
        moveTo(wrapStep(pendingKeyboardType, step, kTypes));
      }
      break;
    }
    case LeftClick: {
      int y = clickY(argument);
      if (!(152 < y && y < 320)) break;
      int type = itemAt(clickX(argument), 192, 85, 84, kTypes);
      if (type < 0) break;
      if (type == pendingKeyboardType) {
        take();
      } else {
        moveTo(static_cast<uint8_t>(type));
      }
      break;
    }
    case RightClick:
      EnterState(KeyboardMenuClosing);
      break;
    default:
      break;
  }
}

}  // namespace zb
