// The guided keyboard lesson on the real data set: the notice, the hands,
// the letter board with its arrows, clicks and typed letters, the pauses
// between demonstrations and the fingers' glides.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/animation.h"
#include "engine/draw.h"
#include "engine/events.h"
#include "engine/writers.h"
#include "modes/game.h"
#include "modes/game_status.h"
#include "modes/keyboard.h"
#include "modes/lesson.h"
#include "persist/settings.h"
#include "play_fixture.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb::test {
namespace {

constexpr uint8_t kUp = 0xC8, kDown = 0xD0, kLeft = 0xCB, kRight = 0xCD;
constexpr uint8_t kPadUp = 0x48, kPadDown = 0x50, kPadLeft = 0x4B, kPadRight = 0x4D;
constexpr uint8_t kF1 = 0x3B;
// The American layout's teaching sequence: 26 letters, the last row
// holding only "bn" (letters 24 and 25).
constexpr uint8_t kAmerican = 1;
constexpr uint8_t kFrench = 3;
constexpr uint8_t kAmericanCount = 26;

class LessonTest : public PlayTest {
 protected:
  // Runs the virtual clock 1 ms at a time until the lesson enters state
  // (counting from now); returns the milliseconds that took, or fails.
  uint64_t runUntil(uint16_t state, uint64_t limitMs = 30000) {
    if (lessonState == state) return 0;
    const size_t from = lessonStates.size();
    for (uint64_t t = 0; t <= limitMs; ++t) {
      if (std::find(lessonStates.begin() + static_cast<std::ptrdiff_t>(from), lessonStates.end(), state) !=
          lessonStates.end()) {
        return t;
      }
      wait(1);
    }
    ADD_FAILURE() << "the lesson did not enter " << state << " within " << limitMs << " ms";
    return limitMs;
  }

  // From a fresh start into the lesson and on to the letter board.
  void openBoard(uint8_t layout = kAmerican, uint8_t keyboardType = 0, uint8_t letter = 0) {
    startWith(layout, 5, keyboardType);
    settings.lessonLetter = letter;
    enterLesson();
    runUntil(LessonNotice, 2000);
    key(kF1);
    runUntil(LessonChoose, 3000);
  }

  uint8_t selected() const { return settings.lessonLetter; }
  size_t count(uint16_t state) const { return static_cast<size_t>(std::ranges::count(lessonStates, state)); }
  std::vector<uint16_t> since(size_t from) const {
    return {lessonStates.begin() + static_cast<std::ptrdiff_t>(from), lessonStates.end()};
  }
  // Runs a demonstration that has just begun to its end (back on the board).
  void finishDemonstration() { runUntil(LessonChoose, 20000); }

