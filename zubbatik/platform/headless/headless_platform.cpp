#include "platform/headless/headless_platform.h"

#include <cstdio>

namespace zb {

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::advance(uint64_t ms) { loop_.advanceTo(loop_.now() + ms * 1000); }

void HeadlessPlatform::clearRecords() {
  invalidated.clear();
  timerRequests.clear();
  notifications.clear();
  waveCalls.clear();
  log.clear();
}

void HeadlessPlatform::invalidate(const Rect& r) { invalidated.push_back(r); }

CursorId HeadlessPlatform::setCursor(CursorId c) {
  CursorId old = cursor;
  cursor = c;
  return old;
}

void HeadlessPlatform::destroyWindow() {
  if (destroyed) return;
  destroyed = true;
  if (WindowEvents* events = loop_.windowEvents()) events->destroyed();
  loop_.requestQuit();
}

void HeadlessPlatform::notify(Notification kind, uint32_t number) {
  notifications.emplace_back(kind, number);
  loop_.notify(kind, number);
}

TimerId HeadlessPlatform::createTimer(uint32_t periodMs, TimerCallback cb, uint32_t user) {
  TimerId id = loop_.addTimer(periodMs, cb, user);
  timerRequests.push_back({true, id, periodMs, user});
  return id;
}

void HeadlessPlatform::killTimer(TimerId id) {
  timerRequests.push_back({false, id, 0, 0});
  loop_.killTimer(id);
}

bool HeadlessPlatform::waveOpen() {
  waveCalls.push_back({WaveCall::Open, 0});
  waveOpen_ = waveAvailable_;
  return waveOpen_;
}

bool HeadlessPlatform::waveWrite(const uint8_t* samples, uint32_t count) {
  waveCalls.push_back({WaveCall::Write, count});
  if (!waveOpen_ || samples == nullptr) return false;
  if (onWaveWrite) onWaveWrite(count);
  // The clip "plays" for as long as it would at 11025 samples per second.
  uint64_t generation = ++clipGeneration_;
  EventLoop::Micros length = uint64_t{count} * 1000000 / 11025;
  loop_.postAt(loop_.now() + length, [this, generation] {
    if (generation != clipGeneration_) return;  // reset since
    if (WindowEvents* events = loop_.windowEvents()) events->clipFinished();
  });
  return true;
}

bool HeadlessPlatform::waveReset() {
  waveCalls.push_back({WaveCall::Reset, 0});
  ++clipGeneration_;
  return waveOpen_;
}

bool HeadlessPlatform::waveClose() {
  waveCalls.push_back({WaveCall::Close, 0});
  ++clipGeneration_;
  bool wasOpen = waveOpen_;
  waveOpen_ = false;
  return wasOpen;
}

void HeadlessPlatform::debugLog(const char* text) {
  log.emplace_back(text);
  if (echoLog_) std::fputs(text, stderr);
}

}  // namespace zb
