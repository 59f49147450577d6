#include "screens/state_machine.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/events.h"

namespace zb {
namespace {

std::vector<uint16_t> entered;
std::vector<std::pair<uint16_t, uint32_t>> forwarded;

void observe(uint16_t state) { entered.push_back(state); }
void forward(uint16_t code, uint32_t argument) { forwarded.emplace_back(code, argument); }

class StateMachineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetStateMachine();
    entered.clear();
    forwarded.clear();
    setStateObserver(observe);
  }
  void TearDown() override {
    setStateObserver(nullptr);
    resetStateMachine();
  }
};

// Every transition of the table, with the state it leads to and whether an
// AnimationDone of another slot than 0 moves it on.
TEST_F(StateMachineTest, TransitionsMoveOnAtAnimationDoneFromTheRightSlot) {
  struct Row {
    uint16_t state;
    uint16_t next;
    bool anySlot;
  } rows[] = {
      {LanguageMenuOpening, LanguageMenu, true},  {LanguageMenuClosing, MainMenu, true},
      {MainMenuOpening, MainMenu, false},         {GameOpening, Game, true},
      {LessonOpening, Lesson, true},              {KeyboardMenuOpening, KeyboardMenu, false},
      {LayoutMenuOpening, LayoutMenu, false},     {LevelMenuOpening, LevelMenu, false},
      {SoundSwitchTurning, SoundSwitch, true},    {MouseSwitchTurning, MouseSwitch, true},
      {RecordsMenuOpening, Records, false},       {ExitClosing, ExitChosen, true},
      {GameReturning, GameResume, true},          {KeyboardMenuClosing, MainMenu, true},
      {LayoutMenuClosing, MainMenu, true},        {LevelMenuClosing, MainMenu, true},
      {NameEntryOpening, NameEntry, true},        {RecordsOpening, Records, false},
      {NameToRecords, Records, false},            {RecordsClosing, MainMenu, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(stateInfo(row.state)->name);
    EnterState(row.state);
    for (uint16_t code : {KeyDown, KeyUp, LeftClick, TimerTick, AnimationFrame, TimerDone, RightClick}) {
      HandleEvent(code, 0);
    }
    EXPECT_EQ(currentState(), row.state);
    HandleEvent(AnimationDone, 2);
    EXPECT_EQ(currentState(), row.anySlot ? row.next : row.state);
    EnterState(row.state);
    HandleEvent(AnimationDone, 0);
    EXPECT_EQ(currentState(), row.next);
  }
}

TEST_F(StateMachineTest, StateIsStoredBeforeItsEntryRuns) {
  setEntryAction(SoundSwitch, [] {
    EXPECT_EQ(currentState(), SoundSwitch);
    EnterState(MainMenu);
  });
  EnterState(SoundSwitch);
  EXPECT_EQ(currentState(), MainMenu);
  EXPECT_EQ(entered, (std::vector<uint16_t>{SoundSwitch, MainMenu}));
}

TEST_F(StateMachineTest, NumbersOutsideTheTableAreStoredAndDeafToEvents) {
  setEventHandler(MainMenu, forward);
  for (uint16_t state : {0, 3, 36, 61, 211, 999, 65535}) {
    EnterState(state);
    EXPECT_EQ(currentState(), state);
    EXPECT_EQ(stateInfo(state), nullptr);
    HandleEvent(AnimationDone, 0);
    HandleEvent(KeyDown, 0x1C);
    EXPECT_EQ(currentState(), state);
  }
  EXPECT_TRUE(forwarded.empty());
}

TEST_F(StateMachineTest, CodesAbove7AreIgnoredEverywhere) {
  setEventHandler(Game, forward);
  EnterState(Game);
  HandleEvent(8, 1);
  HandleEvent(0xFFFF, 1);
  EXPECT_TRUE(forwarded.empty());
  EnterState(MainMenuOpening);
  HandleEvent(8, 0);
  EXPECT_EQ(currentState(), MainMenuOpening);
}

TEST_F(StateMachineTest, ModesGetEveryEventUnchanged) {
  setEventHandler(GameResume, forward);
  EnterState(GameResume);  // no entry attached: nothing starts
  HandleEvent(KeyUp, 0x1E | kShiftBit);
  HandleEvent(TimerTick, 2);
  HandleEvent(LeftClick, 5 | 6u << 16);
  EXPECT_EQ(forwarded, (std::vector<std::pair<uint16_t, uint32_t>>{
                           {KeyUp, 0x1E | kShiftBit}, {TimerTick, 2}, {LeftClick, 5 | 6u << 16}}));
}

}  // namespace
}  // namespace zb
