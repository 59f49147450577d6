#include "modes/game.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/animation.h"
#include "engine/descriptor.h"
#include "engine/draw.h"
#include "engine/events.h"
#include "modes/game_status.h"
#include "modes/keyboard.h"
#include "persist/records.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb {

uint16_t playState = 0;
uint8_t gameKeyboardType = 0;
uint8_t gameLayout = 0;
uint8_t gameLevel = 0;
uint8_t introducedLetters = 0;
uint8_t maxLevel = 0;
uint16_t damage = 0;
uint16_t enemyDelay = 0;
uint16_t newestLetterHits = 0;
uint8_t track[kMaxTrackLength] = {};
uint8_t trackLength = 0;
uint8_t trackPos = 0;
uint16_t trackX = 0;
uint16_t groundY = 0;
uint16_t enemyStartX = 0;
uint16_t enemyX = 0;
uint16_t heroX = 0;
uint16_t heroTargetX = 0;

TextList newLetterTexts;
Image newLetterPanel;
Image damageBarPicture;
Image fieldFont;
Image letterOffPicture;
Image heroPicture;
Image groundPicture;
Image enemyPicture;
Image enemyCatchPicture;

namespace {

// Animation slots and the tick timer of the game.
constexpr uint8_t kEnemySlot = 4;
constexpr uint8_t kHeroSlot = 5;
constexpr uint8_t kCatchSlot = 6;
constexpr uint8_t kLetterOffSlot = 7;
constexpr uint8_t kCaughtTimer = 2;

// Looping sprite that moves; once with save and restore; the same, leaving
// its last frame on screen.
constexpr uint8_t kMovingSprite = AnimSaveBackground | AnimRestoreBackground | AnimShowEndFrame;
constexpr uint8_t kOnceOverBackground = AnimSaveBackground | AnimRestoreBackground | AnimOnce;
constexpr uint8_t kOnceLeavingEndFrame = kOnceOverBackground | AnimShowEndFrame;

constexpr uint16_t kHeroDelay = 50;
constexpr uint16_t kLetterOffDelay = 50;
constexpr uint16_t kCatchDelay = 100;
constexpr uint32_t kCaughtPause = 1500;
constexpr uint16_t kStartDelay = 150;
constexpr uint16_t kSymbolPitch = 16;

CursorId savedCursor = kArrowCursor;

// Set when snapHero cut short the vanishing of the last symbol: the track
// is typed, and completing it must not depend on an AnimationDone that will
// never come.
bool completionPending = false;

void (*playObserver)(uint16_t) = nullptr;
void (*trackObserver)(const uint8_t*, uint8_t) = nullptr;
uint32_t timeSeconds() { return static_cast<uint32_t>(std::time(nullptr)); }
uint32_t (*gameClock)() = timeSeconds;

uint16_t glyphWidth() { return fieldFont.width(0); }
uint16_t glyphHeight() { return fieldFont.height(0); }
uint16_t heroTop() { return static_cast<uint16_t>(groundY - heroPicture.height(0)); }
uint16_t enemyTop() { return static_cast<uint16_t>(groundY - enemyPicture.height(0)); }

// Paints the ground back over a rectangle of the playfield.
void repaintGround(uint16_t x, uint16_t y, uint16_t width, uint16_t height) {
  drawImagePart(groundPicture, 0, 0, x, y, static_cast<uint16_t>(x + width), static_cast<uint16_t>(y + height),
                0);
}

// The vanishing symbol and the hero walking onto its place overlap, and
// each puts back what it saved under itself: pieces of the other stay
// behind on the ground. Once a symbol is gone the ground behind the hero
// (back to the enemy, or to the start of the track) is painted afresh, and
// the hero is drawn again over clean ground.
void tidyBehindHero() {
  const uint16_t heroWidth = heroPicture.width(0);
  const uint16_t height = std::max({heroPicture.height(0), glyphHeight(), letterOffPicture.height(0)});
  const int enemyRight = enemyX + enemyPicture.width(0);
  const int left = std::max<int>(std::max<int>(trackX - kSymbolPitch, enemyRight), 0);
  const int right = heroX + heroWidth;
  if (right <= left || height == 0) return;
  const auto top = static_cast<uint16_t>(std::max(groundY - height, 0));
  repaintGround(static_cast<uint16_t>(left), top, static_cast<uint16_t>(right - left),
                static_cast<uint16_t>(groundY - top));
  if (isAnimationRunning(kHeroSlot)) {
    captureSlotBackground(kHeroSlot, heroX, heroTop(), heroWidth, heroPicture.height(0));
    redrawAnimation(kHeroSlot);
  }
}

void startSprites() {
  startAnimation(heroPicture, kHeroSlot, heroX, heroTop(), kHeroDelay, kMovingSprite);
  startAnimation(enemyPicture, kEnemySlot, enemyX, enemyTop(), enemyDelay, kMovingSprite);
}

// Draws a number centred on x in the keyboard picture's box, after
// repainting the box from the picture.
void drawNumberBox(uint32_t value, uint16_t left, uint16_t right, uint16_t centre) {
  drawImagePart(keyboardPanel.keyboardPicture, 0, keyboardTop, left, 17, right, 32, 0);
  char text[12];
  int length = std::snprintf(text, sizeof text, "%u", value);
  int x = centre - length * menuFont.width(0) / 2;
  drawText(text, menuFont, static_cast<uint16_t>(std::max(x, 0)), 200, kHighlightColour, kGlyphKeyColour);
}

void loadFirstGamePictures() {
  newLetterTexts.load("GDATA\\MSGS\\nwsmbl.lim");
  newLetterPanel.load("GDATA\\TRNSF\\nwltr.im3");
  keyboardPanel.fingerPicture.load("DDATA\\dmfng.im3");
  damageBarPicture.load("GDATA\\mtxim.im3");
  fieldFont.load("GDATA\\fldfnt.im3");
  letterOffPicture.load("GDATA\\ltroff.im3");
  heroPicture.load("GDATA\\fr.im3");
}

void startNewGame() {
  gameStatus = GameRunning;
  gameKeyboardType = settings.keyboardType;
  gameLayout = settings.layout;
  gameLevel = settings.level;
  introducedLetters = gameLevel == 2 ? 0 : gameLevel;
  maxLevel = letterCount;
  score = 0;
  damage = 0;
  enemyDelay = kStartDelay;
  newestLetterHits = 0;
  completionPending = false;
  loadKeyboard(gameKeyboardType, gameLayout, "GDATA\\KBDDFS\\kbdt.im3");
  loadFingerHomes(gameKeyboardType);
  drawKeyboard();
  buildTrack();
  savedCursor = platform().setCursor(kNoCursor);
}

void completeTrack() {
  stopAnimation(kHeroSlot, false);
  stopAnimation(kEnemySlot, false);
  score += 50;
  if (newestLetterHits >= 5) {
    if (gameLevel < maxLevel) ++gameLevel;
    newestLetterHits = 0;
  }
  if (enemyDelay >= 10) enemyDelay -= 10;
  buildTrack();
}

void showTrack() {
  releaseAllKeys();
  drawTrack();
  drawLevel();
  drawScore();
  drawDamage();
}

void startRun() {
  markLetterKeys(track[trackPos]);
  startSprites();
}

void beCaught() {
  releaseAllKeys();
  repaintGround(enemyX, enemyTop(), enemyPicture.width(0), enemyPicture.height(0));
  stopAnimation(kHeroSlot, false);
  repaintGround(heroX, heroTop(), heroPicture.width(0), heroPicture.height(0));
}

void startCatch() {
  startAnimation(enemyCatchPicture, kCatchSlot, enemyX,
                 static_cast<uint16_t>(groundY - enemyCatchPicture.height(0)), kCatchDelay, kOnceLeavingEndFrame);
}

// Returns true when the game went on to another sub-state.
bool endCatch() {
  damage = static_cast<uint16_t>(damage + 30);
  drawDamage();
  if (damage >= 100) {
    enterPlayState(PlayOver);
    return true;
  }
  repaintGround(enemyX, static_cast<uint16_t>(groundY - enemyCatchPicture.height(0)), enemyCatchPicture.width(0),
                enemyCatchPicture.height(0));
  enemyX = enemyStartX;
  startSprites();
  return false;
}

void gameOver() {
  gameStatus = GameOver;
  drawImage(shadeMask, 0, 0, 0);
  platform().setCursor(savedCursor);
  EnterState(score > LowestScore() ? NameEntryOpening : RecordsOpening);
}

void suspend() {
  gameStatus = GameSuspended;
  releaseAllKeys();
  pauseAnimation(kHeroSlot);
  pauseAnimation(kEnemySlot);
  platform().setCursor(savedCursor);
  EnterState(MainMenuOpening);
}

void typeKey(uint32_t keyWord) {
  const uint8_t s = keyByteOf(keyWord);
  pressKey(keyboardPanel.layout.findKeyByScan(s));
  if (s == kKeyEsc) {
    snapHero();
    enterPlayState(PlaySuspend);
    return;
  }
  if (isModifierKey(s)) return;  // never a wrong key
  if (trackPos >= trackLength) return;
  uint8_t character = 0;
  if (charForKey(s, modifiersOf(keyWord), character) && character == track[trackPos]) {
    if (gameLevel >= 1 && character == sequenceLetter(gameLayout, gameLevel - 1u)) ++newestLetterHits;
    unmarkLetterKeys(track[trackPos]);
    snapHero();
    const auto x = static_cast<uint16_t>(trackX + kSymbolPitch * trackPos);
    const auto top = static_cast<uint16_t>(groundY - glyphHeight());
    repaintGround(x, top, glyphWidth(), glyphHeight());
    heroTargetX = static_cast<uint16_t>(heroX + kSymbolPitch);
    startAnimation(letterOffPicture, kLetterOffSlot, x, top, kLetterOffDelay, kOnceOverBackground);
    ++trackPos;
    if (trackPos < trackLength) {
      markLetterKeys(track[trackPos]);
      ++score;
      drawScore();
    }
    return;
  }
  damage = static_cast<uint16_t>(damage + 1);
  drawDamage();
  if (damage >= 100) enterPlayState(PlayLost);
}

void heroStep() {
  if (heroX == heroTargetX) return;
  const uint16_t frames = letterOffPicture.frameCount();
  heroX = static_cast<uint16_t>(heroX + (frames == 0 ? kSymbolPitch : kSymbolPitch / frames));
  if (heroX > heroTargetX) heroX = heroTargetX;
  moveAnimation(kHeroSlot, heroX, heroTop(), true);
}

void enemyStep() {
  if (advanceEnemy()) return;
  snapHero();
  if (completionPending) {
    // The hero had just typed the last symbol: the track is done and the
    // enemy arrives too late.
    completionPending = false;
    enterPlayState(PlayTrackDone);
    return;
  }
  stopAnimation(kEnemySlot, true);
}

void handleRunEvent(uint16_t code, uint32_t argument) {
  switch (code) {
    case KeyDown:
      typeKey(argument);
      break;
    case KeyUp:
      releaseKey(keyboardPanel.layout.findKeyByScan(keyByteOf(argument)));
      break;
    case AnimationFrame:
      if (argument == kEnemySlot) enemyStep();
      if (argument == kLetterOffSlot) heroStep();
      break;
    case AnimationDone:
      if (argument == kEnemySlot) enterPlayState(PlayCaught);
      if (argument != kLetterOffSlot) break;
      if (trackPos >= trackLength) {
        completionPending = false;
        enterPlayState(PlayTrackDone);
      } else {
        tidyBehindHero();
      }
      break;
    default:
      break;
  }
}

}  // namespace

