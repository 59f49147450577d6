#include "modes/lesson.h"

namespace zb {

uint16_t lessonState = 0;
uint8_t lessonPicturesLoaded = 0;
uint8_t userActive = 0;
Image lessonBackground;
Image handsPicture;
TextList lessonNoticeTexts;

namespace {
void (*lessonObserver)(uint16_t) = nullptr;
}

void setLessonStateObserver(void (*observer)(uint16_t)) { lessonObserver = observer; }

void enterLessonState(uint16_t state) {
  lessonState = state;
  if (lessonObserver != nullptr) lessonObserver(state);
}

void handleLessonEvent(uint16_t, uint32_t) {}

void resetLesson() {
  lessonState = 0;
  lessonPicturesLoaded = 0;
  userActive = 0;
}

}  // namespace zb
