#pragma once
// Interval timers of the forms. The window backs them with real timers; tests
// and scripted runs back them with a VirtualClock that moves only when told.
#include <functional>
#include <memory>

namespace vorm {

// Fires every interval while enabled. Enabling a disabled timer starts a fresh
// interval; enabling one that is already enabled changes nothing, so a running
// countdown goes on. An interval of 0 or less never fires.
class FormTimer {
 public:
  virtual ~FormTimer() = default;
  virtual bool enabled() const = 0;
  virtual void setEnabled(bool on) = 0;
  virtual int interval() const = 0;
};

class TimerFactory {
 public:
  virtual ~TimerFactory() = default;
  // onTimer runs on the user-interface thread, one event after another. It may
  // enable, disable or destroy any timer, its own included.
  virtual std::unique_ptr<FormTimer> createTimer(int intervalMs, bool enabled,
                                                 std::function<void()> onTimer) = 0;
};

}  // namespace vorm
