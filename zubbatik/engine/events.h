// The eight events of the program and the words they carry.
#pragma once

#include <cstdint>

namespace zb {

enum EventCode : uint16_t {
  KeyDown = 0,         // key word
  KeyUp = 1,           // key word
  LeftClick = 2,       // x in bits 0-15, y in bits 16-31
  TimerTick = 3,       // timer number 0-2
  AnimationDone = 4,   // slot number 0-8
  AnimationFrame = 5,  // slot number 0-8
  TimerDone = 6,       // timer number 0-2
  RightClick = 7,      // x in bits 0-15, y in bits 16-31
};

// Key word: the key byte in bits 0-7, the modifier bits in bits 16-23.
inline constexpr uint32_t kShiftBit = 1u << 16;
inline constexpr uint32_t kAltGrBit = 1u << 17;

inline uint8_t keyByteOf(uint32_t keyWord) { return static_cast<uint8_t>(keyWord & 0xFF); }
inline uint8_t modifiersOf(uint32_t keyWord) { return static_cast<uint8_t>((keyWord >> 16) & 0xFF); }
// Ctrl, Shift, Alt and AltGr (left and right): keys that type nothing on
// their own and that the screens never take as a wrong key.
inline bool isModifierKey(uint16_t keyByte) {
  switch (keyByte) {
    case 0x1D: case 0x9D:  // Ctrl
    case 0x2A: case 0x36:  // Shift
    case 0x38: case 0xB8:  // Alt, AltGr
      return true;
    default:
      return false;
  }
}
inline uint16_t clickX(uint32_t argument) { return static_cast<uint16_t>(argument & 0xFFFF); }
inline uint16_t clickY(uint32_t argument) { return static_cast<uint16_t>(argument >> 16); }

// The engine raises AnimationFrame and TimerTick through this hook, which
// the shell points at HandleEvent.
using EventSink = void (*)(uint16_t code, uint32_t argument);
void setEventSink(EventSink sink);
void raiseEvent(uint16_t code, uint32_t argument);

}  // namespace zb
