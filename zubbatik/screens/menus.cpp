#include "screens/menus.h"

#include <algorithm>

#include "engine/animation.h"
#include "engine/draw.h"
#include "engine/events.h"
#include "modes/game.h"
#include "modes/game_status.h"
#include "modes/lesson.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "screens/menu_screens.h"
#include "screens/name_records.h"
#include "screens/state_machine.h"

namespace zb {

Sound clickSound;
TextList levelLetters;
Image shadeMask;
Image menuBackground;
Image menuFont;
Image transitionPicture;

TextList menuTexts;
TextList layoutNames;
Image cursorPictures[3];
Image flagPictures[6];
Image keyboardMarker;
Image layoutMarker;
Image soundMarker;
Image mouseMarker;

uint8_t mainMenuCursor = 0;
uint8_t pendingLanguage = 0;
uint8_t pendingKeyboardType = 0;
uint8_t pendingLayout = 0;
uint8_t pendingLevel = 0;
uint8_t letterCount = 0;

uint8_t sequenceLetter(uint8_t layout, uint32_t i) {
  return i < levelLetters.length(layout) ? static_cast<uint8_t>(levelLetters.text(layout)[i]) : 0;
}

MenuStep menuStepOf(uint16_t key) {
  switch (key) {
    case 0x48: case 0xC8:  // Up
    case 0x4B: case 0xCB:  // Left
      return MenuStep::Previous;
    case 0x4D: case 0xCD:  // Right
    case 0x50: case 0xD0:  // Down
      return MenuStep::Next;
    default:
      return MenuStep::None;
  }
}

uint8_t wrapStep(uint8_t item, MenuStep step, uint8_t count) {
  int next = (int{item} + static_cast<int>(step) + count) % count;
  return static_cast<uint8_t>(next);
}

int itemAt(int value, int first, int pitch, int span, int count) {
  for (int i = 0; i < count; ++i) {
    if (first + pitch * i < value && value < first + span + pitch * i) return i;
  }
  return -1;
}

void handleFlagListInput(const FlagList& list, uint16_t code, uint32_t argument) {
  switch (code) {
    case KeyDown: {
      uint16_t key = keyOf(argument);
      if (key == kKeyEsc) {
        EnterState(list.closingState);
      } else if (key == kKeyEnter) {
        list.take();
      } else if (MenuStep step = menuStepOf(key); step != MenuStep::None) {
        stopAnimation(2, false);
        playMenuClick();
        list.moveTo(wrapStep(list.pending, step, list.count));
      }
      break;
    }
    case LeftClick: {
      int x = clickX(argument);
      if (!(list.clickLeft < x && x < list.clickRight)) break;
      int row = itemAt(clickY(argument), list.firstRowTop, 27, 26, list.count);
      if (row < 0) break;
      if (row == list.pending) {
        list.take();
      } else {
        stopAnimation(2, false);
        list.moveTo(static_cast<uint8_t>(row));
      }
      break;
    }
    case RightClick:
      EnterState(list.closingState);
      break;
    default:
      break;
  }
}

std::string messagesPath(const char* base) {
  // The settings loader keeps the language in range; a stray value still
  // must not index past the four suffixes.
  const char* suffix = kLanguageSuffixes[settings.language < 4 ? settings.language : 0];
  return std::string("MDATA\\MSGS\\") + base + suffix + ".lim";
}

uint16_t fontWidth() { return menuFont.width(0); }
uint16_t fontHeight() { return menuFont.height(0); }

void drawMenuText(const char* text, int x, int y, uint8_t colour) {
  drawText(text, menuFont, static_cast<uint16_t>(std::max(x, 0)), static_cast<uint16_t>(y), colour,
           kGlyphKeyColour);
}

int centredOn(int centre, uint32_t length) {
  return centre - static_cast<int>(length * fontWidth() / 2);
}

void playMenuClick() {
  if (settings.soundOn) playSound(clickSound);
}

void playPanel(const char* picture, uint16_t x, uint16_t y, uint8_t flags) {
  if (picture != nullptr) transitionPicture.load(picture);
  if (startAnimation(transitionPicture, 0, x, y, 40, flags)) return;
  // Slot 0 is still busy with an earlier animation that nobody waits for
  // any more; this transition's AnimationDone is what the screens wait
  // for, so the slot is taken over.
  stopAnimation(0, false);
  startAnimation(transitionPicture, 0, x, y, 40, flags);
}

void capturePanelBackground() {
  captureSlotBackground(0, kPanelX, kPanelY, kPanelWidth, kPanelHeight);
}

void enterStartup() {
  clickSound.load("MDATA\\slitm.sn");
  levelLetters.load("MDATA\\lvltrs.lim");
  shadeMask.load("GDATA\\shmsk.im3");
  if (!soundAvailable) settings.soundOn = 0;
  letterCount = static_cast<uint8_t>(std::min<uint32_t>(levelLetters.length(settings.layout), 255));
  // Without a letters file there is no sequence to cut the level down to.
  if (letterCount >= 2 && settings.level > letterCount) settings.level = letterCount;
  menuBackground.load("MDATA\\igrnd.im3");
  drawImage(menuBackground, 0, 0, 0);
  menuFont.load("MDATA\\mnfnt.im3");
  EnterState(LanguageMenuOpening);
}

void enterQuit() { platform().destroyWindow(); }

void enterExitChosen() { EnterState(Quit); }

void enterSoundSwitch() {
  if (!soundAvailable) {
    settings.soundOn = 0;
  } else {
    settings.soundOn = settings.soundOn ? 0 : 1;
  }
  EnterState(MainMenu);
}

void enterMouseSwitch() {
  settings.mouseOn = settings.mouseOn ? 0 : 1;
  EnterState(MainMenu);
}

namespace {

// The play modes: Game starts a new game (loading the game's pictures the
// first time), GameResume continues a suspended one, Lesson starts the
// guided lesson; in all three every event goes to the mode.
void enterGame() { enterPlayState(gameStatus == GameNone ? PlayLoad : PlayNewGame); }

void enterGameResume() {
  if (gameStatus == GameSuspended) enterPlayState(PlayResume);
}

void enterLesson() { enterLessonState(lessonPicturesLoaded ? LessonStart : LessonLoad); }

}  // namespace

void registerScreens() {
  setEntryAction(Game, enterGame);
  setEventHandler(Game, handlePlayEvent);
  setEntryAction(GameResume, enterGameResume);
  setEventHandler(GameResume, handlePlayEvent);
  setEntryAction(Lesson, enterLesson);
  setEventHandler(Lesson, handleLessonEvent);
  setEntryAction(Startup, enterStartup);
  setEntryAction(Quit, enterQuit);
  setEntryAction(ExitChosen, enterExitChosen);
  setEntryAction(SoundSwitch, enterSoundSwitch);
  setEntryAction(MouseSwitch, enterMouseSwitch);
  registerTransitions();
  setEntryAction(LanguageMenu, enterLanguageMenu);
  setEventHandler(LanguageMenu, handleLanguageMenu);
  setEntryAction(MainMenu, enterMainMenu);
  setEventHandler(MainMenu, handleMainMenu);
  setEntryAction(KeyboardMenu, enterKeyboardMenu);
  setEventHandler(KeyboardMenu, handleKeyboardMenu);
  setEntryAction(LayoutMenu, enterLayoutMenu);
  setEventHandler(LayoutMenu, handleLayoutMenu);
  setEntryAction(LevelMenu, enterLevelMenu);
  setEventHandler(LevelMenu, handleLevelMenu);
  setEntryAction(NameEntry, enterNameEntry);
  setEventHandler(NameEntry, handleNameEntry);
  setEntryAction(Records, enterRecords);
  setEventHandler(Records, handleRecords);
}

}  // namespace zb
