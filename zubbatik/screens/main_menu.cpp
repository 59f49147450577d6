// The main menu: nine items on the left, the state of every setting on the
// right (keyboard type, layout with its flag, level, sound, mouse).
#include <string>

#include "engine/animation.h"
#include "engine/draw.h"
#include "engine/events.h"
#include "modes/game_status.h"
#include "persist/settings.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb {

namespace {

constexpr uint8_t kItems = 9;

constexpr const char* kKeyboardMarkers[3] = {"MDATA\\MRKRS\\mnkbdt1.im3", "MDATA\\MRKRS\\mnkbdt2.im3",
                                             "MDATA\\MRKRS\\mnkbdt3.im3"};
constexpr const char* kLayoutMarkers[6] = {"MDATA\\MRKRS\\flgrus.im3", "MDATA\\MRKRS\\flgamr.im3",
                                           "MDATA\\MRKRS\\flggrm.im3", "MDATA\\MRKRS\\flgfr.im3",
                                           "MDATA\\MRKRS\\flgeng.im3", "MDATA\\MRKRS\\flgsw.im3"};

uint16_t itemY(uint8_t item) { return static_cast<uint16_t>(113 + 25 * item); }

// Play and lesson, the settings, records and exit each have their cursor.
const Image& cursorFor(uint8_t item) {
  if (item <= 1) return cursorPictures[0];
  if (item <= 6) return cursorPictures[1];
  return cursorPictures[2];
}

void startCursor() {
  startAnimation(cursorFor(mainMenuCursor), 1, 169, itemY(mainMenuCursor), kCursorDelay, kLoopingSprite);
}

void moveTo(uint8_t item) {
  stopAnimation(1, false);
  mainMenuCursor = item;
  startCursor();
}

}  // namespace

void enterMainMenu() {
  if (mainMenuCursor >= kItems) mainMenuCursor = 0;
  cursorPictures[0].load("MDATA\\CRSRS\\mncrs0.im3");
  cursorPictures[1].load("MDATA\\CRSRS\\mncrs1.im3");
  cursorPictures[2].load("MDATA\\CRSRS\\mncrs2.im3");
  menuTexts.load(messagesPath("mnmnu"));
  layoutNames.load(messagesPath("lgmnu"));

  keyboardMarker.load(kKeyboardMarkers[settings.keyboardType < 3 ? settings.keyboardType : 0]);
  layoutMarker.load(kLayoutMarkers[settings.layout < 6 ? settings.layout : 0]);
  soundMarker.load(settings.soundOn ? "MDATA\\MRKRS\\sndon.im3" : "MDATA\\MRKRS\\sndoff.im3");
  mouseMarker.load(settings.mouseOn ? "MDATA\\MRKRS\\mscon.im3" : "MDATA\\MRKRS\\mscoff.im3");

  for (uint8_t i = 0; i < kItems; ++i) drawMenuText(menuTexts.text(i), 176, itemY(i), 191);
  drawImage(keyboardMarker, 371, 114, 0);
  drawImage(layoutMarker, 412, 205, 0);
  drawMenuText(layoutNames.text(settings.layout + 1u), 321, 189, 191);
  drawMenuText(std::to_string(settings.level).c_str(), 321, 215, 191);
  drawImage(soundMarker, 406, 242, 0);
  drawImage(mouseMarker, 351, 266, 0);
  startCursor();
}

void handleMainMenu(uint16_t code, uint32_t argument) {
  switch (code) {
    case AnimationFrame:
      if (argument == 1) drawMenuText(menuTexts.text(mainMenuCursor), 174, itemY(mainMenuCursor), 107);
      break;
    case KeyDown: {
      uint16_t key = keyOf(argument);
      if (key == kKeyEnter) {
        EnterState(static_cast<uint16_t>(GameOpening + mainMenuCursor));
      } else if (key == kKeyEsc) {
        if (gameStatus == GameSuspended) EnterState(GameReturning);
      } else if (MenuStep step = menuStepOf(key); step != MenuStep::None) {
        stopAnimation(1, false);
        playMenuClick();
        moveTo(wrapStep(mainMenuCursor, step, kItems));
      }
      break;
    }
    case LeftClick: {
      int x = clickX(argument);
      if (!(169 < x && x < 307)) break;
      int item = itemAt(clickY(argument), 113, 25, 24, kItems);
      if (item < 0) break;
      if (item == mainMenuCursor) {
        EnterState(static_cast<uint16_t>(GameOpening + item));
      } else {
        moveTo(static_cast<uint8_t>(item));
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace zb
