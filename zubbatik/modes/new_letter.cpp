// The new-letter presentation: before a letter joins the game, a panel
// opens over the playfield with a caption and the letter, the finger
// markers show which fingers type it, and the keystroke is demonstrated
// over and over until the child types the letter.
#include <array>

#include "engine/animation.h"
#include "engine/draw.h"
#include "engine/events.h"
#include "modes/game.h"
#include "modes/keyboard.h"
#include "persist/settings.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"

namespace zb {

uint16_t presentedLetterKey = NoKey;
uint16_t presentedModifierKey = NoKey;

namespace {

constexpr uint8_t kLetterPanelSlot = 8;
constexpr uint16_t kLetterPanelX = 129;
constexpr uint16_t kLetterPanelY = 23;
constexpr uint16_t kLetterPanelWidth = 371;
constexpr uint16_t kLetterPanelHeight = 86;
constexpr uint16_t kLetterPanelDelay = 40;
constexpr uint8_t kFoldBack = AnimReverse | AnimSaveBackground | AnimKeepCapturedBackground |
                              AnimRestoreBackground | AnimOnce;
constexpr uint8_t kStepTimer = 1;
constexpr uint8_t kPauseTimer = 0;
constexpr uint32_t kStepPeriod = 500;
constexpr uint32_t kPausePeriod = 10000;
constexpr uint8_t kFingers = 10;

// True while the ten markers stand on the keyboard (a letter that no key
// types is shown without them).
bool markersShown = false;

uint8_t newLetter() { return sequenceLetter(gameLayout, introducedLetters); }

bool hasModifier() { return presentedModifierKey != NoKey; }

// A step of the demonstration: a key goes down or up, and its finger's
// marker is drawn again at the new lift over what it saved.
void stepKey(uint16_t key, bool down) {
  if (down) {
    pressKey(key);
  } else {
    releaseKey(key);
  }
  uint8_t finger = keyboardPanel.layout.keyFinger(key);
  if (finger >= kFingers) return;
  keyboardPanel.fingerMarkers[finger].lift = down ? 2 : 3;
  paintFingerMarker(finger);
}

void placeMarkerOn(uint16_t key) {
  uint8_t finger = keyboardPanel.layout.keyFinger(key);
  if (finger >= kFingers) return;
  FingerMarker& marker = keyboardPanel.fingerMarkers[finger];
  marker.x = static_cast<uint16_t>(keyboardPanel.layout.keyX(key) + 5);
  marker.y = static_cast<uint16_t>(keyboardPanel.layout.keyY(key) + 188);
}

// Returns the sub-state the presentation goes on with.
uint16_t showPanelContents() {
  drawText(newLetterTexts.text(settings.language), menuFont, 202, 60, kTextColour, kGlyphKeyColour);
  const uint8_t letter = newLetter();
  drawGlyphColoured(letter, menuFont, 408, 61, kHighlightColour, kGlyphKeyColour);
  presentedLetterKey = NoKey;
  presentedModifierKey = NoKey;
  if (!keysForChar(letter, presentedLetterKey, presentedModifierKey)) {
    // No key types the letter: the caption and the letter alone, and any
    // key goes on.
    presentedLetterKey = NoKey;
    presentedModifierKey = NoKey;
    markersShown = false;
    return PlayDemoWait;
  }
  resetFingerMarkers();
  if (hasModifier()) placeMarkerOn(presentedModifierKey);
  placeMarkerOn(presentedLetterKey);
  for (uint8_t f = 0; f < kFingers; ++f) captureFingerMarker(f);
  if (hasModifier()) showTargetKey(presentedModifierKey);
  showTargetKey(presentedLetterKey);
  for (uint8_t f = 0; f < kFingers; ++f) paintFingerMarker(f);
  markersShown = true;
  return hasModifier() ? PlayDemoModifierDown : PlayDemoKeyDown;
}

void closePanel() {
  if (hasModifier()) releaseKey(presentedModifierKey);
  releaseKey(presentedLetterKey);
  if (markersShown) {
    for (uint8_t f = 0; f < kFingers; ++f) eraseFingerMarker(f);
    markersShown = false;
  }
  if (hasModifier()) hideTargetKey(presentedModifierKey);
  hideTargetKey(presentedLetterKey);
  ++introducedLetters;
  startAnimation(newLetterPanel, kLetterPanelSlot, kLetterPanelX, kLetterPanelY, kLetterPanelDelay, kFoldBack);
}

bool typesNewLetter(uint32_t keyWord) {
  uint8_t character = 0;
  return charForKey(keyByteOf(keyWord), modifiersOf(keyWord), character) && character == newLetter();
}

bool isIgnoredWhileWaiting(uint8_t s) { return s == kKeyEsc || isModifierKey(s); }

void demoTick(uint32_t id) {
  if (id != kStepTimer) return;
  stopTimer(kStepTimer, true);
  switch (playState) {
    case PlayDemoModifierDown:
      stepKey(presentedModifierKey, true);
      break;
    case PlayDemoKeyDown:
      stepKey(presentedLetterKey, true);
      break;
    case PlayDemoKeyUp:
      stepKey(presentedLetterKey, false);
      break;
    case PlayDemoModifierUp:
      stepKey(presentedModifierKey, false);
      break;
    default:
      break;
  }
}

void demoDone(uint32_t id) {
  if (id != kStepTimer) return;
  switch (playState) {
    case PlayDemoModifierDown:
      enterPlayState(PlayDemoKeyDown);
      break;
    case PlayDemoKeyDown:
      enterPlayState(PlayDemoKeyUp);
      break;
    case PlayDemoKeyUp:
      enterPlayState(hasModifier() ? PlayDemoModifierUp : PlayDemoWait);
      break;
    case PlayDemoModifierUp:
      enterPlayState(PlayDemoWait);
      break;
    default:
      break;
  }
}

void waitEvent(uint16_t code, uint32_t argument) {
  switch (code) {
    case KeyDown:
      if (presentedLetterKey == NoKey) {
        stopTimer(kPauseTimer, false);
        enterPlayState(PlayLetterClose);
      } else if (!isIgnoredWhileWaiting(keyByteOf(argument)) && typesNewLetter(argument)) {
        stopTimer(kPauseTimer, false);
        enterPlayState(PlayLetterClose);
      }
      break;
    case TimerTick:
      if (argument == kPauseTimer) stopTimer(kPauseTimer, true);
      break;
    case TimerDone:
      if (argument != kPauseTimer) break;
      if (presentedLetterKey == NoKey) {
        enterPlayState(PlayDemoWait);
      } else {
        enterPlayState(hasModifier() ? PlayDemoModifierDown : PlayDemoKeyDown);
      }
      break;
    default:
      break;
  }
}

}  // namespace

void enterNewLetterState(uint16_t state) {
  switch (state) {
    case PlayLetterOpen:
      captureSlotBackground(kLetterPanelSlot, kLetterPanelX, kLetterPanelY, kLetterPanelWidth, kLetterPanelHeight);
      startAnimation(newLetterPanel, kLetterPanelSlot, kLetterPanelX, kLetterPanelY, kLetterPanelDelay, AnimOnce);
      break;
    case PlayLetterShow:
      enterPlayState(showPanelContents());
      break;
    case PlayLetterClose:
      closePanel();
      break;
    case PlayDemoModifierDown:
    case PlayDemoKeyDown:
    case PlayDemoModifierUp:
    case PlayDemoKeyUp:
      startTimer(kStepTimer, kStepPeriod);
      break;
    case PlayDemoWait:
      startTimer(kPauseTimer, kPausePeriod);
      break;
    default:
      break;
  }
}

void handleNewLetterEvent(uint16_t code, uint32_t argument) {
  switch (playState) {
    case PlayLetterOpen:
      if (code == AnimationDone && argument == kLetterPanelSlot) enterPlayState(PlayLetterShow);
      break;
    case PlayLetterClose:
      if (code == AnimationDone && argument == kLetterPanelSlot) enterPlayState(PlayRun);
      break;
    case PlayDemoModifierDown:
    case PlayDemoKeyDown:
    case PlayDemoModifierUp:
    case PlayDemoKeyUp:
      if (code == KeyDown && typesNewLetter(argument)) {
        stopTimer(kStepTimer, false);
        enterPlayState(PlayLetterClose);
      } else if (code == TimerTick) {
        demoTick(argument);
      } else if (code == TimerDone) {
        demoDone(argument);
      }
      break;
    case PlayDemoWait:
      waitEvent(code, argument);
      break;
    default:
      break;
  }
}

void resetNewLetter() {
  presentedLetterKey = NoKey;
  presentedModifierKey = NoKey;
  markersShown = false;
}

}  // namespace zb
