// The guided keyboard lesson.
//
// The screen shows the lesson background, the keyboard of the chosen type
// and layout with two hands laid on it, and above it a notice. Once the
// child has dismissed the notice the hands lift away, leaving the ten
// finger markers on their home keys, and a board with the layout's letter
// sequence opens. For the selected letter the markers demonstrate the
// keystroke: the modifier's finger glides to Shift or AltGr and holds it,
// the letter's finger glides to its key and presses it, then both let go
// and glide home. Left alone, the lesson moves on by one letter every two
// seconds; the child picks letters with the arrows, the mouse, Enter or by
// typing them. Esc or a right click on the board closes it.
//
// Tick timer 0 is the pause between demonstrations, tick timer 1 steps
// the gliding finger. Everything runs on the event loop's one thread: a
// stop with notification from a tick comes back as TimerDone after the
// tick, from anywhere else at once, nested.
#include "modes/lesson.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/animation.h"
#include "engine/draw.h"
#include "engine/events.h"
#include "engine/framebuffer.h"
#include "modes/game.h"
#include "modes/game_status.h"
#include "modes/keyboard.h"
#include "persist/settings.h"
#include "screens/menu_screens.h"
#include "screens/menus.h"
#include "screens/state_machine.h"

namespace zb {

uint16_t lessonState = 0;
uint8_t lessonPicturesLoaded = 0;
uint8_t userActive = 0;
uint16_t lessonStep = 0;
uint16_t lessonNextStep = 0;
uint8_t moveMode = 0;
uint8_t movingFinger = 0;
uint16_t fingerTargetX = 0;
uint16_t fingerTargetY = 0;
uint16_t letterKey = NoKey;
uint16_t modifierKey = NoKey;
Image lessonBackground;
Image handsPicture;
TextList lessonNoticeTexts;
Image noticeBackground;

namespace {

void (*lessonObserver)(uint16_t) = nullptr;

// Where noticeBackground was taken.
uint16_t noticeBackgroundX = 0;
uint16_t noticeBackgroundY = 0;

constexpr uint16_t kHandsX[3] = {36, 29, 33};
constexpr uint8_t kSlotPanel = 0;
constexpr uint8_t kSlotHands = 3;
constexpr uint8_t kPauseTimer = 0;
constexpr uint8_t kFingerTimer = 1;
constexpr uint8_t kNoticeFlags = AnimOnce;
constexpr uint8_t kHandsFlags = AnimSaveBackground | AnimKeepCapturedBackground | AnimRestoreBackground | AnimOnce;
constexpr uint8_t kCloseFlags = AnimReverse | AnimSaveBackground | AnimKeepCapturedBackground |
                                AnimRestoreBackground | AnimOnce | AnimShowEndFrame;
constexpr uint8_t kRestingLift = 3;
constexpr uint8_t kPressingLift = 2;
constexpr uint8_t kCarriedLift = 10;

constexpr const char* kNoticeTextFiles[4] = {
    "DDATA\\MSGS\\wrngrus.lim",
    "DDATA\\MSGS\\wrngeng.lim",
    "DDATA\\MSGS\\wrnggrm.lim",
    "DDATA\\MSGS\\wrngfr.lim",
};

uint8_t selectedLetter() { return settings.lessonLetter; }

// Letter i of the current layout's sequence; 0 past its end.
uint8_t letterAt(uint32_t i) { return i < letterCount ? sequenceLetter(settings.layout, i) : 0; }

void drawLetter(uint32_t i) {
  if (i >= letterCount) return;
  const uint8_t colour = i == selectedLetter() ? kHighlightColour : kTextColour;
  drawGlyphColoured(letterAt(i), menuFont, letterCellX(i), letterCellY(i), colour, kGlyphKeyColour);
}

// Moves the selection to letter b (a letter of the sequence).
void selectLetter(uint32_t b) {
  if (b >= letterCount) return;
  const uint8_t a = selectedLetter();
  settings.lessonLetter = static_cast<uint8_t>(b);
  drawLetter(a);
  drawLetter(b);
}

void restartPause() {
  stopTimer(kPauseTimer, false);
  userActive = 1;
  startTimer(kPauseTimer, kLessonUserPause);
}

void demonstrateNow() {
  stopTimer(kPauseTimer, false);
  userActive = 1;
  enterLessonState(LessonFindKeys);
}

FingerMarker& marker() { return keyboardPanel.fingerMarkers[movingFinger % 10]; }

// The finger that presses key k, and where a marker on k sits.
void aimAtKey(uint16_t k) {
  const KeyboardLayout& layout = keyboardPanel.layout;
  movingFinger = static_cast<uint8_t>(layout.keyFinger(k) % 10);
  fingerTargetX = static_cast<uint16_t>(layout.keyX(k) + 5);
  fingerTargetY = static_cast<uint16_t>(layout.keyY(k) + keyboardTop + 5);
}

void aimHome(uint16_t k) {
  movingFinger = static_cast<uint8_t>(keyboardPanel.layout.keyFinger(k) % 10);
  fingerTargetX = keyboardPanel.fingerHomes[movingFinger][0];
  fingerTargetY = keyboardPanel.fingerHomes[movingFinger][1];
}

// The key of the step under way: the modifier's while it goes down or up.
uint16_t stepKey(uint16_t modifierStep) { return lessonStep == modifierStep ? modifierKey : letterKey; }

// Redrawing a key (its marks, pressed or not) paints the whole cap over
// any marker resting on it. Both thumbs rest on the space bar, so a mark
// changed for one thumb would wipe the other thumb's marker for the rest
// of the lesson: every other finger's marker is painted again, inside
// the cap only (outside it the marker is still there, and its shadow
// must not darken twice).
// Paints marker f (shadow and marker, shade pixels and all) and keeps
// only what falls inside the rectangle left, top, right, bottom: the
// sprite window would write shade pixels as a colour instead of shading.
void paintMarkerInside(uint8_t f, int left, int top, int right, int bottom) {
  const KeyboardPanel& panel = keyboardPanel;
  const FingerMarker& m = panel.fingerMarkers[f];
  const int x = m.x - m.lift;
  const int y = m.y - m.lift;
  const int w = panel.fingerPicture.width(0) + m.lift;
  const int h = panel.fingerPicture.height(0) + m.lift;
  if (w <= 0 || h <= 0 || x >= right || y >= bottom || x + w <= left || y + h <= top) return;
  std::vector<uint8_t> before(static_cast<size_t>(w) * h);
  std::vector<uint8_t> after(before.size());
  const auto ux = static_cast<uint16_t>(x);
  const auto uy = static_cast<uint16_t>(y);
  const auto uw = static_cast<uint16_t>(w);
  const auto uh = static_cast<uint16_t>(h);
  if (!grabRaw(before.data(), ux, uy, uw, uh)) return;
  drawImage(panel.fingerPicture, m.x, m.y, 1);
  drawImage(panel.fingerPicture, ux, uy, 0);
  grabRaw(after.data(), ux, uy, uw, uh);
  // Rows run bottom up.
  for (int r = 0; r < h; ++r) {
    const int py = y + h - 1 - r;
    for (int c = 0; c < w; ++c) {
      const int px = x + c;
      if (px < left || px >= right || py < top || py >= bottom) {
        after[static_cast<size_t>(r) * w + c] = before[static_cast<size_t>(r) * w + c];
      }
    }
  }
  blitRaw(ux, uy, after.data(), uw, uh);
}

void repaintMarkersOn(uint16_t k) {
  const KeyboardPanel& panel = keyboardPanel;
  KeyGeometry g;
  KeyLabels l;
  if (k == NoKey || !panel.layout.keyAt(k, g, l)) return;
  const uint16_t p = (panel.layout.keyState(k) & KeyPressed) ? 1 : 0;
  const Image& cap = panel.keyCapPictures[g.capShape % panel.keyCapPictures.size()];
  const int left = g.x;
  const int top = keyboardTop + g.y;
  const int right = left + cap.width(p);
  const int bottom = top + cap.height(p);
  for (uint8_t f = 0; f < panel.fingerMarkers.size(); ++f) {
    if (f == movingFinger) continue;
    paintMarkerInside(f, left, top, right, bottom);
  }
}

// After showTargetKey or hideTargetKey: the key and its finger's home key.
void repaintMarkersAround(uint16_t k) {
  if (k == NoKey) return;
  repaintMarkersOn(k);
  const uint16_t home = findHomeKey(keyboardPanel.layout.keyFinger(k));
  if (home != k) repaintMarkersOn(home);
}

// The rectangle the notice panel covers at (118, 128), all frames together.
void captureNoticeBackground() {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool any = false;
  for (uint16_t f = 0; f < transitionPicture.frameCount(); ++f) {
    const int w = transitionPicture.width(f);
    const int h = transitionPicture.height(f);
    if (w == 0 || h == 0) continue;
    const int x = static_cast<uint16_t>(kLessonPanelX + transitionPicture.offsetX(f));
    const int y = static_cast<uint16_t>(kLessonNoticeY + transitionPicture.offsetY(f));
    if (!any) {
      left = x, top = y, right = x + w, bottom = y + h;
      any = true;
    } else {
      left = std::min(left, x), top = std::min(top, y);
      right = std::max(right, x + w), bottom = std::max(bottom, y + h);
    }
  }
  noticeBackground.release();
  const int screenWidth = frameBuffer.width, screenHeight = frameBuffer.height;
  if (!any || left >= screenWidth || top >= screenHeight) return;
  right = std::min(right, screenWidth);
  bottom = std::min(bottom, screenHeight);
  noticeBackgroundX = static_cast<uint16_t>(left);
  noticeBackgroundY = static_cast<uint16_t>(top);
  if (!captureImage(noticeBackground, noticeBackgroundX, noticeBackgroundY, static_cast<uint16_t>(right - left),
                    static_cast<uint16_t>(bottom - top))) {
    noticeBackground.release();
  }
}

void restoreNoticeBackground() {
  putBackImage(noticeBackground, noticeBackgroundX, noticeBackgroundY);
  noticeBackground.release();
}

// Entry actions.

void enterLoad() {
  lessonBackground.load("DDATA\\dmgrd.im3");
  handsPicture.load("DDATA\\imhnd.im3");
  keyboardPanel.fingerPicture.load("DDATA\\dmfng.im3");
  lessonPicturesLoaded = 1;
  enterLessonState(LessonStart);
}

void enterStart() {
  // A layout change may have left the letter beyond a shorter sequence.
  // An empty sequence has no last letter: the board stays empty.
  if (letterCount > 0 && settings.lessonLetter >= letterCount) {
    settings.lessonLetter = static_cast<uint8_t>(letterCount - 1);
  }
  drawImage(lessonBackground, 0, 0, 0);
  loadKeyboard(settings.keyboardType, settings.layout, "DDATA\\KBDDFS\\dmkbdt.im3");
  loadFingerHomes(settings.keyboardType);
  resetFingerMarkers();
  drawKeyboard();
  const uint16_t hx = handsX(settings.keyboardType);
  captureSlotBackground(kSlotHands, hx, kLessonHandsY, kLessonHandsWidth, kLessonHandsHeight);
  captureSlotBackground(kSlotPanel, kLessonPanelX, kLessonBoardY, kLessonBoardWidth, kLessonBoardHeight);
  drawImage(handsPicture, static_cast<uint16_t>(hx - 1), kLessonHandsY - 1, 0);
  userActive = 1;
  enterLessonState(LessonNoticeOpen);
}

void enterNoticeOpen() {
  transitionPicture.load("DDATA\\TRNSF\\dmwrng.im3");
  // Nothing else would ever clear the notice's lower part, which lies over
  // the keyboard below the board: keep what it covers.
  captureNoticeBackground();
  playPanel(nullptr, kLessonPanelX, kLessonNoticeY, kNoticeFlags);
}

void enterNotice() {
  if (settings.language < 4) lessonNoticeTexts.load(kNoticeTextFiles[settings.language]);
  const int w = menuFont.width(0);
  for (uint32_t i = 0; i < lessonNoticeTexts.count(); ++i) {
    const int x = 305 - static_cast<int>(lessonNoticeTexts.length(i)) * w / 2;
    drawText(lessonNoticeTexts.text(i), menuFont, static_cast<uint16_t>(x), static_cast<uint16_t>(155 + 15 * i),
             kHighlightColour, kGlyphKeyColour);
  }
}

void enterHandsOpen() {
  restoreNoticeBackground();
  transitionPicture.load("DDATA\\TRNSF\\dmhnds.im3");
  stopAnimation(kSlotHands, false);
  startAnimation(transitionPicture, kSlotHands, handsX(settings.keyboardType), kLessonHandsY, 40, kHandsFlags);
}

void enterHandsDown() {
  const KeyboardPanel& panel = keyboardPanel;
  for (const auto& home : panel.fingerHomes) {
    drawImage(panel.fingerPicture, home[0], home[1], 1);
    drawImage(panel.fingerPicture, static_cast<uint16_t>(home[0] - kRestingLift),
              static_cast<uint16_t>(home[1] - kRestingLift), 0);
  }
  enterLessonState(LessonBoardOpen);
}

void enterBoardOpen() {
  transitionPicture.load("DDATA\\TRNSF\\dmbrd.im3");
  playPanel(nullptr, kLessonPanelX, kLessonBoardY, kNoticeFlags);
}

void enterChoose() {
  for (uint32_t i = 0; i < letterCount; ++i) drawLetter(i);
  startTimer(kPauseTimer, userActive == 1 ? kLessonUserPause : kLessonAutoPause);
}

void enterClose() {
  transitionPicture.load("DDATA\\TRNSF\\dmcls.im3");
  playPanel(nullptr, kLessonPanelX, kLessonBoardY, kCloseFlags);
}

void enterLeave() {
  if (gameStatus == GameSuspended) {
    reloadGameKeyboard();
    redrawGame();
  } else {
    drawImage(shadeMask, 0, 0, 0);
  }
  EnterState(MainMenuOpening);
}

void enterFindKeys() {
  // An empty sequence has no letter to show.
  if (selectedLetter() < letterCount && keysForChar(letterAt(selectedLetter()), letterKey, modifierKey)) {
    enterLessonState(LessonModifierDown);
  } else {
    enterLessonState(LessonStepsDone);
  }
}

void enterModifierDown() {
  lessonStep = LessonModifierDown;
  lessonNextStep = LessonKeyDown;
  if (modifierKey == NoKey) {
    enterLessonState(LessonKeyDown);
    return;
  }
  showTargetKey(modifierKey);
  aimAtKey(modifierKey);
  repaintMarkersAround(modifierKey);
  moveMode = MoveToPress;
  enterLessonState(FingerLift);
}

void enterKeyDown() {
  lessonStep = LessonKeyDown;
  lessonNextStep = LessonKeyUp;
  showTargetKey(letterKey);
  aimAtKey(letterKey);
  repaintMarkersAround(letterKey);
  if (keyboardPanel.layout.keyHomeFinger(letterKey) == movingFinger) {
    moveMode = MovePressHome;
    enterLessonState(FingerPress);
  } else {
    moveMode = MoveToPress;
    enterLessonState(FingerLift);
  }
}

void enterKeyUp() {
  lessonStep = LessonKeyUp;
  lessonNextStep = LessonModifierUp;
  hideTargetKey(letterKey);
  aimHome(letterKey);
  repaintMarkersAround(letterKey);
  moveMode = moveMode == MovePressHome ? MoveReleaseHome : MoveHome;
  enterLessonState(FingerRelease);
}

void enterModifierUp() {
  lessonStep = LessonModifierUp;
  lessonNextStep = LessonStepsDone;
  if (modifierKey == NoKey) {
    enterLessonState(LessonStepsDone);
    return;
  }
  hideTargetKey(modifierKey);
  aimHome(modifierKey);
  repaintMarkersAround(modifierKey);
  moveMode = MoveHome;
  enterLessonState(FingerRelease);
}

void enterGlide(uint16_t state) {
  drawFingerMarker(movingFinger);
  startTimer(kFingerTimer, state == FingerHold ? kLessonKeyHold : kLessonFingerStep);
}

// Events.

void chooseOnKey(uint32_t keyWord) {
  restartPause();
  const uint8_t scan = keyByteOf(keyWord);
  const uint8_t selected = selectedLetter();
  if (scan == kKeyEsc) {
    stopTimer(kPauseTimer, false);
    enterLessonState(LessonClose);
    return;
  }
  if (isModifierKey(scan)) return;
  // An empty board has nothing to choose or show.
  if (letterCount == 0) return;
  if (scan == kKeyEnter) {
    demonstrateNow();
    return;
  }
  switch (scan) {
    case 0x4D: case 0xCD:  // Right
      if (selected + 1 < letterCount) selectLetter(selected + 1u);
      return;
    case 0x4B: case 0xCB:  // Left
      if (selected > 0) selectLetter(selected - 1u);
      return;
    case 0x50: case 0xD0:  // Down
      if (selected + kLessonGridColumns < letterCount) {
        selectLetter(selected + uint32_t{kLessonGridColumns});
      } else if (selected != letterCount - 1) {
        selectLetter(letterCount - 1u);
      }
      return;
    case 0x48: case 0xC8:  // Up
      if (selected > kLessonGridColumns) {
        selectLetter(selected - uint32_t{kLessonGridColumns});
      } else if (selected != 0) {
        selectLetter(0);
      }
      return;
    default:
      break;
  }
  uint8_t character = 0;
  if (!charForKey(scan, modifiersOf(keyWord), character)) return;
  for (uint32_t i = 0; i < letterCount; ++i) {
    if (letterAt(i) != character) continue;
    selectLetter(i);
    demonstrateNow();
    return;
  }
}

void chooseOnClick(uint32_t argument) {
  restartPause();
  const int x = clickX(argument);
  const int y = clickY(argument);
  if (!(x > kLessonGridLeft && x < 444 && y > kLessonGridTop && y < 204)) return;
  if (letterCount == 0) return;
  uint32_t i = static_cast<uint32_t>((x - kLessonGridLeft) / kLessonGridPitchX +
                                     kLessonGridColumns * ((y - kLessonGridTop) / kLessonGridPitchY));
  if (i >= letterCount) i = letterCount - 1u;
  if (i == selectedLetter()) {
    demonstrateNow();
  } else {
    selectLetter(i);
  }
}

void chooseOnTick() {
  stopTimer(kPauseTimer, true);
  if (letterCount == 0) {
    // An empty board has nothing to demonstrate: the pause just ends.
    userActive = 0;
    return;
  }
  if (userActive == 1) {
    userActive = 0;
    return;
  }
  const uint32_t next = selectedLetter() + 1u;
  selectLetter(next >= letterCount ? 0 : next);
}

void handleChoose(uint16_t code, uint32_t argument) {
  switch (code) {
    case KeyDown: chooseOnKey(argument); break;
    case LeftClick: chooseOnClick(argument); break;
    case RightClick:
      stopTimer(kPauseTimer, false);
      enterLessonState(LessonClose);
      break;
    case TimerTick: chooseOnTick(); break;
    case TimerDone:
      // An empty board lets its pause run out without a demonstration.
      if (letterCount == 0) {
        enterLessonState(LessonChoose);
      } else {
        enterLessonState(LessonFindKeys);
      }
      break;
    default: break;
  }
}

void glideOnTick() {
  FingerMarker& m = marker();
  switch (lessonState) {
    case FingerLift:
      eraseFingerMarker(movingFinger);
      ++m.lift;
      if (m.lift < kCarriedLift) {
        drawFingerMarker(movingFinger);
      } else {
        stopTimer(kFingerTimer, true);
      }
      break;
    case FingerMove:
      eraseFingerMarker(movingFinger);
      if (glideStep(m.x, m.y, fingerTargetX, fingerTargetY)) {
        stopTimer(kFingerTimer, true);
      } else {
        drawFingerMarker(movingFinger);
      }
      break;
    case FingerLower:
      eraseFingerMarker(movingFinger);
      --m.lift;
      if (m.lift > kRestingLift) {
        drawFingerMarker(movingFinger);
      } else {
        stopTimer(kFingerTimer, true);
      }
      break;
    case FingerPress:
      pressKey(stepKey(LessonModifierDown));
      repaintMarkersOn(stepKey(LessonModifierDown));
      m.lift = kPressingLift;
      stopTimer(kFingerTimer, true);
      break;
    case FingerHold:
      stopTimer(kFingerTimer, true);
      break;
    case FingerRelease:
      releaseKey(stepKey(LessonModifierUp));
      repaintMarkersOn(stepKey(LessonModifierUp));
      m.lift = kRestingLift;
      stopTimer(kFingerTimer, true);
      break;
    default:
      break;
  }
}

void glideOnDone() {
  switch (lessonState) {
    case FingerLift: enterLessonState(FingerMove); break;
    case FingerMove: enterLessonState(FingerLower); break;
    case FingerLower:
      if (moveMode == MoveToPress) {
        enterLessonState(FingerPress);
      } else {
        drawFingerMarker(movingFinger);
        enterLessonState(lessonNextStep);
      }
      break;
    case FingerPress: enterLessonState(FingerHold); break;
    case FingerHold: enterLessonState(lessonNextStep); break;
    case FingerRelease:
      if (moveMode == MoveReleaseHome) {
        drawFingerMarker(movingFinger);
        enterLessonState(lessonNextStep);
      } else {
        enterLessonState(FingerLift);
      }
      break;
    default:
      break;
  }
}

bool isGlideState(uint16_t state) {
  switch (state) {
    case FingerLift: case FingerMove: case FingerLower:
    case FingerPress: case FingerRelease: case FingerHold:
      return true;
    default:
      return false;
  }
}

bool isInput(uint16_t code) { return code == KeyDown || code == LeftClick || code == RightClick; }

}  // namespace

uint16_t handsX(uint8_t keyboardType) { return kHandsX[std::min<uint8_t>(keyboardType, 2)]; }

uint16_t letterCellX(uint32_t i) {
  return static_cast<uint16_t>(kLessonGridLeft + kLessonGridPitchX * (i % kLessonGridColumns));
}
uint16_t letterCellY(uint32_t i) {
  return static_cast<uint16_t>(kLessonGridTop + kLessonGridPitchY * (i / kLessonGridColumns));
}

bool glideStep(uint16_t& x, uint16_t& y, uint16_t targetX, uint16_t targetY) {
  const int dx = int{targetX} - int{x};
  const int dy = int{targetY} - int{y};
  const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
  if (d > std::sqrt(2.0f)) {
    x = static_cast<uint16_t>(static_cast<int>(static_cast<float>(x) + 3.0f * static_cast<float>(dx) / d));
    y = static_cast<uint16_t>(static_cast<int>(static_cast<float>(y) + 3.0f * static_cast<float>(dy) / d));
    return false;
  }
  x = targetX;
  y = targetY;
  return true;
}

void setLessonStateObserver(void (*observer)(uint16_t)) { lessonObserver = observer; }

void enterLessonState(uint16_t state) {
  lessonState = state;
  if (lessonObserver != nullptr) lessonObserver(state);
  switch (state) {
    case LessonLoad: enterLoad(); break;
    case LessonStart: enterStart(); break;
    case LessonNoticeOpen: enterNoticeOpen(); break;
    case LessonNotice: enterNotice(); break;
    case LessonHandsOpen: enterHandsOpen(); break;
    case LessonHandsDown: enterHandsDown(); break;
    case LessonBoardOpen: enterBoardOpen(); break;
    case LessonChoose: enterChoose(); break;
    case LessonClose: enterClose(); break;
    case LessonLeave: enterLeave(); break;
    case LessonFindKeys: enterFindKeys(); break;
    case LessonModifierDown: enterModifierDown(); break;
    case LessonKeyDown: enterKeyDown(); break;
    case LessonKeyUp: enterKeyUp(); break;
    case LessonModifierUp: enterModifierUp(); break;
    case LessonStepsDone: enterLessonState(LessonChoose); break;
    case FingerLift: case FingerMove: case FingerLower:
    case FingerPress: case FingerRelease: case FingerHold:
      enterGlide(state);
      break;
    default: break;
  }
}

void handleLessonEvent(uint16_t code, uint32_t argument) {
  const uint16_t state = lessonState;
  if (isGlideState(state)) {
    if (isInput(code)) {
      userActive = 1;
    } else if (code == TimerTick) {
      glideOnTick();
    } else if (code == TimerDone) {
      glideOnDone();
    }
    return;
  }
  switch (state) {
    case LessonNoticeOpen:
      if (code == AnimationDone) enterLessonState(LessonNotice);
      break;
    case LessonNotice:
      if (isInput(code)) enterLessonState(LessonHandsOpen);
      break;
    case LessonHandsOpen:
      if (code == AnimationDone) enterLessonState(LessonHandsDown);
      break;
    case LessonBoardOpen:
      if (code == AnimationDone) enterLessonState(LessonChoose);
      break;
    case LessonChoose:
      handleChoose(code, argument);
      break;
    case LessonClose:
      if (code == AnimationDone) enterLessonState(LessonLeave);
      break;
    case LessonFindKeys: case LessonModifierDown: case LessonKeyDown:
    case LessonModifierUp: case LessonKeyUp: case LessonStepsDone:
      if (isInput(code)) userActive = 1;
      break;
    default:
      break;
  }
}

void resetLesson() {
  lessonState = 0;
  lessonPicturesLoaded = 0;
  userActive = 0;
  lessonStep = lessonNextStep = 0;
  moveMode = 0;
  movingFinger = 0;
  fingerTargetX = fingerTargetY = 0;
  letterKey = modifierKey = NoKey;
  noticeBackground.release();
  lessonBackground.release();
  handsPicture.release();
  lessonNoticeTexts = TextList{};
}

}  // namespace zb
