// The nine animation slots and the three tick timers.
//
// A slot shows the frames of a picture one after another on its own
// periodic timer, optionally saving and restoring the background under
// each frame. A tick timer raises TimerTick at every period. Both report
// back through the event sink (AnimationFrame, TimerTick) and, when stopped
// with notify set, through Platform::notify (AnimationDone, TimerDone).
//
// Everything runs on the event loop's one thread, so the slots and timers
// need no lock: a step never overlaps a handler, and a stopped slot or
// timer can never take another step.
#pragma once

#include <cstdint>

#include "engine/image.h"
#include "platform/platform.h"

namespace zb {

inline constexpr uint8_t kSlotCount = 9;
inline constexpr uint8_t kTickTimerCount = 3;

enum SlotState : uint8_t { SlotIdle = 0, SlotPaused = 1, SlotRunning = 2 };

enum AnimationFlags : uint8_t {
  AnimReverse = 0x01,                 // frames run backwards
  AnimSaveBackground = 0x02,          // save the rectangle under each frame before drawing it
  AnimKeepCapturedBackground = 0x04,  // at start, keep what captureSlotBackground saved
  AnimRestoreBackground = 0x08,       // put the saved rectangle back before each step and at stop
  AnimOnce = 0x10,                    // run through the frames once, then stop and notify
  AnimShowEndFrame = 0x20,            // at stop, draw the end frame again
};

struct AnimationSlot {
  uint8_t state = SlotIdle;
  const Image* image = nullptr;  // not owned
  uint16_t x = 0;
  uint16_t y = 0;
  uint16_t delay = 0;
  uint8_t flags = 0;
  uint16_t frame = 0;
  TimerId timer = 0;  // 0 while no timer runs (idle, paused or suspended)
  Image save;         // the background under the frame: one uncoded frame
  uint16_t saveX = 0;
  uint16_t saveY = 0;
};

struct TickTimer {
  uint8_t armed = 0;
  uint32_t period = 0;
  TimerId timer = 0;
};

// Marks every slot idle and every timer disarmed, killing any live timer;
// nothing is suspended and both counters are 0.
void initAnimations();

bool startAnimation(const Image& image, uint8_t slot, uint16_t x, uint16_t y, uint16_t delay,
                    uint8_t flags);
bool isAnimationRunning(uint8_t slot);
bool moveAnimation(uint8_t slot, uint16_t x, uint16_t y, bool notify);
bool stopAnimation(uint8_t slot, bool notify);
bool pauseAnimation(uint8_t slot);
bool resumeAnimation(uint8_t slot);
bool redrawAnimation(uint8_t slot);
bool captureSlotBackground(uint8_t slot, uint16_t x, uint16_t y, uint16_t width, uint16_t height);
bool suspendAnimations();
bool resumeAnimations();

bool startTimer(uint8_t id, uint32_t period);
bool stopTimer(uint8_t id, bool notify);
bool suspendTimers();
bool resumeTimers();

// Read access for tests and diagnostics; nullptr for a number out of range.
const AnimationSlot* animationSlot(uint8_t slot);
const TickTimer* tickTimer(uint8_t id);
uint32_t runningAnimations();
uint32_t activeTimers();

}  // namespace zb
