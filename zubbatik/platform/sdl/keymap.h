// SDL scancodes to the key byte of the window procedure: the PC scan code
// (set 1) of the key, with bit 7 set for the extended keys.
#pragma once

#include <SDL_scancode.h>

#include <cstdint>

namespace zb {

// The key byte of a scancode, or 0 for a key the program does not know.
uint8_t keyByteForScancode(SDL_Scancode scancode);

}  // namespace zb