  void clickLetter(int i) {
    click(letterCellX(static_cast<uint32_t>(i)) + 10, letterCellY(static_cast<uint32_t>(i)) + 8);
  }
  // Pixels of colour c in the rectangle.
  size_t colourCount(int x, int y, int w, int h, uint8_t c) const {
    Bytes a = area(x, y, w, h);
    return static_cast<size_t>(std::ranges::count(a, c));
  }
  // A picture of one colour all over, in every frame.
  void writeSolidPicture(const char* path, uint16_t w, uint16_t h, uint8_t colour, int frames = 2) {
    std::vector<uint8_t> pixels(size_t{w} * h, colour);
    std::vector<FrameData> list;
    for (int i = 0; i < frames; ++i) list.push_back({w, h, 0, 0, encodeSprite(pixels.data(), w, h, RowOrder::TopDown)});
    writeDataFile(path, imageFileBytes(list));
  }
};

// --- Opening and closing ------------------------------------------------

TEST_F(LessonTest, NoticeThenHandsThenBoardThenClosedByEsc) {
  startWith(kAmerican, 5);
  enterLesson();
  runUntil(LessonNotice, 2000);
  EXPECT_EQ(lessonStates, (std::vector<uint16_t>{LessonLoad, LessonStart, LessonNoticeOpen, LessonNotice}));
  EXPECT_EQ(lessonPicturesLoaded, 1);
  EXPECT_EQ(keyboardPanel.keyboardPicture.fileName().value_or(""), "DDATA\\KBDDFS\\dmkbdt0.im3");

  // Esc on the notice only dismisses it, like any key.
  key(kEsc);
  EXPECT_EQ(lessonState, LessonHandsOpen);
  runUntil(LessonChoose, 3000);
  EXPECT_EQ(since(4), (std::vector<uint16_t>{LessonHandsOpen, LessonHandsDown, LessonBoardOpen, LessonChoose}));
  EXPECT_TRUE(tickTimer(0)->armed);
  EXPECT_EQ(tickTimer(0)->period, 10000u) << "the lesson starts as if the child had just acted";

  key(kEsc);
  EXPECT_EQ(lessonState, LessonClose);
  EXPECT_FALSE(tickTimer(0)->armed);
  runUntil(LessonLeave, 2000);
  EXPECT_EQ(currentState(), MainMenuOpening);
  wait(600);
  EXPECT_EQ(currentState(), MainMenu);

  // The second lesson of the run loads nothing again.
  lessonStates.clear();
  enterLesson();
  ASSERT_FALSE(lessonStates.empty());
  EXPECT_EQ(lessonStates.front(), LessonStart);
}

TEST_F(LessonTest, ClicksDismissTheNoticeAndARightClickClosesTheBoard) {
  startWith(kAmerican, 5);
  enterLesson();
  runUntil(LessonNotice, 2000);
  rightClick(300, 200);
  EXPECT_EQ(lessonState, LessonHandsOpen) << "a right click on the notice only dismisses it";
  runUntil(LessonChoose, 3000);
  rightClick(10, 10);
  EXPECT_EQ(lessonState, LessonClose);
  runUntil(LessonLeave, 2000);
  wait(600);
  EXPECT_EQ(currentState(), MainMenu);
}

TEST_F(LessonTest, InputDuringTheOpeningAnimationsIsIgnored) {
  startWith(kAmerican, 5);
  EnterState(LessonOpening);
  runUntil(LessonNoticeOpen, 2000);
  ASSERT_EQ(lessonState, LessonNoticeOpen) << "the notice panel takes a few frames";
  key(kEsc);
  rightClick(10, 10);
  EXPECT_EQ(lessonState, LessonNoticeOpen);
  runUntil(LessonNotice, 2000);
  click(300, 200);
  ASSERT_EQ(lessonState, LessonHandsOpen);
  key(kEsc);
  rightClick(10, 10);
  EXPECT_EQ(lessonState, LessonHandsOpen);
  runUntil(LessonChoose, 3000);
  EXPECT_EQ(count(LessonClose), 0u);
}

TEST_F(LessonTest, EscDuringADemonstrationDoesNotCloseAndMakesTheNextPauseLong) {
  openBoard(kAmerican, 0, 7);  // 'h': the right index finger leaves its home key
  key(kEnter);
  ASSERT_EQ(lessonState, FingerLift);
  key(kEsc);
  rightClick(10, 10);
  wait(100);
  EXPECT_NE(lessonState, LessonClose);
  EXPECT_EQ(userActive, 1);
  finishDemonstration();
  EXPECT_EQ(count(LessonClose), 0u);
  EXPECT_EQ(tickTimer(0)->period, 10000u);
  EXPECT_EQ(selected(), 7);
}

// --- Choosing a letter --------------------------------------------------

TEST_F(LessonTest, ArrowsMoveTheSelectionWithinTheBoard) {
  openBoard();
  ASSERT_EQ(letterCount, kAmericanCount);
  const struct {
    uint8_t from;
    uint8_t key;
    uint8_t to;
  } cases[] = {
      {7, kRight, 8},   {7, kPadRight, 8}, {25, kRight, 25},  // Right on the last letter: nothing
      {7, kLeft, 6},    {7, kPadLeft, 6},  {0, kLeft, 0},     // Left on letter 0: nothing
      {5, kDown, 17},   {13, kPadDown, 25},                   // a whole row down
      {14, kDown, 25},  {20, kDown, 25},                      // from above the short last row: its last letter
      {24, kDown, 25},  {25, kDown, 25},                      // on the last row: the last letter
      {13, kUp, 1},     {25, kPadUp, 13},                     // a whole row up
      {5, kUp, 0},      {11, kUp, 0},    {12, kUp, 0},        // the first row, and letter 12: letter 0
      {0, kUp, 0},
  };
  for (const auto& c : cases) {
    settings.lessonLetter = c.from;
    const size_t before = lessonStates.size();
    key(c.key);
    EXPECT_EQ(selected(), c.to) << "from " << int{c.from} << " key " << std::hex << int{c.key};
    EXPECT_EQ(since(before), std::vector<uint16_t>{}) << "arrows never start a demonstration";
  }
  EXPECT_EQ(tickTimer(0)->period, 10000u);
}

TEST_F(LessonTest, TheSelectedLetterIsHighlightedAndTheOldOneReturnsToNormal) {
  openBoard();
  auto has = [&](int i, uint8_t colour) {
    return colourCount(letterCellX(static_cast<uint32_t>(i)), letterCellY(static_cast<uint32_t>(i)), kLessonGridPitchX,
                       kLessonGridPitchY, colour) > 0;
  };
  for (int i = 0; i < kAmericanCount; ++i) {
    EXPECT_EQ(has(i, kHighlightColour), i == 0) << "letter " << i;
    EXPECT_EQ(has(i, kTextColour), i != 0) << "letter " << i;
  }
  key(kDown);
  EXPECT_TRUE(has(12, kHighlightColour));
  EXPECT_FALSE(has(0, kHighlightColour));
  EXPECT_TRUE(has(0, kTextColour));
}

TEST_F(LessonTest, TypingALetterOfTheSequenceDemonstratesItAtOnce) {
  openBoard();
  const size_t before = lessonStates.size();
  type('r');  // letter 9
  EXPECT_EQ(selected(), 9);
  ASSERT_GE(lessonStates.size(), before + 3);
  EXPECT_EQ(lessonStates[before], LessonFindKeys);
  EXPECT_FALSE(tickTimer(0)->armed) << "no pause while the fingers move";
  finishDemonstration();
  EXPECT_EQ(tickTimer(0)->period, 10000u);
}

TEST_F(LessonTest, OtherCharactersOnlyRestartThePause) {
  openBoard(kAmerican, 0, 3);
  wait(6000);
  const size_t before = lessonStates.size();
  type('5');       // on the layout, not in the sequence
  type('A');       // a capital is found only if the sequence holds it
  key(kF1);        // a key typing nothing
  keyWith(kShift, 0x1D);
  EXPECT_EQ(since(before), std::vector<uint16_t>{});
  EXPECT_EQ(selected(), 3);
  // The pause now runs 10 s from the last key, no longer 4 s from here.
  EXPECT_EQ(runUntil(LessonFindKeys, 12000), 10000u);
  EXPECT_EQ(selected(), 3);
}

TEST_F(LessonTest, ClicksSelectDemonstrateOrAreIgnored) {
  openBoard();
  const struct {
    int x, y;
  } outside[] = {{180, 40}, {444, 40}, {200, 34}, {200, 204}, {100, 100}, {300, 300}};
  for (const auto& p : outside) {
    const size_t before = lessonStates.size();
    click(p.x, p.y);
    EXPECT_EQ(selected(), 0) << p.x << ", " << p.y;
    EXPECT_EQ(since(before), std::vector<uint16_t>{});
  }
  EXPECT_EQ(tickTimer(0)->period, 10000u) << "even an ignored click counts as activity";

  const struct {
    int x, y;
    uint8_t letter;
  } inside[] = {
      {181, 35, 0},   {443, 35, 11},  {181, 52, 12},  // corners of the first rows
      {203, 69, 25},                                  // letter 25 itself
      {300, 75, 25},  {443, 203, 25},                 // right of the short last row, and far below it
  };
  for (const auto& p : inside) {
    settings.lessonLetter = 5;
    const size_t before = lessonStates.size();
    click(p.x, p.y);
    EXPECT_EQ(selected(), p.letter) << p.x << ", " << p.y;
    EXPECT_EQ(since(before), std::vector<uint16_t>{}) << "another letter is only selected";
  }

  // A click on the selected letter shows it.
  clickLetter(25);
  EXPECT_NE(lessonState, LessonChoose);
  EXPECT_EQ(count(LessonFindKeys), 1u);
  finishDemonstration();
  EXPECT_EQ(selected(), 25);
}

TEST_F(LessonTest, EnterDemonstratesTheSelectedLetter) {
  openBoard(kAmerican, 0, 4);
  key(kEnter);
  EXPECT_EQ(count(LessonFindKeys), 1u);
  EXPECT_EQ(selected(), 4);
}

// --- The pace of the lesson left alone --------------------------------

TEST_F(LessonTest, LeftAloneItShowsALetterAfterTenSecondsThenOneEveryTwo) {
  openBoard(kAmerican, 0, kAmericanCount - 2);
  // The first pause only clears the flag: the selected letter is shown.
  EXPECT_EQ(runUntil(LessonFindKeys), 10000u);
  EXPECT_EQ(selected(), kAmericanCount - 2);
  finishDemonstration();
  EXPECT_EQ(tickTimer(0)->period, 2000u);
  EXPECT_EQ(runUntil(LessonFindKeys), 2000u);
  EXPECT_EQ(selected(), kAmericanCount - 1);
  finishDemonstration();
  // After the last letter, the first.
  EXPECT_EQ(runUntil(LessonFindKeys), 2000u);
  EXPECT_EQ(selected(), 0);
  finishDemonstration();
  EXPECT_EQ(runUntil(LessonFindKeys), 2000u);
  EXPECT_EQ(selected(), 1);
}

TEST_F(LessonTest, InputDuringADemonstrationKeepsTheLetterAndMakesTheNextPauseLong) {
  openBoard(kAmerican, 0, 9);
  runUntil(LessonFindKeys);
  finishDemonstration();
  ASSERT_EQ(runUntil(LessonFindKeys), 2000u);
  ASSERT_EQ(selected(), 10);
  runUntil(FingerMove, 2000);
  click(5, 5);
  finishDemonstration();
  EXPECT_EQ(runUntil(LessonFindKeys, 12000), 10000u);
  EXPECT_EQ(selected(), 10) << "the same letter again";
  finishDemonstration();
  EXPECT_EQ(runUntil(LessonFindKeys), 2000u);
  EXPECT_EQ(selected(), 11);
}

// --- Demonstrations ---------------------------------------------------

TEST_F(LessonTest, ALetterAwayFromHomeGlidesThereAndBack) {
  openBoard(kAmerican, 0, 9);  // 'r', typed by the left index finger, whose home is 'f'
  uint16_t target = NoKey;
  uint16_t modifier = NoKey;
  ASSERT_TRUE(keysForChar('r', target, modifier));
  const uint8_t finger = keyboardPanel.layout.keyFinger(target);
  const FingerMarker& m = keyboardPanel.fingerMarkers[finger];
  const auto home = keyboardPanel.fingerHomes[finger];
  const size_t before = lessonStates.size();
  key(kEnter);
  EXPECT_EQ(letterKey, target);
  EXPECT_EQ(modifierKey, NoKey);
  EXPECT_EQ(movingFinger, finger);
  EXPECT_EQ(keyboardPanel.layout.keyState(target) & KeyTarget, KeyTarget);

  // Lift: one pixel every 30 ms from 3 to 10.
  for (int step = 1; step <= 6; ++step) {
    wait(30);
    EXPECT_EQ(lessonState, FingerLift);
    EXPECT_EQ(m.lift, 3 + step);
  }
  wait(30);
  EXPECT_EQ(lessonState, FingerMove);
  EXPECT_EQ(m.lift, 10);

  // Glide: 3 pixels a step along the line.
  const uint16_t tx = static_cast<uint16_t>(keyboardPanel.layout.keyX(target) + 5);
  const uint16_t ty = static_cast<uint16_t>(keyboardPanel.layout.keyY(target) + 188);
  EXPECT_EQ(fingerTargetX, tx);
  EXPECT_EQ(fingerTargetY, ty);
  uint16_t x = home[0];
  uint16_t y = home[1];
  while (!glideStep(x, y, tx, ty)) {
    wait(30);
    EXPECT_EQ(m.x, x);
    EXPECT_EQ(m.y, y);
  }
  EXPECT_EQ(runUntil(FingerLower, 100), 30u);
  EXPECT_EQ(m.x, tx);
  EXPECT_EQ(m.y, ty);
  // Down again, then the press and a 500 ms hold.
  EXPECT_EQ(runUntil(FingerPress, 300), 210u);
  EXPECT_EQ(runUntil(FingerHold, 100), 30u);
  EXPECT_EQ(m.lift, 2);
  EXPECT_EQ(keyboardPanel.layout.keyState(target) & KeyPressed, KeyPressed);
  EXPECT_EQ(runUntil(LessonKeyUp, 600), 500u);
  // Release, lift, glide home, lower.
  runUntil(LessonChoose, 3000);
  EXPECT_EQ(keyboardPanel.layout.keyState(target), 0) << "released and unmarked";
  EXPECT_EQ(keyboardPanel.layout.keyState(findHomeKey(finger)), KeyHomeMark);
  EXPECT_EQ(m.x, home[0]);
  EXPECT_EQ(m.y, home[1]);
  EXPECT_EQ(m.lift, 3);
  EXPECT_EQ(since(before),
            (std::vector<uint16_t>{LessonFindKeys, LessonModifierDown, LessonKeyDown, FingerLift, FingerMove,
                                   FingerLower, FingerPress, FingerHold, LessonKeyUp, FingerRelease, FingerLift,
                                   FingerMove, FingerLower, LessonModifierUp, LessonStepsDone, LessonChoose}));
}

TEST_F(LessonTest, ALetterOnItsFingersHomeKeyIsPressedInPlace) {
  openBoard(kAmerican, 0, 0);  // 'f'
  const size_t before = lessonStates.size();
  key(kEnter);
  runUntil(LessonChoose, 3000);
  EXPECT_EQ(since(before),
            (std::vector<uint16_t>{LessonFindKeys, LessonModifierDown, LessonKeyDown, FingerPress, FingerHold,
                                   LessonKeyUp, FingerRelease, LessonModifierUp, LessonStepsDone, LessonChoose}));
  const uint16_t home = findHomeKey(movingFinger);
  EXPECT_EQ(letterKey, home);
  EXPECT_EQ(keyboardPanel.layout.keyState(home), KeyHomeMark) << "only the resting mark is left";
  EXPECT_EQ(keyboardPanel.fingerMarkers[movingFinger].lift, 3);
}

TEST_F(LessonTest, ACapitalLetterHoldsTheOtherHandsShift) {
  useLetters({"", "fRj", "", "", "", ""});
  openBoard(kAmerican, 0, 1);
  const size_t before = lessonStates.size();
  key(kEnter);
  ASSERT_NE(modifierKey, NoKey);
  KeyGeometry g;
  KeyLabels l;
  ASSERT_TRUE(keyboardPanel.layout.keyAt(modifierKey, g, l));
  EXPECT_EQ(g.scanCode, 0x36) << "'r' is a left-hand letter: the right Shift";
  EXPECT_EQ(movingFinger, g.finger);
  runUntil(LessonKeyDown, 5000);
  EXPECT_EQ(keyboardPanel.layout.keyState(modifierKey) & KeyPressed, KeyPressed) << "Shift is held";
  runUntil(FingerHold, 5000);
  EXPECT_EQ(keyboardPanel.layout.keyState(letterKey) & KeyPressed, KeyPressed);
  EXPECT_EQ(keyboardPanel.layout.keyState(modifierKey) & KeyPressed, KeyPressed) << "both down together";
  runUntil(LessonModifierUp, 5000);
  EXPECT_EQ(keyboardPanel.layout.keyState(letterKey) & KeyPressed, 0) << "the letter goes up first";
  EXPECT_EQ(keyboardPanel.layout.keyState(modifierKey) & KeyPressed, KeyPressed);
  runUntil(LessonChoose, 5000);
  EXPECT_EQ(keyboardPanel.layout.keyState(modifierKey), 0);
  std::vector<uint16_t> steps;
  for (uint16_t s : since(before)) {
    if (s < FingerLift) steps.push_back(s);
  }
  EXPECT_EQ(steps, (std::vector<uint16_t>{LessonFindKeys, LessonModifierDown, LessonKeyDown, LessonKeyUp,
                                          LessonModifierUp, LessonStepsDone, LessonChoose}));
  EXPECT_EQ(count(FingerLift), 4u) << "two fingers out and two home";

  // Typing the capital itself selects and shows it.
  settings.lessonLetter = 0;
  type('R');
  EXPECT_EQ(selected(), 1);
  EXPECT_EQ(count(LessonFindKeys), 2u);
}

TEST_F(LessonTest, AnAltGrLetterHoldsAltGr) {
  useLetters({"", "", "", "f@j", "", ""});
  openBoard(kFrench, 1, 0);
  type('@');
  EXPECT_EQ(selected(), 1);
  ASSERT_NE(modifierKey, NoKey);
  KeyGeometry g;
  KeyLabels l;
  ASSERT_TRUE(keyboardPanel.layout.keyAt(modifierKey, g, l));
  EXPECT_EQ(g.scanCode, 0xB8);
  runUntil(LessonKeyDown, 5000);
  runUntil(FingerHold, 5000);
  EXPECT_EQ(keyboardPanel.layout.keyState(modifierKey) & KeyPressed, KeyPressed);
  EXPECT_EQ(keyboardPanel.layout.keyState(letterKey) & KeyPressed, KeyPressed);
  runUntil(LessonChoose, 5000);
  EXPECT_EQ(keyboardPanel.layout.keyState(modifierKey), 0);
  EXPECT_EQ(keyboardPanel.layout.keyState(letterKey), 0);
}

// Every glide erases the marker from where it was and every key goes back
// up: after each demonstration the keyboard is pixel for pixel what it
// was when the board opened.
TEST_F(LessonTest, DemonstrationsLeaveNothingBehindOnTheKeyboard) {
  const struct {
    const char* letters;
    uint8_t layout;
    uint8_t keyboardType;
  } runs[] = {
      {"fR@gj", kFrench, 1},  // home key, Shift, AltGr, a short glide
      {"fA;n q", kAmerican, 0},  // the capital's letter on its home key; the space bar under both thumbs
      {"bpz", kAmerican, 2},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.letters);
    std::vector<std::string> letters(6);
    letters[run.layout] = run.letters;
    useLetters(letters);
    openBoard(run.layout, run.keyboardType);
    const Bytes keyboard = area(0, keyboardTop, 630, 440 - keyboardTop);
    for (uint8_t i = 0; run.letters[i] != 0; ++i) {
      settings.lessonLetter = i;
      key(kEnter);
      ASSERT_NE(lessonState, LessonChoose);
      finishDemonstration();
      const Bytes now = area(0, keyboardTop, 630, 440 - keyboardTop);
      int x0 = 9999, y0 = 9999, x1 = -1, y1 = -1, n = 0;
      for (size_t q = 0; q < now.size(); ++q) {
        if (now[q] == keyboard[q]) continue;
        const int x = static_cast<int>(q % 630), y = static_cast<int>(q / 630) + keyboardTop;
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y), ++n;
      }
      EXPECT_EQ(n, 0) << "after " << run.letters[i] << ": " << n << " pixels in " << x0 << "," << y0 << " - " << x1
                      << "," << y1 << " " << dumpFrame("lesson-after-demonstration", true);
    }
    TearDown();
    SetUp();
  }
}

