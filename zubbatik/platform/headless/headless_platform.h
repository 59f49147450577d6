// The backend without a window: a virtual clock that moves only when told,
// no screen and a wave device that only reports what it is given. Used by
// the tests and by scripted runs; it runs the same event loop as the window.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/platform.h"

namespace zb {

class HeadlessPlatform final : public Platform {
 public:
  struct TimerRequest {
    bool create;  // true: createTimer, false: killTimer
    TimerId id;
    uint32_t periodMs;
    uint32_t user;
  };
  struct WaveCall {
    enum Kind { Open, Write, Reset, Close } kind;
    uint32_t count;  // samples, for Write
  };

  HeadlessPlatform();
  ~HeadlessPlatform() override;

  EventLoop& loop() { return loop_; }

  // Virtual time in milliseconds since the start.
  uint64_t nowMs() const { return loop_.now() / 1000; }
  // Moves the virtual clock on by ms, running every step that falls due.
  void advance(uint64_t ms);

  // Configuration.
  void setWaveAvailable(bool available) { waveAvailable_ = available; }
  void setEchoLog(bool echo) { echoLog_ = echo; }
  // Called with the sample count each time a clip is written.
  std::function<void(uint32_t)> onWaveWrite;

  // What has been asked of the platform so far, for tests to read. Each
  // list keeps at most kRecordLimit entries: when one is full, its older
  // half is dropped, so that the newest entries are always there and a
  // long run cannot grow the lists without end. Runs that read none of
  // them (scripted runs) switch recording off.
  static constexpr size_t kRecordLimit = 4096;
  std::vector<Rect> invalidated;
  std::vector<TimerRequest> timerRequests;
  std::vector<std::pair<Notification, uint32_t>> notifications;
  std::vector<WaveCall> waveCalls;
  std::vector<std::string> log;
  bool destroyed = false;
  CursorId cursor = kArrowCursor;
  void clearRecords();
  // On at start. Switching it off keeps the lists as they are; the
  // platform works the same either way.
  void setRecording(bool on) { recording_ = on; }
  bool recording() const { return recording_; }
  // How many entries the limit has dropped since the start or the last
  // clearRecords.
  size_t droppedRecords() const { return dropped_; }

  // Platform
  int clientWidth() const override { return 630; }
  int clientHeight() const override { return 440; }
  void invalidate(const Rect& r) override;
  CursorId setCursor(CursorId c) override;
  void destroyWindow() override;
  void notify(Notification kind, uint32_t number) override;
  TimerId createTimer(uint32_t periodMs, TimerCallback cb, uint32_t user) override;
  void killTimer(TimerId id) override;
  bool waveOpen() override;
  bool waveWrite(const uint8_t* samples, uint32_t count) override;
  bool waveReset() override;
  bool waveClose() override;
  void debugLog(const char* text) override;

 private:
  template <typename T, typename... Args>
  void record(std::vector<T>& list, Args&&... args);

  EventLoop loop_;
  bool recording_ = true;
  size_t dropped_ = 0;
  bool waveAvailable_ = true;
  bool waveOpen_ = false;
  bool echoLog_ = false;
  uint64_t clipGeneration_ = 0;
};

}  // namespace zb
