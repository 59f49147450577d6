// The window procedure: turns what the window reports into events of the
// screen state machine, keeps the modifier bits, and fixes the order in
// which the subsystems start with the window and stop with it.
#pragma once

#include <cstdint>

#include "platform/window_events.h"

namespace zb {

class WindowProcedure final : public WindowEvents {
 public:
  // What happens while the window is created: the frame buffer and palette
  // from "Zubbatik.pal", the wave device, idle slots and timers, then the
  // settings and the records. False when the frame buffer cannot be made;
  // the window must then not be shown.
  bool create();

  // Shift (bit 0) and AltGr (bit 1) as they stand.
  uint8_t modifierBits() const { return modifierBits_; }

  void keyDown(uint8_t keyByte) override;
  void keyUp(uint8_t keyByte) override;
  void buttonDown(MouseButton button, uint32_t bits, int x, int y) override;
  void notification(Notification kind, uint32_t number) override;
  void clipFinished() override;
  void activate(bool active) override;
  void closeRequested() override;
  void destroyed() override;

 private:
  void updateModifiers(uint8_t keyByte, bool down);
  uint8_t modifierBits_ = 0;
};

}  // namespace zb