TEST_F(LessonTest, ALetterNoKeyTypesIsSkipped) {
  useLetters({"", "f\x01j", "", "", "", ""});
  openBoard(kAmerican, 0, 1);
  const size_t before = lessonStates.size();
  key(kEnter);
  EXPECT_EQ(since(before), (std::vector<uint16_t>{LessonFindKeys, LessonStepsDone, LessonChoose}));
  EXPECT_EQ(tickTimer(0)->period, 10000u);
}

// --- Mends ------------------------------------------------------------

TEST_F(LessonTest, ALetterBeyondAShorterSequenceIsClampedToTheLast) {
  openBoard(kAmerican, 0, 200);
  EXPECT_EQ(selected(), kAmericanCount - 1);
  key(kRight);
  EXPECT_EQ(selected(), kAmericanCount - 1);
}

TEST_F(LessonTest, AnEmptySequenceShowsAnEmptyBoardAndStillCloses) {
  useLetters({"fj", "", "", "", "", ""});
  openBoard(kAmerican, 0, 7);
  ASSERT_EQ(letterCount, 0);
  EXPECT_EQ(selected(), 7) << "nothing to clamp to";
  for (uint8_t k : {kRight, kLeft, kUp, kDown, kEnter, kPadDown, kF1}) key(k);
  type('f');
  for (int i : {0, 7, 30}) clickLetter(i);
  click(443, 203);
  EXPECT_EQ(selected(), 7);
  wait(40000);
  EXPECT_EQ(count(LessonFindKeys), 0u) << "no demonstration";
  EXPECT_EQ(count(FingerLift), 0u);
  EXPECT_EQ(lessonState, LessonChoose);
  EXPECT_EQ(colourCount(kLessonGridLeft, kLessonGridTop, 12 * kLessonGridPitchX, 10 * kLessonGridPitchY,
                        kHighlightColour),
            0u)
      << "no letter on the board";
  rightClick(10, 10);
  runUntil(LessonLeave, 2000);
  wait(600);
  EXPECT_EQ(currentState(), MainMenu);
}

