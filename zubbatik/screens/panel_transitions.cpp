// The animated panels between the menu screens. Each transition plays one
// picture once on slot 0; the state machine moves on at its AnimationDone.
// A picture that cannot be loaded still ends: the slot plays whatever the
// picture holds (at worst a single empty frame) and stops.
#include "engine/animation.h"
#include "persist/settings.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"
#include "screens/name_records.h"
#include "screens/state_machine.h"

namespace zb {

namespace {

enum class Before : uint8_t {
  Nothing,
  Capture,            // save the screen under the panel
  StopCursor,         // slot 1
  StopCursorAndFlag,  // slots 1 and 2
  StopFlagAndCursor,  // slots 2 and 1
  ForgetRecord,       // no row highlighted; save the screen under the panel
  ForgetRecordStopCursor,
};

struct Panel {
  uint16_t state;
  Before before;
  const char* picture;  // null: the opening's picture plays backwards
  uint16_t x;
  uint16_t y;
  uint8_t flags;
};

constexpr Panel kPanels[] = {
    {LanguageMenuOpening, Before::Capture, "MDATA\\TRNSF\\lgmnu.im3", 131, 83, kPanelForward},
    {LanguageMenuClosing, Before::StopCursorAndFlag, "MDATA\\TRNSF\\lgtomn.im3", 131, 73, kPanelForward},
    {MainMenuOpening, Before::Capture, "MDATA\\TRNSF\\mnmnu.im3", 131, 73, kPanelForward},
    {GameOpening, Before::StopCursor, "MDATA\\TRNSF\\mnmnu.im3", 131, 73, kPanelVanish},
    {LessonOpening, Before::StopCursor, "MDATA\\TRNSF\\mnmnu.im3", 131, 73, kPanelVanish},
    {ExitClosing, Before::StopCursor, "MDATA\\TRNSF\\mnmnu.im3", 131, 73, kPanelVanish},
    {GameReturning, Before::StopCursor, "MDATA\\TRNSF\\mnmnu.im3", 131, 73, kPanelVanish},
    {KeyboardMenuOpening, Before::StopCursor, "MDATA\\TRNSF\\kbmnmnu.im3", 131, 73, kPanelForward},
    {LayoutMenuOpening, Before::StopCursor, "MDATA\\TRNSF\\lgmnmnu.im3", 131, 73, kPanelForward},
    {LevelMenuOpening, Before::StopCursor, "MDATA\\TRNSF\\lvmnmnu.im3", 131, 73, kPanelForward},
    {KeyboardMenuClosing, Before::StopCursor, nullptr, 131, 73, kPanelBackward},
    {LayoutMenuClosing, Before::StopFlagAndCursor, nullptr, 131, 73, kPanelBackward},
    {LevelMenuClosing, Before::Nothing, nullptr, 131, 73, kPanelBackward},
    {NameEntryOpening, Before::ForgetRecord, "MDATA\\TRNSF\\nmshw.im3", kNamePanelX, kNamePanelY,
     kPanelForward},
    {NameToRecords, Before::Nothing, "MDATA\\TRNSF\\nmtord.im3", 131, 73, kPanelForward},
    {RecordsOpening, Before::ForgetRecord, "MDATA\\TRNSF\\rdshw.im3", 131, 73, kPanelForward},
    {RecordsMenuOpening, Before::ForgetRecordStopCursor, "MDATA\\TRNSF\\rdmnmnu.im3", 131, 73,
     kPanelForward},
    {RecordsClosing, Before::Nothing, "MDATA\\TRNSF\\rdmnmnu.im3", 131, 73, kPanelBackward},
};

void prepare(Before before) {
  switch (before) {
    case Before::Nothing:
      break;
    case Before::Capture:
      capturePanelBackground();
      break;
    case Before::StopCursor:
      stopAnimation(1, false);
      break;
    case Before::StopCursorAndFlag:
      stopAnimation(1, false);
      stopAnimation(2, false);
      break;
    case Before::StopFlagAndCursor:
      stopAnimation(2, false);
      stopAnimation(1, false);
      break;
    case Before::ForgetRecord:
      highlightedRecord = 0xFFFF;
      capturePanelBackground();
      break;
    case Before::ForgetRecordStopCursor:
      highlightedRecord = 0xFFFF;
      stopAnimation(1, false);
      break;
  }
}

// The entry action of a transition state, found by the current state.
void enterPanel() {
  uint16_t state = currentState();
  for (const Panel& panel : kPanels) {
    if (panel.state != state) continue;
    // The picture is loaded before the capture, as the slot expects.
    if (panel.picture != nullptr) transitionPicture.load(panel.picture);
    prepare(panel.before);
    playPanel(nullptr, panel.x, panel.y, panel.flags);
    return;
  }
}

// The switches turn their marker: forwards from "on" to "off", backwards
// from "off" to "on".
void enterSoundSwitchTurning() {
  stopAnimation(1, false);
  playPanel("MDATA\\TRNSF\\snmnmnu.im3", 406, 242, settings.soundOn ? kPanelForward : kPanelBackward);
}

void enterMouseSwitchTurning() {
  stopAnimation(1, false);
  playPanel("MDATA\\TRNSF\\msmnmnu.im3", 351, 266, settings.mouseOn ? kPanelForward : kPanelBackward);
}

}  // namespace

void registerTransitions() {
  for (const Panel& panel : kPanels) setEntryAction(panel.state, enterPanel);
  setEntryAction(SoundSwitchTurning, enterSoundSwitchTurning);
  setEntryAction(MouseSwitchTurning, enterMouseSwitchTurning);
}

}  // namespace zb
