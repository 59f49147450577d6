#include "platform/event_loop.h"

#include <algorithm>

namespace zb {

namespace {
constexpr EventLoop::Micros kFinestStep = 1000;  // a 0 ms period runs every 1 ms
}

void EventLoop::setNow(Micros t) {
  if (t > now_) now_ = t;
}

TimerId EventLoop::addTimer(uint32_t periodMs, TimerCallback cb, uint32_t user) {
  Micros period = periodMs == 0 ? kFinestStep : Micros{periodMs} * 1000;
  TimerId id = nextId_++;
  if (nextId_ == 0) nextId_ = 1;
  timers_.push_back(Timer{id, period, now_ + period, cb, user, nextOrder_++});
  return id;
}

void EventLoop::killTimer(TimerId id) {
  std::erase_if(timers_, [id](const Timer& t) { return t.id == id; });
}

size_t EventLoop::liveTimers() const { return timers_.size(); }

void EventLoop::postAt(Micros at, std::function<void()> task) {
  tasks_.push_back(Task{at, nextOrder_++, std::move(task)});
}

void EventLoop::notify(Notification kind, uint32_t number) {
  if (inTimerStep_) {
    queued_.emplace_back(kind, number);
    return;
  }
  if (events_ != nullptr) events_->notification(kind, number);
}

namespace {

// Index of the entry due first at or before limit; ties go to the one
// created first.
template <typename Entry, typename When>
std::optional<size_t> firstDue(const std::vector<Entry>& entries, EventLoop::Micros limit, When when) {
  std::optional<size_t> best;
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    if (when(e) > limit) continue;
    if (!best || when(e) < when(entries[*best]) ||
        (when(e) == when(entries[*best]) && e.order < entries[*best].order)) {
      best = i;
    }
  }
  return best;
}

}  // namespace

std::optional<size_t> EventLoop::firstTimerDue(Micros limit) const {
  return firstDue(timers_, limit, [](const Timer& t) { return t.due; });
}

std::optional<size_t> EventLoop::firstTaskDue(Micros limit) const {
  return firstDue(tasks_, limit, [](const Task& t) { return t.at; });
}

void EventLoop::runTimer(size_t index, bool realign) {
  const Timer t = timers_[index];
  if (lateness_) lateness_(now_ - t.due);
  inTimerStep_ = true;
  t.cb(t.user);
  inTimerStep_ = false;
  // The callback may have killed this timer or created others.
  auto it = std::find_if(timers_.begin(), timers_.end(),
                         [&](const Timer& x) { return x.id == t.id; });
  if (it != timers_.end()) {
    if (realign && now_ > t.due + t.period) {
      it->due = now_ + t.period;
    } else {
      it->due = t.due + t.period;
    }
  }
  deliverQueued();
}

void EventLoop::runTask(size_t index) {
  std::function<void()> fn = std::move(tasks_[index].fn);
  tasks_.erase(tasks_.begin() + static_cast<std::ptrdiff_t>(index));
  fn();
}

void EventLoop::deliverQueued() {
  // Deliveries may queue nothing new (they run outside any timer step),
  // but take the list first all the same so that it can be appended to.
  while (!queued_.empty()) {
    auto [kind, number] = queued_.front();
    queued_.erase(queued_.begin());
    if (events_ != nullptr) events_->notification(kind, number);
  }
}

void EventLoop::runDue() {
  // Each timer due now steps once, in due order; a timer killed by an
  // earlier step of this turn does not run. The list is kept between calls
  // so that the steady state allocates nothing.
  dueScratch_.clear();
  for (const Timer& t : timers_) {
    if (t.due <= now_) dueScratch_.push_back(DueEntry{t.due, t.order, t.id});
  }
  std::sort(dueScratch_.begin(), dueScratch_.end(), [](const DueEntry& a, const DueEntry& b) {
    return a.due != b.due ? a.due < b.due : a.order < b.order;
  });
  // A step may add timers (and so grow the scratch list of a nested call):
  // walk by index over a count fixed now.
  const size_t count = dueScratch_.size();
  for (size_t i = 0; i < count && i < dueScratch_.size(); ++i) {
    TimerId id = dueScratch_[i].id;
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer& x) { return x.id == id; });
    if (it == timers_.end() || it->due > now_) continue;
    runTimer(static_cast<size_t>(it - timers_.begin()), true);
  }
  while (auto task = firstTaskDue(now_)) runTask(*task);
}

void EventLoop::advanceTo(Micros until) {
  while (!quit_) {
    auto timer = firstTimerDue(until);
    auto task = firstTaskDue(until);
    if (!timer && !task) break;
    bool takeTimer = timer.has_value();
    if (timer && task) {
      const Timer& t = timers_[*timer];
      const Task& k = tasks_[*task];
      takeTimer = t.due != k.at ? t.due < k.at : t.order < k.order;
    }
    if (takeTimer) {
      setNow(timers_[*timer].due);
      runTimer(*timer, false);
    } else {
      setNow(tasks_[*task].at);
      runTask(*task);
    }
  }
  setNow(until);
}

std::optional<EventLoop::Micros> EventLoop::nextDue() const {
  std::optional<Micros> best;
  for (const Timer& t : timers_) {
    if (!best || t.due < *best) best = t.due;
  }
  for (const Task& t : tasks_) {
    if (!best || t.at < *best) best = t.at;
  }
  return best;
}

}  // namespace zb
