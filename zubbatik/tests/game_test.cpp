// The letter chase game and its new-letter presentation, played through
// the window procedure on the headless backend with the real data set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/animation.h"
#include "engine/draw.h"
#include "engine/events.h"
#include "engine/writers.h"
#include "modes/game.h"
#include "modes/game_status.h"
#include "modes/keyboard.h"
#include "persist/records.h"
#include "persist/settings.h"
#include "play_fixture.h"
#include "platform/platform.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb::test {
namespace {

// Russian, American, German, French, British, Swedish.
constexpr uint8_t kRussian = 0;
constexpr uint8_t kAmerican = 1;
constexpr uint8_t kFrench = 3;

class GameTest : public PlayTest {
 protected:
  // Starts a game on a layout at a level and, when letters are presented
  // first, types each one so that play begins.
  void startGame(uint8_t layout, uint8_t level) {
    startWith(layout, level);
    enterGame();
    finishPresentations();
  }

  void finishPresentations() {
    for (int guard = 0; guard < 40 && playState >= PlayLetterOpen; ++guard) {
      wait(600);
      if (playState >= PlayDemoModifierDown) {
        type(static_cast<uint8_t>(levelLetters.text(gameLayout)[introducedLetters]));
        wait(600);
      }
    }
    ASSERT_TRUE(playState == PlayRun || playState == PlayRunOn) << playState;
  }

  void typeNext() { type(track[trackPos]); }

  // Lets the virtual clock run until the game enters the sub-state.
  void waitFor(uint16_t state, int maxMs = 30000) {
    for (int t = 0; t < maxMs && playState != state; t += 10) wait(10);
    ASSERT_EQ(playState, state);
  }

  // Types what is left of the track and lets the last symbol vanish.
  void typeRestOfTrack() {
    while (trackPos < trackLength) typeNext();
    wait(1000);
  }

  uint8_t wrongKeyFor(uint8_t character) const {
    // A letter key of the home row that does not type the character.
    for (uint8_t scan : {0x1E, 0x1F, 0x20, 0x21}) {
      uint8_t c = 0;
      if (!charForKey(scan, 0, c) || c != character) return scan;
    }
    return 0x3B;
  }

