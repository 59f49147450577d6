// The language, main, keyboard-type and layout menus, the switches, the
// exit and the panel transitions, run through the window procedure on the
// headless backend.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/animation.h"
#include "engine/writers.h"
#include "menu_fixture.h"
#include "modes/game_status.h"
#include "persist/settings.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb::test {
namespace {

constexpr uint8_t kUp = 0xC8, kDown = 0xD0, kLeft = 0xCB, kRight = 0xCD, kEnter = 0x1C, kEsc = 0x01;

class MenusTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    writeFixtureData({std::string(30, 'a'), std::string(7, 'b'), std::string(12, 'c'), "dd", "ee", "ff"});
  }

  // Runs a transition to its end.
  void settle() { wait(200); }

  const AnimationSlot& slot(uint8_t n) const { return *animationSlot(n); }
};

TEST_F(MenusTest, UpOnTheFirstMainItemWrapsToExitWithTheThirdCursor) {
  startToMainMenu();
  settings.soundOn = 1;
  EXPECT_EQ(slot(1).image, &cursorPictures[0]);

  key(kUp);
  EXPECT_EQ(mainMenuCursor, 8);
  EXPECT_EQ(slot(1).image, &cursorPictures[2]);
  EXPECT_EQ(slot(1).y, 113 + 25 * 8);
  EXPECT_EQ(cell(174, 313), 107) << "the exit item is highlighted";
  EXPECT_EQ(pixel(290, 330), kCursorColour[2]);
  EXPECT_EQ(cell(176, 113), 191) << "the first item is back to normal";
  EXPECT_EQ(pixel(290, 130), kPanelColour) << "its cursor is gone";
  EXPECT_EQ(clicksHeard(), 1u);

  key(kDown);
  EXPECT_EQ(mainMenuCursor, 0);
  EXPECT_EQ(slot(1).image, &cursorPictures[0]);
  // Every group of items has its cursor; the numeric-pad arrows count too.
  const struct {
    uint8_t key;
    uint8_t item;
    int picture;
  } steps[] = {{0x50, 1, 0}, {0x4D, 2, 1}, {kRight, 3, 1}, {kDown, 4, 1}, {kDown, 5, 1},
               {kDown, 6, 1}, {kDown, 7, 2}, {0x48, 6, 1}, {0x4B, 5, 1}, {kLeft, 4, 1}};
  for (const auto& step : steps) {
    key(step.key);
    EXPECT_EQ(mainMenuCursor, step.item);
    EXPECT_EQ(slot(1).image, &cursorPictures[step.picture]) << "item " << int(step.item);
  }
  EXPECT_EQ(clicksHeard(), 2u + std::size(steps));
  EXPECT_EQ(currentState(), MainMenu);
}

TEST_F(MenusTest, MainMenuClicksHaveExclusiveBoundsAndNoSound) {
  startToMainMenu();
  settings.soundOn = 1;
  const struct {
    int x, y;
    int cursor;  // -1: nothing selected
  } clicks[] = {
      {200, 137, -1}, {200, 138, -1},  // the boundary between items 0 and 1
      {200, 113, -1}, {169, 125, -1}, {307, 125, -1}, {200, 338, -1},
      {170, 139, 1},  {306, 136, 0},   {200, 337, -1}, {200, 336, 8},  {200, 114, 0},
  };
  for (const auto& c : clicks) {
    click(c.x, c.y);
    EXPECT_EQ(currentState(), MainMenu) << c.x << "," << c.y;
    if (c.cursor >= 0) {
      EXPECT_EQ(mainMenuCursor, c.cursor) << c.x << "," << c.y;
    }
  }
  EXPECT_EQ(mainMenuCursor, 0);
  // Right clicks do nothing here; a click on the item under the cursor
  // chooses it.
  rightClick(200, 125);
  EXPECT_EQ(currentState(), MainMenu);
  click(250, 120);
  EXPECT_EQ(currentState(), GameOpening);
  EXPECT_EQ(clicksHeard(), 0u);
}

TEST_F(MenusTest, EscInTheMainMenuActsOnlyWhileAGameIsSuspended) {
  startToMainMenu();
  for (uint8_t status : {GameNone, GameRunning, GameOver}) {
    gameStatus = status;
    key(kEsc);
    EXPECT_EQ(currentState(), MainMenu) << int(status);
  }
  gameStatus = GameSuspended;
  key(kEsc);
  EXPECT_EQ(currentState(), GameReturning);
  settle();
  EXPECT_EQ(currentState(), GameResume);
}