void enterPlayState(uint16_t state) {
  playState = state;
  if (playObserver != nullptr) playObserver(state);
  switch (state) {
    case PlayLoad:
      loadFirstGamePictures();
      enterPlayState(PlayNewGame);
      break;
    case PlayNewGame:
      startNewGame();
      enterPlayState(PlayTrackShow);
      break;
    case PlayLost:
      releaseAllKeys();
      // A symbol still vanishing must not report its end to the screens
      // that follow the game.
      stopAnimation(kLetterOffSlot, false);
      stopAnimation(kHeroSlot, false);
      stopAnimation(kEnemySlot, false);
      enterPlayState(PlayOver);
      break;
    case PlayOver:
      gameOver();
      break;
    case PlaySuspend:
      suspend();
      break;
    case PlayResume:
      gameStatus = GameRunning;
      resumeAnimation(kHeroSlot);
      resumeAnimation(kEnemySlot);
      savedCursor = platform().setCursor(kNoCursor);
      if (completionPending) {
        completionPending = false;
        enterPlayState(PlayTrackDone);
      } else {
        enterPlayState(PlayRun);
      }
      break;
    case PlayTrackDone:
      completeTrack();
      enterPlayState(PlayTrackShow);
      break;
    case PlayTrackShow:
      showTrack();
      enterPlayState(PlayRun);
      break;
    case PlayRun:
      if (introducedLetters < gameLevel) {
        enterPlayState(PlayLetterOpen);
      } else {
        startRun();
      }
      break;
    case PlayCaught:
      beCaught();
      enterPlayState(PlayEnemyCatch);
      break;
    case PlayEnemyCatch:
      startCatch();
      break;
    case PlayCaughtWait:
      startTimer(kCaughtTimer, kCaughtPause);
      break;
    case PlayCaughtEnd:
      if (!endCatch()) enterPlayState(PlayRunOn);
      break;
    default:
      enterNewLetterState(state);
      break;
  }
}