TEST_F(LessonTest, TheNoticeLeavesNothingOverTheKeyboard) {
  // A notice of one colour unfolding over two frames, reaching y 318.
  constexpr uint8_t kNoticeColour = 13;
  std::vector<uint8_t> small(size_t{374} * 20, kNoticeColour);
  std::vector<uint8_t> full(size_t{374} * 190, kNoticeColour);
  writeDataFile("DDATA\\TRNSF\\dmwrng.im3",
                imageFileBytes(std::vector<FrameData>{
                    {374, 20, 0, 85, encodeSprite(small.data(), 374, 20, RowOrder::TopDown)},
                    {374, 190, 0, 0, encodeSprite(full.data(), 374, 190, RowOrder::TopDown)}}));
  startWith(kAmerican, 5);
  enterLesson();
  runUntil(LessonNotice, 2000);
  ASSERT_GT(colourCount(118, 216, 374, 100, kNoticeColour), 30000u) << "the notice is up";
  key(kF1);
  runUntil(LessonChoose, 3000);
  EXPECT_EQ(colourCount(118, 216, 374, 103, kNoticeColour), 0u);

  // Between the board and the hands the screen is the lesson's own again:
  // background, keyboard and the resting markers.
  const Bytes shown = area(118, 216, 374, 88);
  drawImage(lessonBackground, 0, 0, 0);
  drawKeyboard();
  for (const auto& home : keyboardPanel.fingerHomes) {
    drawImage(keyboardPanel.fingerPicture, home[0], home[1], 1);
    drawImage(keyboardPanel.fingerPicture, static_cast<uint16_t>(home[0] - 3), static_cast<uint16_t>(home[1] - 3), 0);
  }
  EXPECT_TRUE(shown == area(118, 216, 374, 88)) << "the screen differs from background, keyboard and markers";
  EXPECT_EQ(noticeBackground.frameCount(), 0) << "the saved screen is let go";
}