TEST_F(MenusTest, EnterChoosesTheItemUnderTheCursor) {
  const struct {
    uint8_t item;
    uint16_t state;
    uint16_t menu;
  } items[] = {{2, KeyboardMenuOpening, KeyboardMenu}, {3, LayoutMenuOpening, LayoutMenu},
               {4, LevelMenuOpening, LevelMenu},       {7, RecordsMenuOpening, Records}};
  startToMainMenu();
  for (const auto& item : items) {
    while (mainMenuCursor != item.item) key(kDown);
    key(kEnter);
    EXPECT_EQ(currentState(), item.state);
    EXPECT_FALSE(isAnimationRunning(1)) << "the main menu's cursor stops";
    settle();
    EXPECT_EQ(currentState(), item.menu);
    key(kEsc);
    settle();
    EXPECT_EQ(currentState(), MainMenu);
    EXPECT_EQ(mainMenuCursor, item.item) << "the main menu reopens on the item last used";
  }
}

TEST_F(MenusTest, LanguageMenuPreselectsTheSavedLanguageAndWraps) {
  createWindow();
  settings.language = 2;
  settings.soundOn = 1;
  EnterState(Startup);
  settle();
  ASSERT_EQ(currentState(), LanguageMenu);
  EXPECT_EQ(pendingLanguage, 2);
  EXPECT_EQ(slot(1).y, 156 + 27 * 2);
  EXPECT_EQ(slot(2).image, &flagPictures[2]);
  EXPECT_EQ(slot(2).y, 157 + 27 * 2);
  EXPECT_EQ(cell(235, 157 + 54), 107);

  for (uint8_t expected : {1, 0, 3}) {
    key(kUp);
    EXPECT_EQ(pendingLanguage, expected);
    EXPECT_EQ(slot(2).image, &flagPictures[expected]);
    EXPECT_EQ(slot(1).y, 156 + 27 * expected);
  }
  key(kDown);
  EXPECT_EQ(pendingLanguage, 0);
  EXPECT_EQ(clicksHeard(), 4u);
  EXPECT_EQ(cell(237, 157 + 27 * 3), 191) << "the row left behind is back to normal";

  // A click on another row only moves there; on the row under the cursor
  // it chooses.
  click(300, 156 + 27 * 1);
  EXPECT_EQ(pendingLanguage, 0) << "row bounds are exclusive";
  click(454, 170 + 27 * 1);
  EXPECT_EQ(pendingLanguage, 0);
  click(300, 157 + 27 * 1);
  EXPECT_EQ(pendingLanguage, 1);
  EXPECT_EQ(settings.language, 2) << "moving the cursor does not choose";
  EXPECT_EQ(clicksHeard(), 4u);
  click(300, 181 + 27 * 1);
  EXPECT_EQ(currentState(), LanguageMenuClosing);
  EXPECT_EQ(settings.language, 1);
  EXPECT_FALSE(isAnimationRunning(1));
  EXPECT_FALSE(isAnimationRunning(2));
  settle();
  EXPECT_EQ(currentState(), MainMenu);
}

TEST_F(MenusTest, LeavingTheLanguageMenuWithoutChoosingKeepsTheLanguage) {
  for (bool byKey : {true, false}) {
    createWindow();
    settings.language = 3;
    EnterState(Startup);
    settle();
    key(kDown);
    if (byKey) {
      key(kEsc);
    } else {
      rightClick(300, 170);
    }
    EXPECT_EQ(currentState(), LanguageMenuClosing);
    EXPECT_EQ(settings.language, 3);
    settle();
  }
}

TEST_F(MenusTest, KeyboardMenuWrapsMovesAndChooses) {
  startToMainMenu();
  settings.keyboardType = 2;
  key(kDown);
  key(kDown);
  key(kEnter);
  settle();
  ASSERT_EQ(currentState(), KeyboardMenu);
  EXPECT_EQ(slot(1).x, 192 + 85 * 2);
  EXPECT_EQ(slot(1).y, 152);
  key(kRight);
  EXPECT_EQ(pendingKeyboardType, 0);
  EXPECT_EQ(slot(1).x, 192);
  EXPECT_TRUE(isAnimationRunning(1)) << "the cursor moves, it is not restarted";
  key(kLeft);
  EXPECT_EQ(pendingKeyboardType, 2);

  for (auto [x, y] : {std::pair{276, 200}, {277, 200}, {300, 152}, {300, 320}, {192, 200}}) {
    click(x, y);
    EXPECT_EQ(pendingKeyboardType, 2) << x << "," << y;
  }
  click(278, 153);
  EXPECT_EQ(pendingKeyboardType, 1);
  EXPECT_EQ(settings.keyboardType, 2);
  click(360, 319);
  EXPECT_EQ(currentState(), KeyboardMenuClosing);
  EXPECT_EQ(settings.keyboardType, 1);
  settle();
  EXPECT_EQ(currentState(), MainMenu);
}

