#include "engine/animation.h"

#include <cstdio>

#include "engine/draw.h"
#include "engine/events.h"
#include "engine/framebuffer.h"

namespace zb {

namespace {

AnimationSlot slots[kSlotCount];
TickTimer timers[kTickTimerCount];
bool slotsSuspended = false;
bool timersSuspended = false;
uint32_t animationCount = 0;
uint32_t timerCount = 0;

void logCount(const char* format, uint32_t count) {
  char line[48];
  std::snprintf(line, sizeof line, format, count);
  platform().debugLog(line);
}

// A picture that failed to load has no frames; the slot then treats it as
// one empty frame, so that a play-once animation still comes to its end.
uint16_t framesOf(const AnimationSlot& s) {
  uint16_t n = s.image != nullptr ? s.image->frameCount() : 0;
  return n == 0 ? 1 : n;
}

uint16_t endFrame(const AnimationSlot& s) {
  return (s.flags & AnimReverse) ? 0 : static_cast<uint16_t>(framesOf(s) - 1);
}

uint16_t frameX(const AnimationSlot& s, uint16_t frame) {
  return static_cast<uint16_t>(s.x + (s.image != nullptr ? s.image->offsetX(frame) : 0));
}

uint16_t frameY(const AnimationSlot& s, uint16_t frame) {
  return static_cast<uint16_t>(s.y + (s.image != nullptr ? s.image->offsetY(frame) : 0));
}

void saveSlotBackground(AnimationSlot& s, uint16_t frame) {
  if (s.image == nullptr) return;
  uint16_t fx = frameX(s, frame);
  uint16_t fy = frameY(s, frame);
  uint16_t w = s.image->width(frame);
  uint16_t h = s.image->height(frame);
  if (!s.save.allocate(w, h)) return;
  if (uint8_t* block = s.save.pixels(0)) grabRaw(block, fx, fy, w, h);
  s.saveX = fx;
  s.saveY = fy;
}

void restoreSlotBackground(AnimationSlot& s) {
  // A slot that never saved anything has nothing to put back.
  putBackImage(s.save, s.saveX, s.saveY);
}

void drawSlotFrame(AnimationSlot& s, uint16_t frame) {
  if (s.image == nullptr) return;
  const ImageFrame* f = s.image->frame(frame);
  if (f == nullptr || f->pixels == nullptr) return;
  uint16_t fx = frameX(s, frame);
  uint16_t fy = frameY(s, frame);
  if (blitSprite(fx, fy, f->pixels.get(), f->dataSize, f->width, f->height)) {
    invalidateArea(fx, fy, fx + f->width, fy + f->height);
  }
}

void animationTick(uint32_t user);
void timerTick(uint32_t user);

void armSlotTimer(uint8_t slot) {
  AnimationSlot& s = slots[slot];
  if (s.timer == 0 && !slotsSuspended) s.timer = platform().createTimer(s.delay, animationTick, slot);
}

void disarmSlotTimer(AnimationSlot& s) {
  if (s.timer != 0) platform().killTimer(s.timer);
  s.timer = 0;
}

void animationTick(uint32_t user) {
  if (user >= kSlotCount) return;
  auto slot = static_cast<uint8_t>(user);
  AnimationSlot& s = slots[slot];
  if (s.state != SlotRunning) return;
  if (s.flags & AnimRestoreBackground) restoreSlotBackground(s);
  if ((s.flags & AnimOnce) && s.frame == endFrame(s)) {
    stopAnimation(slot, true);
    return;
  }
  uint16_t last = static_cast<uint16_t>(framesOf(s) - 1);
  if (s.flags & AnimReverse) {
    s.frame = s.frame == 0 ? last : static_cast<uint16_t>(s.frame - 1);
  } else {
    s.frame = s.frame >= last ? 0 : static_cast<uint16_t>(s.frame + 1);
  }
  if (s.flags & AnimSaveBackground) saveSlotBackground(s, s.frame);
  drawSlotFrame(s, s.frame);
  raiseEvent(AnimationFrame, slot);
}

void armTickTimer(uint8_t id) {
  TickTimer& t = timers[id];
  if (t.timer == 0 && !timersSuspended) t.timer = platform().createTimer(t.period, timerTick, id);
}

void disarmTickTimer(TickTimer& t) {
  if (t.timer != 0) platform().killTimer(t.timer);
  t.timer = 0;
}

void timerTick(uint32_t user) {
  if (user >= kTickTimerCount || !timers[user].armed) return;
  raiseEvent(TimerTick, user);
}

}  // namespace

void initAnimations() {
  for (AnimationSlot& s : slots) {
    disarmSlotTimer(s);
    s.state = SlotIdle;
    s.image = nullptr;
    s.flags = 0;
    s.frame = 0;
    s.save.release();
  }
  for (TickTimer& t : timers) {
    disarmTickTimer(t);
    t.armed = 0;
  }
  slotsSuspended = false;
  timersSuspended = false;
  animationCount = 0;
  timerCount = 0;
}

bool startAnimation(const Image& image, uint8_t slot, uint16_t x, uint16_t y, uint16_t delay,
                    uint8_t flags) {
  if (slot >= kSlotCount) return false;
  AnimationSlot& s = slots[slot];
  if (s.state == SlotRunning) return false;
  disarmSlotTimer(s);  // a paused slot may be started afresh
  s.image = &image;
  s.x = x;
  s.y = y;
  s.delay = delay;
  s.flags = flags;
  s.frame = (flags & AnimReverse) ? static_cast<uint16_t>(framesOf(s) - 1) : 0;
  s.state = SlotRunning;
  armSlotTimer(slot);
  if ((flags & AnimSaveBackground) && !(flags & AnimKeepCapturedBackground)) saveSlotBackground(s, s.frame);
  drawSlotFrame(s, s.frame);
  raiseEvent(AnimationFrame, slot);
  logCount("animation active %u\n", ++animationCount);
  return true;
}

bool isAnimationRunning(uint8_t slot) { return slot < kSlotCount && slots[slot].state == SlotRunning; }

bool moveAnimation(uint8_t slot, uint16_t x, uint16_t y, bool notify) {
  if (slot >= kSlotCount) return false;
  AnimationSlot& s = slots[slot];
  if (s.flags & AnimRestoreBackground) restoreSlotBackground(s);
  s.x = x;
  s.y = y;
  if (s.flags & AnimSaveBackground) saveSlotBackground(s, s.frame);
  drawSlotFrame(s, s.frame);
  if (notify) raiseEvent(AnimationFrame, slot);
  return true;
}

bool stopAnimation(uint8_t slot, bool notify) {
  if (slot >= kSlotCount) return false;
  AnimationSlot& s = slots[slot];
  if (s.state != SlotRunning) return false;
  disarmSlotTimer(s);
  s.state = SlotIdle;
  if (s.flags & AnimRestoreBackground) restoreSlotBackground(s);
  if (s.flags & AnimShowEndFrame) drawSlotFrame(s, endFrame(s));
  if (notify) platform().notify(Notification::AnimationDone, slot);
  logCount("animation active %u\n", --animationCount);
  return true;
}

bool pauseAnimation(uint8_t slot) {
  if (slot >= kSlotCount || slots[slot].state != SlotRunning) return false;
  disarmSlotTimer(slots[slot]);
  slots[slot].state = SlotPaused;
  return true;
}

bool resumeAnimation(uint8_t slot) {
  if (slot >= kSlotCount || slots[slot].state != SlotPaused) return false;
  slots[slot].state = SlotRunning;
  armSlotTimer(slot);
  return true;
}

bool redrawAnimation(uint8_t slot) {
  if (slot >= kSlotCount) return false;
  AnimationSlot& s = slots[slot];
  if (s.flags & AnimRestoreBackground) restoreSlotBackground(s);
  drawSlotFrame(s, s.frame);
  return true;
}

bool captureSlotBackground(uint8_t slot, uint16_t x, uint16_t y, uint16_t width, uint16_t height) {
  if (slot >= kSlotCount) return false;
  AnimationSlot& s = slots[slot];
  if (!s.save.allocate(width, height)) return false;
  if (uint8_t* block = s.save.pixels(0)) grabRaw(block, x, y, width, height);
  s.saveX = x;
  s.saveY = y;
  return true;
}

bool suspendAnimations() {
  if (slotsSuspended) return false;
  for (AnimationSlot& s : slots) disarmSlotTimer(s);
  slotsSuspended = true;
  return true;
}

bool resumeAnimations() {
  if (!slotsSuspended) return false;
  slotsSuspended = false;
  for (uint8_t i = 0; i < kSlotCount; ++i) {
    if (slots[i].state == SlotRunning) armSlotTimer(i);
  }
  return true;
}

bool startTimer(uint8_t id, uint32_t period) {
  if (id >= kTickTimerCount || timers[id].armed) return false;
  TickTimer& t = timers[id];
  t.period = period;
  t.armed = 1;
  armTickTimer(id);
  logCount("Timers active %u\n", ++timerCount);
  return true;
}

bool stopTimer(uint8_t id, bool notify) {
  if (id >= kTickTimerCount || !timers[id].armed) return false;
  TickTimer& t = timers[id];
  disarmTickTimer(t);
  t.armed = 0;
  if (notify) platform().notify(Notification::TimerDone, id);
  logCount("Timers active %u\n", --timerCount);
  return true;
}

bool suspendTimers() {
  if (timersSuspended) return false;
  for (TickTimer& t : timers) disarmTickTimer(t);
  timersSuspended = true;
  return true;
}

bool resumeTimers() {
  if (!timersSuspended) return false;
  timersSuspended = false;
  for (uint8_t i = 0; i < kTickTimerCount; ++i) {
    if (timers[i].armed) armTickTimer(i);
  }
  return true;
}

const AnimationSlot* animationSlot(uint8_t slot) { return slot < kSlotCount ? &slots[slot] : nullptr; }
const TickTimer* tickTimer(uint8_t id) { return id < kTickTimerCount ? &timers[id] : nullptr; }
uint32_t runningAnimations() { return animationCount; }
uint32_t activeTimers() { return timerCount; }

}  // namespace zb
