#include "logic/virtual_clock.h"

#include <algorithm>
#include <limits>

namespace vorm {

class VirtualClock::Timer final : public FormTimer {
 public:
  Timer(VirtualClock* clock, int intervalMs, std::function<void()> onTimer, uint64_t serial)
      : clock_(clock), interval_(intervalMs), onTimer_(std::move(onTimer)), serial_(serial) {}

  ~Timer() override {
    if (clock_ != nullptr) std::erase(clock_->timers_, this);
  }

  bool enabled() const override { return enabled_; }

  void setEnabled(bool on) override {
    if (on == enabled_) return;
    enabled_ = on;
    if (on && clock_ != nullptr) due_ = clock_->now_ + interval_;
  }

  int interval() const override { return interval_; }

  VirtualClock* clock_;
  int interval_;
  std::function<void()> onTimer_;
  uint64_t serial_;
  bool enabled_ = false;
  int64_t due_ = 0;
};

VirtualClock::~VirtualClock() {
  for (Timer* t : timers_) t->clock_ = nullptr;
}

std::unique_ptr<FormTimer> VirtualClock::createTimer(int intervalMs, bool enabled,
                                                     std::function<void()> onTimer) {
  auto timer = std::make_unique<Timer>(this, intervalMs, std::move(onTimer), nextSerial_++);
  timers_.push_back(timer.get());
  timer->setEnabled(enabled);
  return timer;
}

void VirtualClock::advance(int64_t ms) {
  if (ms < 0) return;
  // Scripts bound their waits; the clock still never runs past its range.
  const int64_t target = ms > std::numeric_limits<int64_t>::max() - now_
                             ? std::numeric_limits<int64_t>::max()
                             : now_ + ms;
  for (;;) {
    // Look the next timer up afresh each time: a handler may have enabled,
    // disabled, made or destroyed timers.
    Timer* next = nullptr;
    for (Timer* t : timers_) {
      if (!t->enabled_ || t->interval_ <= 0 || t->due_ > target) continue;
      if (next == nullptr || t->due_ < next->due_ ||
          (t->due_ == next->due_ && t->serial_ < next->serial_)) {
        next = t;
      }
    }
    if (next == nullptr) break;
    now_ = next->due_;
    next->due_ += next->interval_;
    // A copy, because the handler may destroy the timer that owns it.
    auto handler = next->onTimer_;
    if (handler) handler();
  }
  now_ = target;
}

}  // namespace vorm