TEST_F(LessonTest, LeavingWithASuspendedGameBringsItsKeyboardAndPictureBack) {
  startWith(kAmerican, 5, 0);
  enterGame();
  for (int t = 0; t < 10000 && playState != PlayRun; t += 10) wait(10);
  ASSERT_EQ(playState, PlayRun);
  key(kEsc);
  ASSERT_EQ(gameStatus, GameSuspended);
  wait(600);
  ASSERT_EQ(currentState(), MainMenu);
  // Outside the menu panel the frozen game shows.
  const Bytes top = area(0, 0, 630, 70);
  const Bytes bottom = area(0, 370, 630, 70);

  settings.layout = kFrench;
  settings.keyboardType = 1;
  letterCount = static_cast<uint8_t>(levelLetters.length(kFrench));
  enterLesson();
  runUntil(LessonNotice, 2000);
  key(kF1);
  runUntil(LessonChoose, 3000);
  uint8_t c = 0;
  ASSERT_TRUE(charForKey(0x10, 0, c));
  EXPECT_EQ(c, 'a') << "the lesson shows the French keyboard";
  key(kEsc);
  runUntil(LessonLeave, 2000);
  wait(600);
  ASSERT_EQ(currentState(), MainMenu);
  EXPECT_EQ(gameStatus, GameSuspended);
  ASSERT_TRUE(charForKey(0x10, 0, c));
  EXPECT_EQ(c, 'q') << "the game's American keyboard is back";
  EXPECT_EQ(keyboardPanel.keyboardPicture.fileName().value_or(""), "GDATA\\KBDDFS\\kbdt0.im3");
  EXPECT_EQ(area(0, 0, 630, 70), top);
  EXPECT_EQ(area(0, 370, 630, 70), bottom);
}

