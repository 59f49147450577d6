// A clock that moves only when told: drives every form timer in tests and
// scripted runs.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "services.h"

namespace pirvo3 {

class VirtualClock : public TimerService {
 public:
  VirtualClock() = default;
  ~VirtualClock() override;
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  std::unique_ptr<FormTimer> createTimer(int intervalMs, std::function<void()> onTick) override;
  std::int64_t nowMs() const override { return now_; }
  // The calendar moves with the clock from a fixed start, so that dated
  // output of tests and scripted runs is always the same.
  std::int64_t localSeconds() const override { return calendarStart_ + now_ / 1000; }
  void setCalendarStart(std::int64_t localSeconds) { calendarStart_ = localSeconds; }
  // Monday 2 September 2024, 09:00.
  static constexpr std::int64_t kDefaultCalendarStart = 1725267600;

  // Moves the clock ms milliseconds on, firing every enabled timer that
  // falls due on the way, earliest first (ties in creation order). A timer
  // enabled by a tick counts its first interval from that tick's time.
  void advance(std::int64_t ms);

 private:
  class Timer;
  struct Entry {
    int intervalMs = 0;
    bool enabled = false;
    std::int64_t due = 0;
    std::function<void()> onTick;
  };

  std::map<int, Entry> entries_;  // by creation order
  int nextId_ = 1;
  std::int64_t now_ = 0;
  std::int64_t calendarStart_ = kDefaultCalendarStart;
};

}  // namespace pirvo3
