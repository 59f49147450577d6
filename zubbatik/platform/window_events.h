// What a backend reports to the window procedure (the shell).
//
// Backends turn their input into these calls, in the order it happened,
// on the loop's one thread. Keys arrive as the key byte of the PC scan
// code set 1 with bit 7 set for extended keys (right Ctrl 0x9D, AltGr 0xB8,
// cursor-block arrows 0xC8, 0xCB, 0xCD, 0xD0 ...).
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace zb {

// Button and modifier bits of a mouse-button event, as Windows packs them.
enum MouseBits : uint32_t {
  kMouseLeft = 0x01,
  kMouseRight = 0x02,
  kMouseShift = 0x04,
  kMouseControl = 0x08,
  kMouseMiddle = 0x10,
};

enum class MouseButton : uint8_t { Left, Right };

class WindowEvents {
 public:
  virtual ~WindowEvents() = default;

  // A key went down (auto-repeat included) or up.
  virtual void keyDown(uint8_t keyByte) = 0;
  virtual void keyUp(uint8_t keyByte) = 0;
  // A mouse button went down at client (x, y); bits holds every button
  // and modifier that is down at that moment (MouseBits).
  virtual void buttonDown(MouseButton button, uint32_t bits, int x, int y) = 0;
  // A notification of Platform::notify reaches the window.
  virtual void notification(Notification kind, uint32_t number) = 0;
  // The wave device has played the clip written last.
  virtual void clipFinished() = 0;
  // The window became active (true) or inactive (false).
  virtual void activate(bool active) = 0;
  // The user asked to close the window (close box).
  virtual void closeRequested() = 0;
  // The window is being destroyed; release resources and save.
  virtual void destroyed() = 0;
};

}  // namespace zb