  bool keyMarked(uint8_t character) const {
    uint16_t k = NoKey;
    uint16_t m = NoKey;
    return keysForChar(character, k, m) && (keyboardPanel.layout.keyState(k) & KeyTarget) != 0;
  }
};

TEST_F(GameTest, TracksNeverStartOrEndWithASpaceAndNeverRepeatASymbol) {
  startGame(kRussian, 2);
  struct Case {
    uint8_t level;
    uint8_t length;
  };
  for (Case c : {Case{2, 2}, Case{2, 30}, Case{5, 17}, Case{30, 100}}) {
    gameLevel = std::min<uint8_t>(c.level, maxLevel);
    for (uint32_t seconds = 0; seconds < 200; ++seconds) {
      setGameClock(nullptr);
      buildTrack();
      std::string symbols(reinterpret_cast<const char*>(track), trackLength);
      ASSERT_GE(trackLength, 1);
      EXPECT_NE(symbols.front(), ' ') << symbols;
      EXPECT_NE(symbols.back(), ' ') << symbols;
      for (size_t i = 1; i < symbols.size(); ++i) EXPECT_NE(symbols[i], symbols[i - 1]) << symbols;
      std::string letters = std::string(levelLetters.text(gameLayout)).substr(0, gameLevel) + ' ';
      EXPECT_EQ(symbols.find_first_not_of(letters), std::string::npos) << symbols;
    }
  }
}

TEST_F(GameTest, GroundsAndEnemiesRotateAndStartAgainAtZero) {
  startGame(kRussian, 4);
  settings.nextBackground = 3;
  settings.nextEnemySet = 2;
  buildTrack();
  EXPECT_EQ(groundPicture.fileName(), "GDATA\\GRNDS\\gmgrd3.im3");
  EXPECT_EQ(enemyPicture.fileName(), "GDATA\\ENMS\\enm2.im3");
  EXPECT_EQ(settings.nextBackground, 4);
  EXPECT_EQ(settings.nextEnemySet, 3);
  buildTrack();  // neither ground 4 nor enemy 3 exists
  EXPECT_EQ(groundPicture.fileName(), "GDATA\\GRNDS\\gmgrd0.im3");
  EXPECT_EQ(enemyCatchPicture.fileName(), "GDATA\\ENMS\\enmet0.im3");
  EXPECT_EQ(settings.nextBackground, 1);
  EXPECT_EQ(settings.nextEnemySet, 1);
  // A ground whose descriptor is missing starts the rotation again too.
  removeDataFile("GDATA\\GRNDS\\gmgrd2.adi");
  settings.nextBackground = 2;
  buildTrack();
  EXPECT_EQ(groundPicture.fileName(), "GDATA\\GRNDS\\gmgrd0.im3");
  EXPECT_EQ(settings.nextBackground, 1);
}

TEST_F(GameTest, TheSameSecondBuildsTheSameTrack) {
  startGame(kAmerican, 6);
  buildTrack();
  std::string first(reinterpret_cast<const char*>(track), trackLength);
  settings.nextBackground = 0;
  settings.nextEnemySet = 0;
  buildTrack();
  buildTrack();
  std::string again(reinterpret_cast<const char*>(track), trackLength);
  // Grounds of different lengths rotate, so compare the common start.
  size_t n = std::min(first.size(), again.size());
  EXPECT_EQ(first.substr(0, n), again.substr(0, n));
}

TEST_F(GameTest, ALevelTwoGamePresentsTheFirstTwoLettersAndAHigherLevelStartsAtOnce) {
  startWith(kRussian, 2);
  enterGame();
  finishPresentations();
  EXPECT_EQ(std::count(playStates.begin(), playStates.end(), PlayLetterOpen), 2);
  EXPECT_EQ(introducedLetters, 2);
  EXPECT_EQ(gameStatus, GameRunning);
  EXPECT_EQ(platform.cursor, kNoCursor);
}

TEST_F(GameTest, AGameAboveLevelTwoStartsTypingAtOnce) {
  startWith(kRussian, 5);
  enterGame();
  EXPECT_EQ(playState, PlayRun);
  EXPECT_EQ(std::count(playStates.begin(), playStates.end(), PlayLetterOpen), 0);
  EXPECT_TRUE(keyMarked(track[0]));
}

TEST_F(GameTest, CorrectSymbolsScoreAndTheHeroStepsSixteenPixels) {
  startGame(kRussian, 4);
  uint16_t startX = heroX;
  typeNext();
  EXPECT_EQ(trackPos, 1);
  EXPECT_EQ(score, 1u);
  EXPECT_EQ(heroTargetX, startX + 16);
  wait(1000);
  EXPECT_EQ(heroX, startX + 16);
  EXPECT_TRUE(keyMarked(track[1]));
  EXPECT_EQ(damage, 0);
}

TEST_F(GameTest, TypedSymbolsLeaveCleanGroundBehindTheHero) {
  startGame(kRussian, 4);
  for (int i = 0; i < 5; ++i) {
    typeNext();
    wait(i % 2 == 0 ? 1000 : 120);  // every other symbol cuts the vanishing short
  }
  wait(1000);
  const int left = trackX - 16;
  const int top = groundY - 40;
  const int width = heroX - left;
  Bytes behind = area(left, top, width, 40);
  drawImage(groundPicture, 0, 0, 0);
  EXPECT_EQ(behind, area(left, top, width, 40));
}

TEST_F(GameTest, TheLastSymbolEarnsNoPointAndTheTrackFifty) {
  startGame(kRussian, 4);
  uint8_t length = trackLength;
  typeRestOfTrack();
  EXPECT_EQ(score, uint32_t{length} - 1 + 50);
  EXPECT_EQ(std::count(playStates.begin(), playStates.end(), PlayTrackDone), 1);
  EXPECT_EQ(tracks.size(), 2u);
  EXPECT_EQ(trackPos, 0);
}

TEST_F(GameTest, ModifiersAndEscAreNeverWrongKeys) {
  startGame(kRussian, 4);
  for (uint8_t scan : {0x1D, 0x2A, 0x36, 0x38, 0x9D, 0xB8}) key(scan);
  EXPECT_EQ(damage, 0);
  key(kEsc);
  EXPECT_EQ(damage, 0);
  EXPECT_EQ(gameStatus, GameSuspended);
}

TEST_F(GameTest, WrongKeysAndKeysOffTheLayoutAddOneDamageEach) {
  startGame(kRussian, 4);
  key(wrongKeyFor(track[trackPos]));
  key(keyTypingNothing());
  EXPECT_EQ(damage, 2);
  EXPECT_EQ(trackPos, 0);
}

TEST_F(GameTest, DamageOfAHundredFromWrongKeysEndsTheGame) {
  startGame(kRussian, 4);
  damage = 99;
  key(keyTypingNothing());
  EXPECT_EQ(gameStatus, GameOver);
  EXPECT_EQ(currentState(), RecordsOpening);
  EXPECT_EQ(platform.cursor, kArrowCursor);
  EXPECT_FALSE(isAnimationRunning(4));
  EXPECT_FALSE(isAnimationRunning(5));
}

TEST_F(GameTest, TheLevelRisesOnlyAtTheEndOfATrackAfterFiveHitsOfTheNewestLetter) {
  startGame(kRussian, 3);
  struct Case {
    uint16_t hits;
    uint8_t level;
    uint8_t max;
    uint8_t expectedLevel;
    uint16_t expectedHits;
  };
  for (Case c : {Case{4, 3, 30, 3, 4}, Case{5, 3, 30, 4, 0}, Case{9, 3, 30, 4, 0}, Case{5, 3, 3, 3, 0}}) {
    gameLevel = c.level;
    introducedLetters = c.level;
    maxLevel = c.max;
    newestLetterHits = c.hits;
    enterPlayState(PlayTrackDone);
    EXPECT_EQ(gameLevel, c.expectedLevel) << c.hits << " hits";
    EXPECT_EQ(newestLetterHits, c.expectedHits);
    if (playState != PlayRun) {
      // A new letter joined: it is presented first.
      EXPECT_EQ(playState, PlayLetterOpen);
      finishPresentations();
    }
  }
}

TEST_F(GameTest, TypingTheNewestLetterCountsItsHits) {
  startGame(kRussian, 3);
  auto newest = static_cast<uint8_t>(levelLetters.text(gameLayout)[gameLevel - 1]);
  uint16_t expected = 0;
  for (uint8_t i = 0; i + 1 < trackLength; ++i) {
    if (track[i] == newest) ++expected;
    typeNext();
  }
  EXPECT_EQ(newestLetterHits, expected);
  EXPECT_EQ(gameLevel, 3) << "the level waits for the end of the track";
}

TEST_F(GameTest, EveryTrackSpeedsTheEnemyUpByTenDownToTenThenZero) {
  startGame(kRussian, 4);
  EXPECT_EQ(enemyDelay, 150);
  std::vector<uint16_t> delays;
  for (int i = 0; i < 17; ++i) {
    enterPlayState(PlayTrackDone);
    delays.push_back(enemyDelay);
  }
  std::vector<uint16_t> expected = {140, 130, 120, 110, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 0, 0, 0};
  EXPECT_EQ(delays, expected);
}

TEST_F(GameTest, TheEnemyStepsTwoPixelsAtOnceAndCatchesTheHero) {
  startGame(kRussian, 4);
  enterPlayState(PlayTrackDone);
  EXPECT_EQ(enemyX, enemyStartX + 2) << "the first frame steps at once";
  uint16_t before = enemyX;
  wait(150);
  EXPECT_EQ(enemyX, before + 2);
  wait(60000);
  EXPECT_GE(std::count(playStates.begin(), playStates.end(), PlayCaught), 1);
}

TEST_F(GameTest, BeingCaughtAddsThirtyAfterThePauseAndRestartsTheChase) {
  startGame(kRussian, 4);
  typeNext();
  wait(1000);
  uint16_t hero = heroX;
  uint8_t pos = trackPos;
  enemyX = static_cast<uint16_t>(heroX - enemyPicture.width(0) - 1);
  wait(500);
  ASSERT_EQ(playState, PlayEnemyCatch);
  wait(enemyCatchPicture.frameCount() * 100 + 200);
  ASSERT_EQ(playState, PlayCaughtWait);
  EXPECT_EQ(damage, 0);
  wait(1500);
  EXPECT_EQ(damage, 30);
  EXPECT_EQ(playState, PlayRunOn);
  EXPECT_LT(enemyX, enemyStartX + 30) << "the chase starts again";
  EXPECT_EQ(heroX, hero);
  EXPECT_EQ(trackPos, pos);
  typeNext();
  EXPECT_EQ(trackPos, pos + 1) << "typing goes on in sub-state 121";
}

TEST_F(GameTest, CaughtWithSeventyDamageEndsTheGame) {
  startGame(kRussian, 4);
  damage = 70;
  enemyX = static_cast<uint16_t>(heroX - enemyPicture.width(0) - 1);
  wait(6000);
  EXPECT_EQ(damage, 100);
  EXPECT_EQ(gameStatus, GameOver);
  EXPECT_EQ(currentState() == RecordsOpening || currentState() == Records, true);
}

TEST_F(GameTest, AScoreEqualToTheLowestRecordGoesToTheRecordsAndAHigherOneToNameEntry) {
  for (uint32_t extra : {0u, 1u}) {
    SCOPED_TRACE(extra);
    recordTable = RecordTable{};
    for (uint16_t i = 0; i < 10; ++i) {
      std::strcpy(recordTable.rows[i].name, "Ann");
      recordTable.rows[i].score = 100 - i;
    }
    if (extra == 0) {
      startGame(kRussian, 4);
    } else {
      EnterState(MainMenu);
      wait(500);
      enterGame();
    }
    score = LowestScore() + extra;
    damage = 99;
    key(keyTypingNothing());
    EXPECT_EQ(currentState(), extra == 0 ? RecordsOpening : NameEntryOpening);
  }
}

TEST_F(GameTest, SuspendAndResumeKeepPositionsSpeedAndMarks) {
  startGame(kRussian, 4);
  enterPlayState(PlayTrackDone);
  typeNext();
  wait(1000);
  key(kEsc);
  EXPECT_EQ(gameStatus, GameSuspended);
  EXPECT_EQ(platform.cursor, kArrowCursor);
  wait(1000);
  ASSERT_EQ(currentState(), MainMenu);
  uint16_t enemy = enemyX;
  uint16_t hero = heroX;
  uint16_t delay = enemyDelay;
  uint8_t pos = trackPos;
  wait(5000);
  EXPECT_EQ(enemyX, enemy) << "the enemy waits behind the menu";
  key(kEsc);
  wait(1000);
  EXPECT_EQ(currentState(), GameResume);
  EXPECT_EQ(gameStatus, GameRunning);
  EXPECT_EQ(platform.cursor, kNoCursor);
  EXPECT_EQ(heroX, hero);
  EXPECT_EQ(enemyDelay, delay);
  EXPECT_EQ(trackPos, pos);
  EXPECT_GT(enemyX, enemy);
  EXPECT_EQ(animationSlot(4)->delay, delay);
  EXPECT_TRUE(keyMarked(track[trackPos]));
  typeNext();
  EXPECT_EQ(trackPos, pos + 1);
}

TEST_F(GameTest, EscDuringTheVanishingPutsTheHeroOnItsTargetFirst) {
  startGame(kRussian, 4);
  uint16_t start = heroX;
  typeNext();
  ASSERT_TRUE(isAnimationRunning(7));
  key(kEsc);
  EXPECT_EQ(heroX, start + 16);
  EXPECT_FALSE(isAnimationRunning(7));
}

// Cutting the last symbol's vanishing short still completes the track.
TEST_F(GameTest, EscDuringTheLastVanishingCompletesTheTrackOnResume) {
  startGame(kRussian, 4);
  while (trackPos + 1 < trackLength) typeNext();
  wait(1000);
  typeNext();
  ASSERT_TRUE(isAnimationRunning(7));
  key(kEsc);
  wait(1000);
  ASSERT_EQ(currentState(), MainMenu);
  EXPECT_EQ(tracks.size(), 1u);
  key(kEsc);
  wait(1000);
  EXPECT_EQ(tracks.size(), 2u);
  EXPECT_EQ(trackPos, 0);
  EXPECT_TRUE(playState == PlayRun || playState == PlayRunOn || playState >= PlayLetterOpen);
}

TEST_F(GameTest, TheEnemyArrivingDuringTheLastVanishingCompletesTheTrack) {
  startGame(kRussian, 4);
  while (trackPos + 1 < trackLength) typeNext();
  wait(1000);
  uint16_t damageBefore = damage;
  typeNext();
  ASSERT_TRUE(isAnimationRunning(7));
  enemyX = static_cast<uint16_t>(heroX + 16 - enemyPicture.width(0) - 1);
  wait(400);
  EXPECT_EQ(tracks.size(), 2u);
  EXPECT_EQ(std::count(playStates.begin(), playStates.end(), PlayCaught), 0);
  EXPECT_EQ(damage, damageBefore);
}

class GameDescriptorTest : public GameTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

// Descriptor trackX and trackLength against the length the game uses.
TEST_P(GameDescriptorTest, TrackLengthIsClampedToWhatFits) {
  auto [x, length] = GetParam();
  int expected = std::clamp(std::min(length, (630 - x) / 16), 1, 100);
  Bytes adi = {7, 0, 0, 0, static_cast<uint8_t>(x & 0xFF), static_cast<uint8_t>(x >> 8), 150, 0,
               static_cast<uint8_t>(length), 10, 0};
  for (int n = 0; n < 8; ++n) removeDataFile("GDATA\\GRNDS\\gmgrd" + std::to_string(n) + ".adi");
  writeDataFile("GDATA\\GRNDS\\gmgrd0.adi", adi);
  startWith(kRussian, 4);
  enterGame();
  EXPECT_EQ(trackLength, expected);
  EXPECT_LE(trackX + 16 * trackLength, std::max(630, trackX + 16));
  typeRestOfTrack();
  EXPECT_EQ(tracks.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Descriptors, GameDescriptorTest,
                         ::testing::Values(std::pair{200, 0}, std::pair{200, 12}, std::pair{200, 101},
                                           std::pair{200, 255}, std::pair{500, 30}, std::pair{620, 8},
                                           std::pair{700, 8}));

// --- The new-letter presentation ----------------------------------------

TEST_F(GameTest, ThePresentationLoopsWithoutAModifierAndIgnoresEsc) {
  startWith(kRussian, 2);
  enterGame();
  waitFor(PlayDemoWait);
  EXPECT_NE(presentedLetterKey, NoKey);
  EXPECT_EQ(presentedModifierKey, NoKey);
  playStates.clear();
  wait(10000 + 1100);
  std::vector<uint16_t> loop(playStates.begin(), playStates.begin() + std::min<size_t>(3, playStates.size()));
  EXPECT_EQ(loop, (std::vector<uint16_t>{PlayDemoKeyDown, PlayDemoKeyUp, PlayDemoWait}));
  key(kEsc);
  click(300, 300);
  key(wrongKeyFor(static_cast<uint8_t>(levelLetters.text(gameLayout)[0])));
  EXPECT_GE(playState, PlayDemoModifierDown);
  EXPECT_EQ(damage, 0);
  EXPECT_EQ(currentState(), Game);
}

TEST_F(GameTest, ClosingThePresentationLeavesNoMarkersOrMarksBehind) {
  startWith(kRussian, 5);
  enterGame();
  // A clean picture of the playing keyboard before the presentation.
  Bytes keyboardBefore = area(0, 183, 630, 257);
  Bytes fieldBefore = area(129, 23, 371, 86);
  stopAnimation(4, false);
  stopAnimation(5, false);
  releaseAllKeys();
  unmarkLetterKeys(track[trackPos]);
  keyboardBefore = area(0, 183, 630, 257);
  fieldBefore = area(129, 23, 371, 86);
  introducedLetters = 4;
  enterPlayState(PlayLetterOpen);
  wait(2000);
  ASSERT_GE(playState, PlayDemoModifierDown);
  type(static_cast<uint8_t>(levelLetters.text(gameLayout)[4]));
  ASSERT_EQ(playState, PlayLetterClose);
  Bytes keyboardAfter = area(0, 183, 630, 257);
  int l = 630, t = 440, r = -1, b = -1, n = 0;
  for (size_t i = 0; i < keyboardAfter.size(); ++i) {
    if (keyboardAfter[i] != keyboardBefore[i]) {
      int x = static_cast<int>(i % 630), y = static_cast<int>(183 + i / 630);
      l = std::min(l, x); r = std::max(r, x); t = std::min(t, y); b = std::max(b, y); ++n;
    }
  }
  EXPECT_EQ(n, 0) << l << "," << t << " - " << r << "," << b;
  // Stop the game's sprites again as soon as the panel is gone.
  wait(1000);
  EXPECT_EQ(introducedLetters, 5);
  stopAnimation(4, false);
  stopAnimation(5, false);
  EXPECT_EQ(area(129, 23, 371, 86), fieldBefore);
}

// A small sequence with a capital and an AltGr letter on the French layout.
class PresentationFixtureTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    std::vector<std::string> letters(6, "asdf");
    letters[kFrench] = "aA\x88";  // the euro sign is AltGr+E on the French layout
    useLetters(letters);
  }
};

