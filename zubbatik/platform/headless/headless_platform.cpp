#include "platform/headless/headless_platform.h"

#include <cstdio>
#include <utility>

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
  dropped_ = 0;
}

template <typename T, typename... Args>
void HeadlessPlatform::record(std::vector<T>& list, Args&&... args) {
  if (!recording_) return;
  if (list.size() >= kRecordLimit) {
    // Dropping half at a time keeps the cost of an entry constant.
    constexpr size_t kDrop = kRecordLimit / 2;
    list.erase(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(kDrop));
    dropped_ += kDrop;
  }
  list.emplace_back(std::forward<Args>(args)...);
}

void HeadlessPlatform::invalidate(const Rect& r) { record(invalidated, r); }

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
  record(notifications, kind, number);
  loop_.notify(kind, number);
}

TimerId HeadlessPlatform::createTimer(uint32_t periodMs, TimerCallback cb, uint32_t user) {
  TimerId id = loop_.addTimer(periodMs, cb, user);
  record(timerRequests, TimerRequest{true, id, periodMs, user});
  return id;
}

void HeadlessPlatform::killTimer(TimerId id) {
  record(timerRequests, TimerRequest{false, id, 0, 0});
  loop_.killTimer(id);
}

bool HeadlessPlatform::waveOpen() {
  record(waveCalls, WaveCall{WaveCall::Open, 0});
  waveOpen_ = waveAvailable_;
  return waveOpen_;
}

bool HeadlessPlatform::waveWrite(const uint8_t* samples, uint32_t count) {
  record(waveCalls, WaveCall{WaveCall::Write, count});
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
  record(waveCalls, WaveCall{WaveCall::Reset, 0});
  ++clipGeneration_;
  return waveOpen_;
}

bool HeadlessPlatform::waveClose() {
  record(waveCalls, WaveCall{WaveCall::Close, 0});
  ++clipGeneration_;
  bool wasOpen = waveOpen_;
  waveOpen_ = false;
  return wasOpen;
}

void HeadlessPlatform::debugLog(const char* text) {
  record(log, text);
  if (echoLog_) std::fputs(text, stderr);
}

}  // namespace zb
