#include "play_fixture.h"

#include <filesystem>

#include "engine/writers.h"
#include "modes/game.h"
#include "modes/keyboard.h"
#include "modes/lesson.h"
#include "persist/settings.h"
#include "screens/state_machine.h"

namespace zb::test {

namespace {

std::vector<uint16_t>* playLog = nullptr;
std::vector<uint16_t>* lessonLog = nullptr;
std::vector<std::string>* trackLog = nullptr;

void observePlay(uint16_t state) {
  if (playLog != nullptr) playLog->push_back(state);
}
void observeLesson(uint16_t state) {
  if (lessonLog != nullptr) lessonLog->push_back(state);
}
void observeTrack(const uint8_t* symbols, uint8_t length) {
  if (trackLog != nullptr) trackLog->emplace_back(reinterpret_cast<const char*>(symbols), length);
}
uint32_t noonOfSomeDay() { return 1'700'000'000u; }

}  // namespace

void PlayTest::SetUp() {
  MenuTest::SetUp();
  resetGame();
  resetLesson();
  playLog = &playStates;
  lessonLog = &lessonStates;
  trackLog = &tracks;
  setPlayStateObserver(observePlay);
  setLessonStateObserver(observeLesson);
  setTrackObserver(observeTrack);
  setGameClock(noonOfSomeDay);
  std::filesystem::copy(ZB_BUILT_DATA_DIR, dir,
                        std::filesystem::copy_options::recursive |
                            std::filesystem::copy_options::overwrite_existing);
  // Only the data set: settings and records start afresh.
  std::filesystem::remove(std::filesystem::path(dir) / "Zubbatik.cfg");
  std::filesystem::remove(std::filesystem::path(dir) / "Zubbatik.rdt");
}

void PlayTest::TearDown() {
  setPlayStateObserver(nullptr);
  setLessonStateObserver(nullptr);
  setTrackObserver(nullptr);
  setGameClock(nullptr);
  playLog = lessonLog = nullptr;
  trackLog = nullptr;
  MenuTest::TearDown();
  resetGame();
  resetLesson();
}

void PlayTest::useLetters(const std::vector<std::string>& letters) {
  writeDataFile("MDATA\\lvltrs.lim", textListFileBytes(letters));
}

void PlayTest::startWith(uint8_t layout, uint8_t level, uint8_t keyboardType, uint8_t language) {
  createWindow();
  settings.layout = layout;
  settings.level = level;
  settings.keyboardType = keyboardType;
  settings.language = language;
  EnterState(Startup);
  wait(1000);
  ASSERT_EQ(currentState(), LanguageMenu);
  key(kEnter);
  wait(1000);
  ASSERT_EQ(currentState(), MainMenu);
}

void PlayTest::enterGame() {
  EnterState(GameOpening);
  wait(1000);
  ASSERT_EQ(currentState(), Game);
}

void PlayTest::enterLesson() {
  EnterState(LessonOpening);
  wait(1000);
  ASSERT_EQ(currentState(), Lesson);
}

void PlayTest::keyWith(uint8_t modifier, uint8_t keyByte) {
  window.keyDown(modifier);
  key(keyByte);
  window.keyUp(modifier);
}

bool PlayTest::keyFor(uint8_t character, uint8_t& keyByte, uint8_t& modifier) const {
  uint16_t k = NoKey;
  uint16_t m = NoKey;
  if (!keysForChar(character, k, m)) return false;
  KeyGeometry g;
  KeyLabels l;
  if (!keyboardPanel.layout.keyAt(k, g, l)) return false;
  keyByte = g.scanCode;
  modifier = 0;
  if (m != NoKey && keyboardPanel.layout.keyAt(m, g, l)) modifier = g.scanCode;
  return true;
}

void PlayTest::type(uint8_t character) {
  uint8_t keyByte = 0;
  uint8_t modifier = 0;
  ASSERT_TRUE(keyFor(character, keyByte, modifier)) << "no key types " << int{character};
  if (modifier != 0) {
    keyWith(modifier, keyByte);
  } else {
    key(keyByte);
  }
}

uint8_t PlayTest::keyTypingNothing() const {
  // F1 has no character on any layout.
  return 0x3B;
}

}  // namespace zb::test