void handlePlayEvent(uint16_t code, uint32_t argument) {
  switch (playState) {
    case PlayRun:
    case PlayRunOn:
      handleRunEvent(code, argument);
      break;
    case PlayEnemyCatch:
      if (code == AnimationDone && argument == kCatchSlot) enterPlayState(PlayCaughtWait);
      break;
    case PlayCaughtWait:
      if (code == TimerTick && argument == kCaughtTimer) stopTimer(kCaughtTimer, true);
      if (code == TimerDone && argument == kCaughtTimer) enterPlayState(PlayCaughtEnd);
      break;
    default:
      handleNewLetterEvent(code, argument);
      break;
  }
}

namespace {

// Loads member `next` of a numbered family that comes in pairs of files and
// moves `next` on; when either file is missing, the rotation starts again
// at member 0.
template <typename LoadFirst, typename LoadSecond>
void loadRotating(uint16_t& next, LoadFirst loadFirst, LoadSecond loadSecond) {
  const uint16_t n = next;
  if (loadFirst(n) && loadSecond(n)) {
    next = static_cast<uint16_t>(n + 1);
    return;
  }
  next = 0;
  loadFirst(0);
  next = 1;
  loadSecond(0);
}

}  // namespace

void buildTrack() {
  // The ground, rotating through its numbered family and back to 0.
  Descriptor descriptor;
  loadRotating(
      settings.nextBackground, [](uint16_t n) { return groundPicture.loadNumbered("GDATA\\GRNDS\\gmgrd.im3", n); },
      [&descriptor](uint16_t n) {
        descriptor = Descriptor{};
        return descriptor.loadNumbered("GDATA\\GRNDS\\gmgrd.adi", n);
      });
  // Little-endian fields, front to back; a field the file lacks keeps its value.
  auto readU16 = [&descriptor](uint16_t& field) {
    uint8_t b[2];
    if (descriptor.read(b, 2)) field = static_cast<uint16_t>(b[0] | b[1] << 8);
  };
  uint8_t length = trackLength;
  readU16(trackX);
  readU16(groundY);
  descriptor.read(&length, 1);
  readU16(enemyStartX);
  // A track has 1 to 100 symbols and never runs off the right edge.
  int fits = (platform().clientWidth() - trackX) / kSymbolPitch;
  trackLength = static_cast<uint8_t>(std::clamp<int>(std::min<int>(length, fits), 1, kMaxTrackLength));

  // The enemy and its catching picture, rotating likewise.
  loadRotating(
      settings.nextEnemySet, [](uint16_t m) { return enemyPicture.loadNumbered("GDATA\\ENMS\\enm.im3", m); },
      [](uint16_t m) { return enemyCatchPicture.loadNumbered("GDATA\\ENMS\\enmet.im3", m); });

  // The symbols: letters in play and spaces, never the same twice in a
  // row, never a space first or last.
  std::srand(gameClock != nullptr ? gameClock() : timeSeconds());
  int prev = gameLevel;
  for (int i = 0; i < trackLength; ++i) {
    int k = gameLevel + (i != trackLength - 1 ? 1 : 0);
    int c = 0;
    do {
      int r = std::rand() & 255;
      c = r % k;
    } while (c == prev);
    prev = c;
    track[i] = c < gameLevel ? sequenceLetter(gameLayout, static_cast<uint32_t>(c)) : ' ';
  }
  trackPos = 0;
  heroX = static_cast<uint16_t>(trackX - heroPicture.width(0) - 1);
  enemyX = enemyStartX;
  if (trackObserver != nullptr) trackObserver(track, trackLength);
}

