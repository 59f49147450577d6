// The whole program on the headless backend with the real data set (a copy
// of the one built beside the program), for the game and the lesson. A test
// may replace the letter sequences with its own before the window opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "menu_fixture.h"

namespace zb::test {

inline constexpr uint8_t kShift = 0x2A;
inline constexpr uint8_t kAltGr = 0xB8;
inline constexpr uint8_t kEsc = 0x01;
inline constexpr uint8_t kEnter = 0x1C;

class PlayTest : public MenuTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Replaces "MDATA\lvltrs.lim" with these sequences (bytes in the data
  // set's character code), one per layout.
  void useLetters(const std::vector<std::string>& letters);
  // Opens the window with these settings and runs on to the main menu.
  void startWith(uint8_t layout, uint8_t level, uint8_t keyboardType = 0, uint8_t language = 1);
  // From the main menu: through the menu's closing panel into a new game
  // (or the lesson), until the mode has taken over.
  void enterGame();
  void enterLesson();

  // A key pressed and released with a modifier (Shift 0x2A, AltGr 0xB8) held.
  void keyWith(uint8_t modifier, uint8_t keyByte);
  // The key byte and modifier that type a character on the loaded
  // keyboard; false when no key types it.
  bool keyFor(uint8_t character, uint8_t& keyByte, uint8_t& modifier) const;
  // Types the character as a child would (with its modifier held).
  void type(uint8_t character);
  // A key byte that types nothing on the loaded layout.
  uint8_t keyTypingNothing() const;

  std::vector<uint16_t> playStates;    // every game sub-state entered
  std::vector<uint16_t> lessonStates;  // every lesson sub-state entered
  std::vector<std::string> tracks;     // every track built, as its symbols
};

}  // namespace zb::test
