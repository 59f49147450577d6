#include "virtual_clock.h"

namespace pirvo3 {

class VirtualClock::Timer : public FormTimer {
 public:
  Timer(VirtualClock& clock, int id) : clock_(clock), id_(id) {}
  ~Timer() override { clock_.entries_.erase(id_); }

  void setEnabled(bool enabled) override {
    Entry& e = clock_.entries_.at(id_);
    if (enabled && !e.enabled) e.due = clock_.now_ + e.intervalMs;
    e.enabled = enabled;
  }
  bool enabled() const override { return clock_.entries_.at(id_).enabled; }

 private:
  VirtualClock& clock_;
  int id_;
};

VirtualClock::~VirtualClock() = default;

std::unique_ptr<FormTimer> VirtualClock::createTimer(int intervalMs, std::function<void()> onTick) {
  const int id = nextId_++;
  Entry& e = entries_[id];
  e.intervalMs = intervalMs;
  e.onTick = std::move(onTick);
  return std::make_unique<Timer>(*this, id);
}

void VirtualClock::advance(std::int64_t ms) {
  if (ms < 0) return;
  const std::int64_t target = now_ + ms;
  for (;;) {
    int dueId = 0;
    std::int64_t dueAt = 0;
    for (const auto& [id, e] : entries_) {
      // A timer with no interval never fires.
      if (!e.enabled || e.intervalMs <= 0 || e.due > target) continue;
      if (dueId == 0 || e.due < dueAt) {
        dueId = id;
        dueAt = e.due;
      }
    }
    if (dueId == 0) break;
    now_ = dueAt;
    Entry& e = entries_.at(dueId);
    e.due += e.intervalMs;
    // The tick may destroy this very timer; keep the handler alive.
    const std::function<void()> onTick = e.onTick;
    onTick();
  }
  now_ = target;
}

}  // namespace pirvo3
