// What the forms need from outside: timers, message boxes and the desktop.
// The window layer implements these with Qt; tests and scripted runs use a
// virtual clock and print instead of showing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace pirvo3 {

// A form's interval timer. A newly created timer is disabled. Enabling a
// disabled timer starts a full interval from now; enabling a running timer
// changes nothing, so that a timer that is "enabled again" at every
// keystroke still ticks on time.
class FormTimer {
 public:
  virtual ~FormTimer() = default;
  virtual void setEnabled(bool enabled) = 0;
  virtual bool enabled() const = 0;
};

class TimerService {
 public:
  virtual ~TimerService() = default;
  // onTick runs on the user-interface thread every intervalMs while enabled.
  // The timer must not outlive the service.
  virtual std::unique_ptr<FormTimer> createTimer(int intervalMs, std::function<void()> onTick) = 0;
  // Milliseconds of the clock that drives the timers; seeds the random
  // exercise number the way a timer-seeded generator would.
  virtual std::int64_t nowMs() const = 0;
  // The date and time of day on the user's calendar: seconds since
  // 1970-01-01 00:00 of local time (the local wall clock read as if it were
  // UTC), for the dates of the lesson history.
  virtual std::int64_t localSeconds() const = 0;
};

enum class MessageIcon { None, Information, Warning, Critical };

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // A message box with an OK button; returns when it has been answered.
  virtual void show(const std::string& title, const std::string& text, MessageIcon icon) = 0;
  // The same box with one more button beside OK, which stays the default;
  // true when the user answered with the other button.
  virtual bool ask(const std::string& title, const std::string& text, MessageIcon icon,
                   const std::string& otherButton) = 0;
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Opens an address (here the help page) with the desktop's default
  // handler; false when no program could be started for it.
  virtual bool openUrl(const std::string& url) = 0;
  // Makes the keyboard type the language of a Windows keyboard-layout handle
  // (0x04190419 Russian, 0x04090409 English (US)).
  virtual void activateKeyboardLayout(std::uint32_t layout) = 0;
};

}  // namespace pirvo3