TEST_F(PresentationFixtureTest, ACapitalIsPresentedWithItsShiftAndTypedOnlyWithIt) {
  startWith(kFrench, 2);
  enterGame();
  waitFor(PlayDemoWait);
  type('a');
  waitFor(PlayDemoModifierDown);
  ASSERT_EQ(introducedLetters, 1);
  EXPECT_NE(presentedModifierKey, NoKey);
  EXPECT_NE(keyboardPanel.layout.keyState(presentedModifierKey) & KeyTarget, 0);
  EXPECT_NE(keyboardPanel.layout.keyState(presentedLetterKey) & KeyTarget, 0);
  playStates.clear();
  wait(2000 + 10000 + 100);
  std::vector<uint16_t> loop(playStates.begin(), playStates.begin() + std::min<size_t>(5, playStates.size()));
  EXPECT_EQ(loop, (std::vector<uint16_t>{PlayDemoKeyDown, PlayDemoKeyUp, PlayDemoModifierUp, PlayDemoWait,
                                         PlayDemoModifierDown}));
  waitFor(PlayDemoKeyDown);
  uint8_t keyByte = 0;
  uint8_t modifier = 0;
  ASSERT_TRUE(keyFor('A', keyByte, modifier));
  key(keyByte);
  EXPECT_NE(playState, PlayLetterClose) << "without Shift the letter does not count";
  wait(250);
  keyWith(modifier, keyByte);
  EXPECT_EQ(playState, PlayLetterClose);
  wait(1000);
  EXPECT_EQ(playState, PlayRun);
  // In play, the capital needs its Shift too.
  gameLevel = 2;
  for (int i = 0; i < 100 && track[trackPos] != 'A'; ++i) {
    if (trackPos >= trackLength - 1) enterPlayState(PlayTrackDone);
    typeNext();
  }
  ASSERT_EQ(track[trackPos], 'A');
  uint16_t before = damage;
  key(keyByte);
  EXPECT_EQ(damage, before + 1);
  keyWith(modifier, keyByte);
  EXPECT_EQ(damage, before + 1);
}

