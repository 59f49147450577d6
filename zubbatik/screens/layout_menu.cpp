// The layout menu: six layout names, each with its waving flag while the
// cursor is on it.
#include <algorithm>

#include "engine/animation.h"
#include "engine/events.h"
#include "persist/settings.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb {

namespace {

constexpr uint8_t kLayouts = 6;
constexpr const char* kLayoutFlags[kLayouts] = {
    "MDATA\\MRKRS\\aflgrus.im3", "MDATA\\MRKRS\\aflgamr.im3", "MDATA\\MRKRS\\aflggrm.im3",
    "MDATA\\MRKRS\\aflgfr.im3",  "MDATA\\MRKRS\\aflgeng.im3", "MDATA\\MRKRS\\aflgsw.im3"};

uint16_t rowY(uint8_t row) { return static_cast<uint16_t>(163 + 27 * row); }

void startFlag() {
  startAnimation(flagPictures[pendingLayout], 2, 220, static_cast<uint16_t>(rowY(pendingLayout) + 1),
                 kFlagDelay, kLoopingSprite);
}

void moveTo(uint8_t row) {
  pendingLayout = row;
  moveAnimation(1, 254, rowY(row), true);
  startFlag();
}

void take() {
  settings.layout = pendingLayout;
  letterCount = static_cast<uint8_t>(std::min<uint32_t>(levelLetters.length(pendingLayout), 255));
  // A layout without a usable letter sequence leaves the level alone
  // rather than bring it below 2.
  if (letterCount >= 2 && settings.level > letterCount) settings.level = letterCount;
  EnterState(LayoutMenuClosing);
}

const FlagList kList{LayoutMenuClosing, kLayouts, 254, 419, 163, pendingLayout, take, moveTo};

}  // namespace

void enterLayoutMenu() {
  pendingLayout = settings.layout < kLayouts ? settings.layout : 0;
  for (uint8_t i = 0; i < kLayouts; ++i) flagPictures[i].load(kLayoutFlags[i]);
  cursorPictures[0].load("MDATA\\CRSRS\\lgmncrs.im3");
  menuTexts.load(messagesPath("lgmnu"));
  drawMenuText(menuTexts.text(0), centredX(menuTexts.length(0)), 132, 107);
  for (uint8_t i = 0; i < kLayouts; ++i) {
    drawMenuText(menuTexts.text(i + 1u), centredOn(328, menuTexts.length(i + 1u)), rowY(i), 191);
  }
  startAnimation(cursorPictures[0], 1, 254, rowY(pendingLayout), kCursorDelay, kLoopingSprite);
  startFlag();
}

void handleLayoutMenu(uint16_t code, uint32_t argument) {
  switch (code) {
    case AnimationFrame:
      if (argument == 1) {
        uint32_t n = pendingLayout + 1u;
        drawMenuText(menuTexts.text(n), centredOn(326, menuTexts.length(n)), rowY(pendingLayout), 107);
      }
      break;
    default:
      handleFlagListInput(kList, code, argument);
      break;
  }
}

}  // namespace zb
