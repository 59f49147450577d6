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

extern uint16_t lessonState;
extern uint8_t lessonPicturesLoaded;
extern uint8_t userActive;

extern Image lessonBackground;  // "DDATA\dmgrd.im3"
extern Image handsPicture;      // "DDATA\imhnd.im3"
extern TextList lessonNoticeTexts;

void enterLessonState(uint16_t state);
void handleLessonEvent(uint16_t code, uint32_t argument);

// Called with every sub-state the lesson enters (scripted runs print them).
void setLessonStateObserver(void (*observer)(uint16_t state));

// Back to the state at program start (tests).
void resetLesson();

}  // namespace zb
