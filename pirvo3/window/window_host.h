// The Qt side of the program: a window for every open form, Qt timers,
// message boxes and the desktop's handlers.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app.h"
#include "services.h"

class QTimer;

namespace pirvo3 {

class FormView;
class KeyboardLayer;

class WindowHost : public FormHost {
 public:
  // keys: the layout layer the typing field maps keys with (null: none).
  // onEnded: called when the program ends. Windows of a scripted run are
  // never raised or activated: nobody looks at them.
  WindowHost(const KeyboardLayer* keys, std::function<void()> onEnded, bool interactive = true);
  ~WindowHost() override;

  void attach(App& app) { app_ = &app; }
  FormView* view(const Form& form) const;
  FormView* activeView() const;
  // The window a message box belongs to: the active form's, else the
  // front-most one still shown.
  FormView* ownerForMessages() const;
  // Writes a PNG of the form's client area.
  bool shot(Form& form, const std::string& path, std::string& error);

  void formOpened(Form& form) override;
  void formClosed(Form& form) override;
  void formRaised(Form& form) override;
  void focusMoved(Form& form, Control& control) override;
  void refresh() override;
  void ended() override;

 private:
  App* app_ = nullptr;
  const KeyboardLayer* keys_;
  std::function<void()> onEnded_;
  FormView* ownerFor(const Form& form) const;

  bool interactive_;
  std::map<const Form*, FormView*> views_;
};

class QtTimerService : public TimerService {
 public:
  std::unique_ptr<FormTimer> createTimer(int intervalMs, std::function<void()> onTick) override;
  // Milliseconds since midnight, as a timer-seeded generator would take it.
  std::int64_t nowMs() const override;
  std::int64_t localSeconds() const override;
};

class QtMessages : public MessageSink {
 public:
  explicit QtMessages(WindowHost& windows) : windows_(windows) {}
  void show(const std::string& title, const std::string& text, MessageIcon icon) override;
  bool ask(const std::string& title, const std::string& text, MessageIcon icon,
           const std::string& otherButton) override;

 private:
  bool box(const std::string& title, const std::string& text, MessageIcon icon,
           const std::string& otherButton);
  WindowHost& windows_;
};

class QtDesktop : public Desktop {
 public:
  explicit QtDesktop(KeyboardLayer& keys) : keys_(keys) {}
  bool openUrl(const std::string& url) override;
  void activateKeyboardLayout(std::uint32_t layout) override;

 private:
  KeyboardLayer& keys_;
};

}  // namespace pirvo3
