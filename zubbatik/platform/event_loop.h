// The scheduling core shared by every backend: periodic timers, delayed
// tasks and the delivery of notifications, all on one thread.
//
// Ordering rules:
// - A timer step runs its callback with inTimerStep() true. A notification
//   raised meanwhile is queued and delivered after the step, as an event of
//   its own, before anything else runs.
// - A notification raised outside a timer step (by a handler of an input
//   event, or of a notification being delivered) is delivered at once,
//   nested inside the call that raised it.
// - Timers are scheduled at start + k * period, so they do not drift. When
//   the loop comes to a step more than one whole period late (the machine
//   was busy or asleep), it runs that step once and starts counting again
//   from now, instead of running all the missed steps in a burst.
// Since everything runs on this one thread, no locks are needed around
// the animation slots and tick timers.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "platform/window_events.h"

namespace zb {

class EventLoop {
 public:
  // Times are microseconds on the backend's clock (virtual or steady).
  using Micros = uint64_t;

  void setWindowEvents(WindowEvents* events) { events_ = events; }
  WindowEvents* windowEvents() const { return events_; }

  Micros now() const { return now_; }
  // Moves the clock to t (never backwards). Runs nothing.
  void setNow(Micros t);

  TimerId addTimer(uint32_t periodMs, TimerCallback cb, uint32_t user);
  void killTimer(TimerId id);
  size_t liveTimers() const;

  // Runs task once at time `at` (or at the next run of due work).
  void postAt(Micros at, std::function<void()> task);

  void notify(Notification kind, uint32_t number);
  bool inTimerStep() const { return inTimerStep_; }

  // Real clock: runs every step and task due at now(); each timer steps at
  // most once per call.
  void runDue();
  // Virtual clock: runs, in time order, every step and task due up to
  // `until`, moving now() to each one's time, then to `until`.
  void advanceTo(Micros until);
  // The time of the next timer step or task, if any.
  std::optional<Micros> nextDue() const;

  // Called after every timer step with how late it ran (diagnostics).
  void setLatenessObserver(std::function<void(Micros late)> observer) { lateness_ = std::move(observer); }

  void requestQuit() { quit_ = true; }
  bool quitRequested() const { return quit_; }

 private:
  struct Timer {
    TimerId id;
    Micros period;
    Micros due;
    TimerCallback cb;
    uint32_t user;
    uint64_t order;  // creation order, breaks ties between equal due times
  };
  struct DueEntry {
    Micros due;
    uint64_t order;
    TimerId id;
  };
  struct Task {
    Micros at;
    uint64_t order;
    std::function<void()> fn;
  };

  // Index of the timer or task due first at or before `limit`.
  std::optional<size_t> firstTimerDue(Micros limit) const;
  std::optional<size_t> firstTaskDue(Micros limit) const;
  void runTimer(size_t index, bool realign);
  void runTask(size_t index);
  void deliverQueued();

  WindowEvents* events_ = nullptr;
  Micros now_ = 0;
  std::vector<Timer> timers_;
  std::vector<Task> tasks_;
  std::vector<std::pair<Notification, uint32_t>> queued_;
  std::vector<DueEntry> dueScratch_;  // runDue's list, kept for its capacity
  TimerId nextId_ = 1;
  uint64_t nextOrder_ = 0;
  std::function<void(Micros)> lateness_;
  bool inTimerStep_ = false;
  bool quit_ = false;
};

}  // namespace zb
