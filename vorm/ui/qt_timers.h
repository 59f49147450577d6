#pragma once
// Form timers backed by QTimer, for the program on a desktop.
#include "logic/form_timer.h"

namespace vorm::ui {

class QtTimerFactory final : public TimerFactory {
 public:
  std::unique_ptr<FormTimer> createTimer(int intervalMs, bool enabled,
                                         std::function<void()> onTimer) override;
};

}  // namespace vorm::ui