void drawTrack() {
  drawImage(groundPicture, 0, 0, 0);
  const auto top = static_cast<uint16_t>(groundY - glyphHeight());
  for (int i = trackPos; i < trackLength; ++i) {
    drawImage(fieldFont, static_cast<uint16_t>(trackX + kSymbolPitch * i), top, static_cast<uint16_t>(track[i] - 32));
  }
}

bool advanceEnemy() {
  if (enemyX + enemyPicture.width(0) >= heroX) return false;
  enemyX = static_cast<uint16_t>(enemyX + 2);
  moveAnimation(kEnemySlot, enemyX, enemyTop(), false);
  return true;
}

void snapHero() {
  if (!isAnimationRunning(kLetterOffSlot)) return;
  stopAnimation(kLetterOffSlot, false);
  heroX = heroTargetX;
  if (trackPos >= trackLength) completionPending = true;
  moveAnimation(kHeroSlot, heroX, heroTop(), true);
  tidyBehindHero();
}

namespace {

// Marks or unmarks the key that types the character, then its modifier.
void changeLetterKeys(uint8_t character, bool (*change)(uint16_t)) {
  uint16_t key = NoKey;
  uint16_t modifier = NoKey;
  if (!keysForChar(character, key, modifier)) return;
  change(key);
  change(modifier);
}

}  // namespace