TEST_F(MenusTest, ChoosingAShorterLayoutLowersTheLevel) {
  createWindow();
  settings.level = 25;
  settings.layout = 0;
  EnterState(Startup);
  settle();
  key(kEnter);
  settle();
  EXPECT_EQ(letterCount, 30);
  EXPECT_EQ(settings.level, 25);
  EXPECT_EQ(cell(329, 215), 191) << "two digits";

  for (int i = 0; i < 3; ++i) key(kDown);
  key(kEnter);
  settle();
  ASSERT_EQ(currentState(), LayoutMenu);
  EXPECT_EQ(slot(2).image, &flagPictures[0]);
  EXPECT_EQ(slot(2).x, 220);
  EXPECT_EQ(slot(2).y, 164);
  key(kDown);
  EXPECT_EQ(slot(2).image, &flagPictures[1]);
  EXPECT_EQ(slot(2).y, 164 + 27);
  EXPECT_EQ(slot(1).y, 163 + 27);
  EXPECT_EQ(settings.layout, 0);
  key(kEnter);
  EXPECT_EQ(settings.layout, 1);
  EXPECT_EQ(letterCount, 7);
  EXPECT_EQ(settings.level, 7);
  settle();
  ASSERT_EQ(currentState(), MainMenu);
  EXPECT_EQ(cell(321, 215), 191);
  EXPECT_EQ(cell(329, 215), kPanelColour) << "the main menu shows the one-digit level";
  EXPECT_EQ(pixel(420, 210), kFlagColour + 1) << "and the flag of the new layout";
}

TEST_F(MenusTest, ALayoutWithoutLettersLeavesTheLevelAlone) {
  // A damaged letters file: layout 3 has no sequence.
  writeDataFile("MDATA\\lvltrs.lim", textListFileBytes(std::vector<std::string>{
                                          std::string(30, 'a'), "bb", "cc", "", "ee", "ff"}));
  settings.level = 9;
  startToMainMenu();
  for (int i = 0; i < 3; ++i) key(kDown);
  key(kEnter);
  settle();
  click(300, 164 + 27 * 3);
  click(300, 164 + 27 * 3);
  EXPECT_EQ(settings.layout, 3);
  EXPECT_EQ(letterCount, 0);
  EXPECT_EQ(settings.level, 9) << "never below 2";
}

TEST_F(MenusTest, LayoutMenuClicksMoveOrChoose) {
  startToMainMenu();
  for (int i = 0; i < 3; ++i) key(kDown);
  key(kEnter);
  settle();
  for (auto [x, y] : {std::pair{254, 200}, {419, 200}, {300, 163 + 27 * 2}, {300, 189 + 27 * 2}}) {
    click(x, y);
    EXPECT_EQ(pendingLayout, 0) << x << "," << y;
  }
  click(300, 164 + 27 * 5);
  EXPECT_EQ(pendingLayout, 5);
  EXPECT_EQ(slot(2).image, &flagPictures[5]);
  rightClick(300, 300);
  EXPECT_EQ(currentState(), LayoutMenuClosing);
  EXPECT_EQ(settings.layout, 0);
  EXPECT_FALSE(isAnimationRunning(2));
}

TEST_F(MenusTest, WithoutAWaveDeviceTheSoundSwitchStaysOff) {
  platform.setWaveAvailable(false);
  settings.soundOn = 1;
  startToMainMenu();
  EXPECT_EQ(settings.soundOn, 0u) << "no device: the start switches the sound off";
  for (int i = 0; i < 5; ++i) key(kDown);
  key(kEnter);
  EXPECT_EQ(currentState(), SoundSwitchTurning);
  EXPECT_EQ(slot(0).image, &transitionPicture);
  EXPECT_EQ(slot(0).x, 406);
  EXPECT_EQ(slot(0).y, 242);
  EXPECT_EQ(slot(0).flags, 0x11) << "the animation still plays, towards 'on'";
  settle();
  EXPECT_EQ(currentState(), MainMenu);
  EXPECT_EQ(settings.soundOn, 0u);
  EXPECT_EQ(pixel(420, 250), kSoundOffColour);
  EXPECT_EQ(clicksHeard(), 0u);
}

