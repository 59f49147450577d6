// The whole program on the headless backend, with a small data set of its
// own: a font whose every glyph fills its 8 x 15 cell with the key colour
// (so drawn text shows as solid cells of its colour), plain-coloured
// panels, cursors, flags and markers, short texts and letter sequences.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine_fixture.h"
#include "shell/window_procedure.h"

namespace zb::test {

// Colours of the fixture pictures.
inline constexpr uint8_t kBackgroundColour = 30;
inline constexpr uint8_t kPanelColour = 40;      // last frame of every board
inline constexpr uint8_t kNamePanelColour = 77;  // last frame of the name-entry board
inline constexpr uint8_t kCursorColour[3] = {50, 51, 52};
inline constexpr uint8_t kFlagColour = 60;      // flag i is 60 + i
inline constexpr uint8_t kSoundOnColour = 90;
inline constexpr uint8_t kSoundOffColour = 91;

class MenuTest : public EngineTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the fixture data set; letter sequences by layout.
  void writeFixtureData(const std::vector<std::string>& letters);
  // Creates the window (frame buffer, sound device, settings, records).
  void createWindow();
  // Starts the program and runs it on to the main menu, choosing the
  // language under the cursor.
  void startToMainMenu();

  void key(uint8_t keyByte);
  void click(int x, int y);
  void rightClick(int x, int y);
  void wait(uint64_t ms) { platform.advance(ms); }
  // Number of clips written to the wave device so far.
  size_t clicksHeard() const;

  // The colour of the text cell whose top-left corner is (x, y).
  uint8_t cell(int x, int y) const { return pixel(x + 3, y + 7); }

  WindowProcedure window;
  std::vector<uint16_t> states;  // every state entered, in order
  size_t soundsWritten = 0;
};

}  // namespace zb::test
