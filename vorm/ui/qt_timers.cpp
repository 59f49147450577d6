#include "ui/qt_timers.h"

#include <QTimer>

namespace vorm::ui {

namespace {

class QtFormTimer final : public FormTimer {
 public:
  QtFormTimer(int intervalMs, std::function<void()> onTimer) : onTimer_(std::move(onTimer)) {
    timer_.setInterval(intervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      // A copy, because the handler may destroy this timer.
      auto handler = onTimer_;
      if (handler) handler();
    });
  }

  bool enabled() const override { return timer_.isActive(); }

  void setEnabled(bool on) override {
    // QTimer::start restarts a running timer; a form timer that is enabled
    // again keeps its countdown.
    if (on == timer_.isActive()) return;
    if (on && timer_.interval() > 0) {
      timer_.start();
    } else {
      timer_.stop();
    }
  }

  int interval() const override { return timer_.interval(); }

 private:
  QTimer timer_;
  std::function<void()> onTimer_;
};

}  // namespace

std::unique_ptr<FormTimer> QtTimerFactory::createTimer(int intervalMs, bool enabled,
                                                       std::function<void()> onTimer) {
  auto timer = std::make_unique<QtFormTimer>(intervalMs, std::move(onTimer));
  timer->setEnabled(enabled);
  return timer;
}

}  // namespace vorm::ui