TEST_F(MenusTest, TheSwitchesToggleAndShowTheirMarkers) {
  startToMainMenu();
  for (int i = 0; i < 5; ++i) key(kDown);
  const struct {
    uint8_t item;
    uint32_t Settings::*field;
    int x, y;
  } switches[] = {{5, &Settings::soundOn, 406, 242}, {6, &Settings::mouseOn, 351, 266}};
  for (const auto& sw : switches) {
    while (mainMenuCursor != sw.item) key(kDown);
    for (uint32_t expected : {1u, 0u, 1u}) {
      uint8_t flags = settings.*sw.field ? 0x10 : 0x11;
      key(kEnter);
      EXPECT_EQ(slot(0).flags, flags);
      EXPECT_EQ(slot(0).x, sw.x);
      settle();
      EXPECT_EQ(currentState(), MainMenu);
      EXPECT_EQ(settings.*sw.field, expected);
      EXPECT_EQ(pixel(sw.x + 10, sw.y + 10), expected ? kSoundOnColour : kSoundOffColour);
    }
  }
}

TEST_F(MenusTest, TheExitPathEndsTheProgramAndSavesTheSettings) {
  startToMainMenu();
  key(kUp);
  states.clear();
  key(kEnter);
  settle();
  EXPECT_EQ(states, (std::vector<uint16_t>{ExitClosing, ExitChosen, Quit}));
  EXPECT_TRUE(platform.destroyed);
  EXPECT_EQ(readStateFile(kSettingsFileName).size(), 41u);
}

TEST_F(MenusTest, ChoicesSurviveTheNextStart) {
  createWindow();
  EnterState(Startup);
  settle();
  key(kDown);  // English
  key(kEnter);
  settle();
  // German layout (item 3, row 2), level 5, sound on (item 5).
  for (int i = 0; i < 3; ++i) key(kDown);
  key(kEnter);
  settle();
  key(kDown);
  key(kDown);
  key(kEnter);
  settle();
  key(kDown);
  key(kEnter);
  settle();
  for (int i = 0; i < 3; ++i) key(kRight);
  key(kEnter);
  settle();
  key(kDown);
  key(kEnter);
  settle();
  window.closeRequested();
  ASSERT_TRUE(platform.destroyed);

  // The next run: a new process, as far as the program can tell.
  HeadlessPlatform next;
  next.loop().setWindowEvents(&window);
  setPlatform(&next);
  settings = Settings{};
  mainMenuCursor = 0;
  createWindow();
  EXPECT_EQ(settings.language, 1);
  EXPECT_EQ(settings.layout, 2);
  EXPECT_EQ(settings.level, 5);
  EXPECT_EQ(settings.soundOn, 1u);
  EnterState(Startup);
  next.advance(200);
  EXPECT_EQ(pendingLanguage, 1) << "English is preselected";
  key(kEnter);
  next.advance(200);
  EXPECT_EQ(currentState(), MainMenu);
  EXPECT_EQ(pixel(420, 210), kFlagColour + 2) << "German flag";
  EXPECT_EQ(pixel(420, 250), kSoundOnColour);
  EXPECT_EQ(cell(321, 215), 191);
  EXPECT_EQ(cell(329, 215), kPanelColour) << "one digit";
  initAnimations();
  setPlatform(&platform);
}

// Every panel transition ends, and the screens move on, even when its
// picture cannot be loaded or slot 0 is still busy.
TEST_F(MenusTest, EveryTransitionEndsWithoutItsPicture) {
  for (const char* board : {"lgmnu", "lgtomn", "mnmnu", "kbmnmnu", "lgmnmnu", "lvmnmnu", "rdshw", "nmtord",
                            "rdmnmnu", "nmshw", "snmnmnu", "msmnmnu"}) {
    removeDataFile(std::string("MDATA\\TRNSF\\") + board + ".im3");
  }
  createWindow();
  EnterState(Startup);
  std::vector<uint16_t> transitions;
  for (uint16_t n = 1; n < 256; ++n) {
    const StateInfo* info = stateInfo(n);
    if (info != nullptr && info->kind == StateKind::Transition) transitions.push_back(n);
  }
  ASSERT_FALSE(transitions.empty());
  Image busy;
  busy.allocate(4, 4);
  auto runTo = [&](uint16_t state) {
    SCOPED_TRACE(stateInfo(state)->name);
    EnterState(state);
    wait(100);
    auto it = std::find(states.rbegin(), states.rend(), state);
    ASSERT_NE(it, states.rend());
    ASSERT_NE(it, states.rbegin()) << "still in the transition";
    EXPECT_EQ(*(it - 1), stateInfo(state)->next);
  };
  for (bool slotBusy : {false, true}) {
    for (uint16_t state : transitions) {
      if (state == ExitClosing) continue;
      if (slotBusy) {
        stopAnimation(0, false);
        ASSERT_TRUE(startAnimation(busy, 0, 0, 0, 40, 0x0A));
      }
      runTo(state);
    }
  }
  EXPECT_FALSE(platform.destroyed);
  runTo(ExitClosing);
  EXPECT_TRUE(platform.destroyed);
}

}  // namespace
}  // namespace zb::test
