#include "shell/window_procedure.h"

#include "engine/animation.h"
#include "engine/events.h"
#include "engine/framebuffer.h"
#include "engine/sound.h"
#include "persist/records.h"
#include "persist/settings.h"
#include "screens/state_machine.h"

namespace zb {

bool WindowProcedure::create() {
  if (!createFrameBuffer("Zubbatik.pal")) return false;
  soundAvailable = openSoundDevice();
  initAnimations();
  LoadSettings();
  LoadRecords();
  return true;
}

void WindowProcedure::updateModifiers(uint8_t keyByte, bool down) {
  uint8_t bit = 0;
  if (keyByte == 0x2A || keyByte == 0x36) bit = 0x01;  // either Shift
  if (keyByte == 0xB8) bit = 0x02;                     // AltGr
  if (down) {
    modifierBits_ |= bit;
  } else {
    modifierBits_ &= static_cast<uint8_t>(~bit);
  }
}

void WindowProcedure::keyDown(uint8_t keyByte) {
  updateModifiers(keyByte, true);
  HandleEvent(KeyDown, keyByte | uint32_t{modifierBits_} << 16);
}

void WindowProcedure::keyUp(uint8_t keyByte) {
  updateModifiers(keyByte, false);
  HandleEvent(KeyUp, keyByte | uint32_t{modifierBits_} << 16);
}

void WindowProcedure::buttonDown(MouseButton button, uint32_t bits, int x, int y) {
  // Only a button pressed alone, with neither Shift nor Ctrl, is a click.
  uint32_t position = static_cast<uint16_t>(x) | uint32_t{static_cast<uint16_t>(y)} << 16;
  if (button == MouseButton::Left && bits == kMouseLeft) HandleEvent(LeftClick, position);
  if (button == MouseButton::Right && bits == kMouseRight) HandleEvent(RightClick, position);
}

void WindowProcedure::notification(Notification kind, uint32_t number) {
  HandleEvent(kind == Notification::AnimationDone ? AnimationDone : TimerDone, number);
}

void WindowProcedure::clipFinished() { stopSound(); }

void WindowProcedure::activate(bool active) {
  if (active) {
    resumeAnimations();
    resumeTimers();
  } else {
    suspendAnimations();
    suspendTimers();
  }
}

void WindowProcedure::closeRequested() { platform().destroyWindow(); }

void WindowProcedure::destroyed() {
  // No step may draw or raise events once the frame buffer is gone.
  suspendAnimations();
  suspendTimers();
  releaseFrameBuffer();
  if (soundState == kSoundPlaying) stopSound();
  closeSoundDevice();
  SaveSettings();
  SaveRecords();
}

}  // namespace zb
