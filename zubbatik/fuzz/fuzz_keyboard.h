// What the two keyboard fuzz targets share: the small pictures a keyboard
// draws with, and one pass over every keyboard operation.
#pragma once

#include <cstdint>
#include <vector>

namespace zb::fuzz {

// Writes key caps, label pictures and a keyboard picture into the run's
// folder once, and builds the frame buffer.
void ensureKeyboardPictures();
// Gives the program a new, empty keyboard panel (its loaders remember the
// paths they read, so each input needs a fresh one).
void resetKeyboardPanel();
// Loads keyboard type 0 with the American layout and runs every operation
// on every key, checking what the keyboard promises about indices.
void exerciseKeyboard();

}  // namespace zb::fuzz