TEST_F(PresentationFixtureTest, AnAltGrLetterIsPresentedWithAltGr) {
  startWith(kFrench, 3);
  enterGame();
  introducedLetters = 2;
  enterPlayState(PlayLetterOpen);
  wait(600);
  ASSERT_EQ(playState, PlayDemoModifierDown);
  KeyGeometry g;
  KeyLabels l;
  ASSERT_TRUE(keyboardPanel.layout.keyAt(presentedModifierKey, g, l));
  EXPECT_EQ(g.scanCode, kAltGr);
  type(0x88);
  EXPECT_EQ(playState, PlayLetterClose);
}

TEST_F(GameTest, ALetterNoKeyTypesIsShownWithoutMarkersAndAnyKeyGoesOn) {
  std::vector<std::string> letters(6, "\xF0\xF1\xF2");
  letters[kAmerican] = std::string("as\x01", 3);  // no key types the third
  useLetters(letters);
  startWith(kAmerican, 3);
  enterGame();
  introducedLetters = 2;
  Bytes keyboardBefore = area(0, 183, 630, 257);
  enterPlayState(PlayLetterOpen);
  wait(600);
  EXPECT_EQ(playState, PlayDemoWait);
  EXPECT_EQ(presentedLetterKey, NoKey);
  wait(25000);
  EXPECT_EQ(playState, PlayDemoWait) << "it waits for a key";
  key(0x1E);
  EXPECT_EQ(playState, PlayLetterClose);
  wait(1000);
  EXPECT_EQ(playState, PlayRun);
  EXPECT_EQ(introducedLetters, 3);
}

}  // namespace
}  // namespace zb::test
