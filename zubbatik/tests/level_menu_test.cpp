// The level menu: the grid of the layout's letters, the first `level` of
// them lit, moved by arrow keys and clicks.
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "persist/settings.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb::test {
namespace {

constexpr uint8_t kUp = 0xC8, kDown = 0xD0, kLeft = 0xCB, kRight = 0xCD, kEnter = 0x1C, kEsc = 0x01;

class LevelMenuTest : public MenuTest {
 protected:
  void openLevelMenu(uint8_t level, int letters = 30) {
    writeFixtureData({std::string(letters, 'x'), "yy", "zz", "zz", "zz", "zz"});
    createWindow();
    settings.level = level;
    settings.soundOn = 1;
    EnterState(Startup);
    wait(200);
    key(kEnter);
    wait(200);
    for (int i = 0; i < 4; ++i) key(kDown);
    key(kEnter);
    wait(200);
    ASSERT_EQ(currentState(), LevelMenu);
    heardBefore = clicksHeard();
  }

  // The colour letter i is drawn in.
  uint8_t letter(int i) const { return cell(216 + 19 * (i % 11), 130 + 17 * (i / 11)); }
  // Letters lit, as a string of '1' and '0'.
  std::string lit() const {
    std::string s;
    for (int i = 0; i < letterCount; ++i) s += letter(i) == 107 ? '1' : letter(i) == 191 ? '0' : '?';
    return s;
  }
  static std::string litUpTo(int n, int count = 30) { return std::string(n, '1') + std::string(count - n, '0'); }

  size_t heardBefore = 0;
};

TEST_F(LevelMenuTest, DownAndUpStepByRowsAndStopAtTheEnds) {
  openLevelMenu(25);
  EXPECT_EQ(letterCount, 30);
  EXPECT_EQ(lit(), litUpTo(25));
  EXPECT_EQ(letter(30), kPanelColour) << "no letter beyond the sequence";

  key(kDown);
  EXPECT_EQ(pendingLevel, 30);
  EXPECT_EQ(lit(), litUpTo(30));
  platform.clearRecords();
  key(kDown);
  EXPECT_EQ(pendingLevel, 30);
  EXPECT_TRUE(platform.invalidated.empty()) << "nothing to redraw";

  key(kUp);
  EXPECT_EQ(pendingLevel, 19);
  EXPECT_EQ(lit(), litUpTo(19));
  key(kUp);
  EXPECT_EQ(pendingLevel, 8);
  key(kUp);
  EXPECT_EQ(pendingLevel, 2) << "never below 2";
  EXPECT_EQ(lit(), litUpTo(2));
  key(kUp);
  key(kLeft);
  EXPECT_EQ(pendingLevel, 2);
  key(kRight);
  EXPECT_EQ(pendingLevel, 3);
  key(kDown);
  EXPECT_EQ(pendingLevel, 14);
  EXPECT_EQ(lit(), litUpTo(14));
  EXPECT_EQ(clicksHeard(), heardBefore) << "the level menu plays no click";
  EXPECT_EQ(settings.level, 25);
  key(kEnter);
  EXPECT_EQ(settings.level, 14);
  EXPECT_EQ(currentState(), LevelMenuClosing);
}

TEST_F(LevelMenuTest, RightStopsAtTheLastLetter) {
  openLevelMenu(29);
  key(kRight);
  key(kRight);
  EXPECT_EQ(pendingLevel, 30);
  EXPECT_EQ(lit(), litUpTo(30));
  key(kLeft);
  EXPECT_EQ(pendingLevel, 29);
  EXPECT_EQ(lit(), litUpTo(29));
}

TEST_F(LevelMenuTest, ClicksPickALetterAndTheCurrentOneIsTaken) {
  openLevelMenu(5);
  click(217, 131);
  EXPECT_EQ(pendingLevel, 2) << "the first cell gives 2, never 1";
  EXPECT_EQ(lit(), litUpTo(2));
  const struct {
    int x, y;
    int level;
  } clicks[] = {
      {216, 140, 2},  {425, 140, 2}, {300, 130, 2}, {300, 317, 2},  // bounds are exclusive
      {217 + 19 * 7, 131 + 17 * 2, 30},                             // letter 29
      {236, 131, 2},                                                // letter 1 still gives 2
      {424, 316, 30},                                               // past the sequence: its end
      {217 + 19 * 3, 147, 15},                                      // letter 14 (second row)
  };
  for (const auto& c : clicks) {
    click(c.x, c.y);
    EXPECT_EQ(pendingLevel, c.level) << c.x << "," << c.y;
    EXPECT_EQ(lit(), litUpTo(c.level)) << c.x << "," << c.y;
    EXPECT_EQ(currentState(), LevelMenu);
  }
  EXPECT_EQ(settings.level, 5);
  click(217 + 19 * 3 + 10, 147 + 10);  // the same letter again
  EXPECT_EQ(currentState(), LevelMenuClosing);
  EXPECT_EQ(settings.level, 15);
  wait(200);
  EXPECT_EQ(currentState(), MainMenu);
}

TEST_F(LevelMenuTest, EscAndRightClickKeepTheLevel) {
  openLevelMenu(6);
  key(kDown);
  key(kEsc);
  EXPECT_EQ(settings.level, 6);
  wait(200);
  key(kEnter);
  wait(200);
  ASSERT_EQ(currentState(), LevelMenu);
  EXPECT_EQ(lit(), litUpTo(6)) << "the pending level starts from the saved one";
  key(kRight);
  rightClick(300, 200);
  EXPECT_EQ(currentState(), LevelMenuClosing);
  EXPECT_EQ(settings.level, 6);
}

TEST_F(LevelMenuTest, WithoutALetterSequenceTheLevelStaysAsItWas) {
  openLevelMenu(5, 0);
  EXPECT_EQ(letterCount, 0);
  for (uint8_t k : {kDown, kRight, kUp, kLeft}) key(k);
  click(217, 131);
  EXPECT_EQ(currentState(), LevelMenu);
  key(kEnter);
  EXPECT_EQ(settings.level, 5);
}

}  // namespace
}  // namespace zb::test
