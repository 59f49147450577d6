#pragma once
// A clock that stands still until advance() moves it, firing the timers it made.
#include <cstdint>
#include <vector>

#include "logic/form_timer.h"

namespace vorm {

class VirtualClock final : public TimerFactory {
 public:
  VirtualClock() = default;
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;
  ~VirtualClock() override;

  std::unique_ptr<FormTimer> createTimer(int intervalMs, bool enabled,
                                         std::function<void()> onTimer) override;

  // Moves the clock ms milliseconds on. Every enabled timer that falls due on the
  // way fires, earliest first (timers due at the same moment in the order they
  // were made), with now() set to its due time.
  void advance(int64_t ms);
  int64_t now() const { return now_; }

 private:
  class Timer;
  friend class Timer;

  int64_t now_ = 0;
  uint64_t nextSerial_ = 0;
  std::vector<Timer*> timers_;  // not owned; each timer removes itself when destroyed
};

}  // namespace vorm