void markLetterKeys(uint8_t character) { changeLetterKeys(character, showTargetKey); }

void unmarkLetterKeys(uint8_t character) { changeLetterKeys(character, hideTargetKey); }

void drawLevel() { drawNumberBox(gameLevel, 140, 192, 166); }

void drawScore() { drawNumberBox(score, 239, 329, 284); }

void drawDamage() {
  const uint32_t w = damageBarPicture.width(0);
  const uint32_t h = damageBarPicture.height(0);
  const uint32_t shown = std::min<uint32_t>(w * damage / 100, w);
  drawImagePart(damageBarPicture, 368, 206, 0, 0, static_cast<uint16_t>(shown), static_cast<uint16_t>(h), 0);
}

void reloadGameKeyboard() { loadKeyboard(gameKeyboardType, gameLayout, "GDATA\\KBDDFS\\kbdt.im3"); }

void redrawGame() {
  drawKeyboard();
  drawTrack();
  redrawAnimation(kHeroSlot);
  redrawAnimation(kEnemySlot);
  drawLevel();
  drawScore();
  drawDamage();
  markLetterKeys(track[trackPos]);
}

void setPlayStateObserver(void (*observer)(uint16_t)) { playObserver = observer; }
void setTrackObserver(void (*observer)(const uint8_t*, uint8_t)) { trackObserver = observer; }
void setGameClock(uint32_t (*seconds)()) { gameClock = seconds != nullptr ? seconds : timeSeconds; }

void resetGame() {
  playState = 0;
  gameStatus = GameNone;
  gameKeyboardType = gameLayout = gameLevel = introducedLetters = maxLevel = 0;
  score = 0;
  damage = enemyDelay = newestLetterHits = 0;
  std::fill(std::begin(track), std::end(track), uint8_t{0});
  trackLength = trackPos = 0;
  trackX = groundY = enemyStartX = enemyX = heroX = heroTargetX = 0;
  savedCursor = kArrowCursor;
  completionPending = false;
  for (Image* image : {&newLetterPanel, &damageBarPicture, &fieldFont, &letterOffPicture, &heroPicture,
                       &groundPicture, &enemyPicture, &enemyCatchPicture}) {
    *image = Image{};
  }
  newLetterTexts = TextList{};
  resetNewLetter();
}

}  // namespace zb
