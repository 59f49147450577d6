// What the two keyboard fuzz targets share: the small pictures a keyboard
// draws with, and one pass over every keyboard operation.
#pragma once

#include <cstdint>
#include <vector>

namespace zb::fuzz {

// Writes key caps, label pictures and a keyboard picture into the run's
// folder once, and builds the frame buffer.
void ensureKeyboardPictures();
// Gives the program's keyboard panel a new, empty layout (its loaders
// remember the paths they read, so each input needs a fresh one); the
// pictures stay loaded from one input to the next.
void resetKeyboardPanel();
// Loads keyboard type 0 with the American layout and runs every operation
// on every key, checking what the keyboard promises about indices.
void exerciseKeyboard();

}  // namespace zb::fuzz
