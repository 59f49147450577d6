#include "window_host.h"

#include <iostream>

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include "form_view.h"
#include "frm1.h"
#include "keyboard_layer.h"

namespace pirvo3 {

WindowHost::WindowHost(const KeyboardLayer* keys, std::function<void()> onEnded,
                       bool interactive)
    : keys_(keys), onEnded_(std::move(onEnded)), interactive_(interactive) {}

WindowHost::~WindowHost() {
  // A dialog's window is a child of its owner's and goes with it.
  std::vector<QPointer<FormView>> windows;
  for (auto& [form, view] : views_) windows.emplace_back(view);
  for (auto& view : windows) {
    if (view && !view->parentWidget()) delete view.data();
  }
  for (auto& view : windows) delete view.data();
}

FormView* WindowHost::view(const Form& form) const {
  auto it = views_.find(&form);
  return it == views_.end() ? nullptr : it->second;
}

FormView* WindowHost::activeView() const {
  if (!app_) return nullptr;
  Form* form = app_->activeForm();
  return form ? view(*form) : nullptr;
}

FormView* WindowHost::ownerForMessages() const {
  FormView* active = activeView();
  if (active && active->isVisible()) return active;
  // The active form may be closing; then the front-most window still shown.
  if (app_) {
    const std::vector<Form*> forms = app_->openForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
      FormView* v = view(**it);
      if (v && v->isVisible()) return v;
    }
  }
  return nullptr;
}

FormView* WindowHost::ownerFor(const Form& form) const {
  // The dialogs belong to the typing screen that opens them.
  if (!app_ || !form.fixedDialog || !app_->frm1()) return nullptr;
  FormView* owner = view(*app_->frm1());
  return owner && owner->isVisible() ? owner : nullptr;
}

void WindowHost::formOpened(Form& form) {
  FormView* owner = ownerFor(form);
  auto* v = new FormView(*app_, form, keys_, owner);
  views_[&form] = v;
  if (owner) v->centreOver(*owner);
  v->show();
  if (!interactive_) return;
  v->raise();
  v->activateWindow();
  if (Control* focus = form.focus()) v->focusControl(*focus);
}

void WindowHost::formClosed(Form& form) {
  auto it = views_.find(&form);
  if (it == views_.end()) return;
  FormView* v = it->second;
  views_.erase(it);
  v->detach();
  v->hide();
  v->deleteLater();
}

void WindowHost::formRaised(Form& form) {
  if (!interactive_) return;
  if (FormView* v = view(form)) {
    v->showNormal();
    v->raise();
    v->activateWindow();
  }
}

void WindowHost::focusMoved(Form& form, Control& control) {
  if (!interactive_) return;
  if (FormView* v = view(form)) {
    v->raise();
    v->focusControl(control);
  }
}

void WindowHost::refresh() {
  for (auto& [form, view] : views_) view->sync();
}

void WindowHost::ended() {
  if (onEnded_) onEnded_();
}

bool WindowHost::shot(Form& form, const std::string& path, std::string& error) {
  FormView* v = view(form);
  if (!v) {
    error = "the form has no window";
    return false;
  }
  v->sync();
  QApplication::sendPostedEvents();
  const QPixmap picture = v->grab();
  if (!picture.save(QString::fromStdString(path), "PNG")) {
    error = "the picture could not be saved";
    return false;
  }
  return true;
}

namespace {

class QtFormTimer : public FormTimer {
 public:
  QtFormTimer(int intervalMs, std::function<void()> onTick) : onTick_(std::move(onTick)) {
    timer_ = new QTimer;
    timer_->setInterval(intervalMs);
    QObject::connect(timer_, &QTimer::timeout, [this] { onTick_(); });
  }
  ~QtFormTimer() override {
    // The owner may go away inside this very timer's tick.
    timer_->stop();
    timer_->disconnect();
    timer_->deleteLater();
  }
  void setEnabled(bool enabled) override {
    if (enabled && !timer_->isActive() && timer_->interval() > 0) timer_->start();
    if (!enabled) timer_->stop();
  }
  bool enabled() const override { return timer_->isActive(); }

 private:
  QTimer* timer_;
  std::function<void()> onTick_;
};

}  // namespace

std::unique_ptr<FormTimer> QtTimerService::createTimer(int intervalMs,
                                                       std::function<void()> onTick) {
  return std::make_unique<QtFormTimer>(intervalMs, std::move(onTick));
}

std::int64_t QtTimerService::nowMs() const { return QTime::currentTime().msecsSinceStartOfDay(); }

std::int64_t QtTimerService::localSeconds() const {
  const QDateTime now = QDateTime::currentDateTime();
  return now.toSecsSinceEpoch() + now.offsetFromUtc();
}

void QtMessages::show(const std::string& title, const std::string& text, MessageIcon icon) {
  box(title, text, icon, {});
}

bool QtMessages::ask(const std::string& title, const std::string& text, MessageIcon icon,
                     const std::string& otherButton) {
  return box(title, text, icon, otherButton);
}

bool QtMessages::box(const std::string& title, const std::string& text, MessageIcon icon,
                     const std::string& otherButton) {
  QMessageBox::Icon qicon = QMessageBox::NoIcon;
  switch (icon) {
    case MessageIcon::None: break;
    case MessageIcon::Information: qicon = QMessageBox::Information; break;
    case MessageIcon::Warning: qicon = QMessageBox::Warning; break;
    case MessageIcon::Critical: qicon = QMessageBox::Critical; break;
  }
  // Owned by the window the user is working in, so that the box opens
  // centred over it. A window shown a moment ago (the menu at start) may
  // not be on screen yet, and its place not known: wait for it briefly.
  QWidget* owner = windows_.ownerForMessages();
  if (owner && owner->windowHandle() && QGuiApplication::platformName() != QLatin1String("offscreen")) {
    QElapsedTimer waited;
    waited.start();
    while (!owner->windowHandle()->isExposed() && waited.elapsed() < 1000) {
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    }
  }
  QMessageBox box(qicon, QString::fromStdString(title), QString::fromStdString(text),
                  QMessageBox::Ok, owner);
  box.setObjectName(QStringLiteral("msgbox"));
  // OK stays the default and the answer to Esc; the other button only
  // answers when chosen.
  QPushButton* other = nullptr;
  if (!otherButton.empty()) {
    other = box.addButton(QString::fromStdString(otherButton), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  box.exec();
  return other && box.clickedButton() == static_cast<QAbstractButton*>(other);
}

bool QtDesktop::openUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void QtDesktop::activateKeyboardLayout(std::uint32_t layout) { keys_.activate(layout); }

}  // namespace pirvo3
