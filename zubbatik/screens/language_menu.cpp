// The language menu, shown at every start: four waving flags and the names
// of the interface languages, the saved language preselected.
#include "engine/animation.h"
#include "engine/events.h"
#include "persist/settings.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb {

namespace {

constexpr uint8_t kLanguages = 4;
constexpr const char* kLanguageFlags[kLanguages] = {
    "MDATA\\MRKRS\\aflgrus.im3", "MDATA\\MRKRS\\aflgeng.im3", "MDATA\\MRKRS\\aflggrm.im3",
    "MDATA\\MRKRS\\aflgfr.im3"};

uint16_t rowY(uint8_t row) { return static_cast<uint16_t>(157 + 27 * row); }

void startFlag() {
  startAnimation(flagPictures[pendingLanguage], 2, 182, rowY(pendingLanguage), kFlagDelay, kLoopingSprite);
}

void moveTo(uint8_t row) {
  pendingLanguage = row;
  moveAnimation(1, 214, static_cast<uint16_t>(rowY(row) - 1), true);
  startFlag();
}

void take() {
  settings.language = pendingLanguage;
  EnterState(LanguageMenuClosing);
}

const FlagList kList{LanguageMenuClosing, kLanguages, 214, 454, 156, pendingLanguage, take, moveTo};

}  // namespace

void enterLanguageMenu() {
  pendingLanguage = settings.language < kLanguages ? settings.language : 0;
  for (uint8_t i = 0; i < kLanguages; ++i) flagPictures[i].load(kLanguageFlags[i]);
  cursorPictures[0].load("MDATA\\CRSRS\\lngcrs.im3");
  menuTexts.load("MDATA\\MSGS\\lngmsg.lim");
  for (uint8_t i = 0; i < kLanguages; ++i) drawMenuText(menuTexts.text(i), 237, rowY(i), 191);
  startAnimation(cursorPictures[0], 1, 214, static_cast<uint16_t>(rowY(pendingLanguage) - 1), kCursorDelay,
                 kLoopingSprite);
  startFlag();
}

void handleLanguageMenu(uint16_t code, uint32_t argument) {
  switch (code) {
    case AnimationFrame:
      if (argument == 1) drawMenuText(menuTexts.text(pendingLanguage), 235, rowY(pendingLanguage), 107);
      break;
    default:
      handleFlagListInput(kList, code, argument);
      break;
  }
}

}  // namespace zb
