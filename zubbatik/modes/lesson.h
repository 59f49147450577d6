// The guided keyboard lesson: one sub-state machine inside the screen
// state Lesson. The screen state machine calls enterLessonState on entry
// and forwards every event to handleLessonEvent.
#pragma once

#include <cstdint>

#include "engine/image.h"
#include "engine/textlist.h"

namespace zb {

enum LessonState : uint16_t {
  LessonLoad = 90,
  LessonStart = 100,
  LessonNoticeOpen = 110,
  LessonNotice = 111,
  LessonHandsOpen = 120,
  LessonHandsDown = 121,
  LessonBoardOpen = 130,
  LessonChoose = 131,
  LessonClose = 132,
  LessonLeave = 150,
  LessonFindKeys = 200,
  LessonModifierDown = 202,
  LessonKeyDown = 203,
  LessonModifierUp = 205,
  LessonKeyUp = 206,
  LessonStepsDone = 210,
  FingerLift = 220,
  FingerMove = 225,
  FingerLower = 230,
  FingerPress = 235,
  FingerRelease = 245,
  FingerHold = 250,
};

// How a glide ends (moveMode).
enum LessonMoveMode : uint8_t {
  MoveToPress = 0,     // after gliding to the key, press it
  MoveHome = 1,        // after gliding home, go on
  MovePressHome = 2,   // the key is the finger's own home key: press it in place
  MoveReleaseHome = 3, // release such a key in place and go on
};

// Where the lesson's pictures sit.
inline constexpr uint16_t kLessonPanelX = 118;
inline constexpr uint16_t kLessonBoardY = 9;
inline constexpr uint16_t kLessonNoticeY = 128;
inline constexpr uint16_t kLessonBoardWidth = 374;
inline constexpr uint16_t kLessonBoardHeight = 206;
inline constexpr uint16_t kLessonHandsY = 306;
inline constexpr uint16_t kLessonHandsWidth = 523;
inline constexpr uint16_t kLessonHandsHeight = 134;
// The letter board: 12 letters to a row.
inline constexpr uint16_t kLessonGridLeft = 180;
inline constexpr uint16_t kLessonGridTop = 34;
inline constexpr uint16_t kLessonGridPitchX = 22;
inline constexpr uint16_t kLessonGridPitchY = 17;
inline constexpr uint8_t kLessonGridColumns = 12;
// Tick timer 0 paces the demonstrations, tick timer 1 the fingers.
inline constexpr uint32_t kLessonUserPause = 10000;
inline constexpr uint32_t kLessonAutoPause = 2000;
inline constexpr uint32_t kLessonFingerStep = 30;
inline constexpr uint32_t kLessonKeyHold = 500;

extern uint16_t lessonState;
extern uint8_t lessonPicturesLoaded;
extern uint8_t userActive;
// The demonstration under way.
extern uint16_t lessonStep;
extern uint16_t lessonNextStep;
extern uint8_t moveMode;
extern uint8_t movingFinger;
extern uint16_t fingerTargetX;
extern uint16_t fingerTargetY;
extern uint16_t letterKey;
extern uint16_t modifierKey;

extern Image lessonBackground;  // "DDATA\dmgrd.im3"
extern Image handsPicture;      // "DDATA\imhnd.im3"
extern TextList lessonNoticeTexts;
// The screen under the notice panel, put back when the child dismisses it.
extern Image noticeBackground;

void enterLessonState(uint16_t state);
void handleLessonEvent(uint16_t code, uint32_t argument);

// The x of the hands for a keyboard type.
uint16_t handsX(uint8_t keyboardType);
// Where letter i of the board is drawn.
uint16_t letterCellX(uint32_t i);
uint16_t letterCellY(uint32_t i);
// One 30 ms step of a gliding marker: 3 pixels along the straight line to
// the target (distance in single precision, the new position truncated
// toward zero), or onto the target when it is at most one diagonal pixel
// away. True when it has arrived.
bool glideStep(uint16_t& x, uint16_t& y, uint16_t targetX, uint16_t targetY);

// Called with every sub-state the lesson enters (scripted runs print them).
void setLessonStateObserver(void (*observer)(uint16_t state));

// Back to the state at program start (tests).
void resetLesson();

}  // namespace zb