TEST_F(LessonTest, WithoutAGameTheShadeCoversTheLessonBeforeTheMenu) {
  openBoard();
  Bytes before = area(0, 400, 630, 40);
  key(kEsc);
  runUntil(LessonLeave, 2000);
  Bytes after = area(0, 400, 630, 40);
  EXPECT_NE(before, after) << "the shade darkens the keyboard";
}

// --- The glide's arithmetic -------------------------------------------

TEST(LessonGlide, StepsThreePixelsAlongTheLineAndSnapsWhenClose) {
  const struct {
    uint16_t x, y, tx, ty;
    uint16_t nx, ny;
    bool arrived;
  } cases[] = {
      {10, 10, 20, 10, 13, 10, false},  // straight right
      {19, 10, 20, 10, 20, 10, true},   // one pixel away: onto the target
      {20, 10, 10, 10, 17, 10, false},  // straight left
      {0, 0, 1, 1, 1, 1, true},         // exactly one diagonal pixel
      {0, 0, 2, 0, 3, 0, false},        // two away: a whole step, past it
      {0, 0, 10, 5, 2, 1, false},       // 2.68, 1.34: truncated
      {20, 20, 10, 15, 17, 18, false},  // 17.32, 18.66: the position is truncated, not the step
      {510, 100, 732, 101, 513, 100, false},  // 512.99997 in double precision, 513 in single
  };
  for (const auto& c : cases) {
    uint16_t x = c.x, y = c.y;
    EXPECT_EQ(glideStep(x, y, c.tx, c.ty), c.arrived) << c.x << "," << c.y << " -> " << c.tx << "," << c.ty;
    EXPECT_EQ(x, c.nx) << c.x << "," << c.y << " -> " << c.tx << "," << c.ty;
    EXPECT_EQ(y, c.ny) << c.x << "," << c.y << " -> " << c.tx << "," << c.ty;
  }
}

TEST(LessonGlide, EveryGlideAcrossTheKeyboardArrives) {
  for (int dx = -620; dx <= 620; dx += 7) {
    for (int dy = -250; dy <= 250; dy += 3) {
      uint16_t x = 700, y = 700;
      const auto tx = static_cast<uint16_t>(700 + dx);
      const auto ty = static_cast<uint16_t>(700 + dy);
      int steps = 0;
      while (!glideStep(x, y, tx, ty) && steps < 1000) ++steps;
      ASSERT_LT(steps, 1000) << dx << ", " << dy;
    }
  }
}

}  // namespace
}  // namespace zb::test
