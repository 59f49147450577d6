#include "ui/form_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>

#include "logic/script.h"

namespace vorm::ui {

FormWindow::FormWindow(std::string formName, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), formName_(std::move(formName)) {
  setObjectName(QString::fromStdString(formName_));
}

void FormWindow::addControl(const std::string& name, QWidget* widget) {
  widget->setObjectName(QString::fromStdString(name));
  widgets_[name] = widget;
}

void FormWindow::addTimer(const std::string& name, std::function<bool()> enabled) {
  timers_[name] = std::move(enabled);
}

std::vector<std::string> FormWindow::controlNames() const {
  std::vector<std::string> names;
  for (const auto& entry : widgets_) names.push_back(entry.first);
  for (const auto& entry : timers_) names.push_back(entry.first);
  sortControlNames(names);
  return names;
}

QWidget* FormWindow::controlWidget(const std::string& name) const {
  auto it = widgets_.find(name);
  return it == widgets_.end() ? nullptr : it->second;
}

std::optional<ControlInfo> FormWindow::controlInfo(const std::string& name) const {
  if (auto t = timers_.find(name); t != timers_.end()) {
    // A timer has no face: it shows as invisible, in the form's colours.
    return ControlInfo{false, t->second(), palette().color(QPalette::Active, QPalette::Window),
                       palette().color(QPalette::Active, QPalette::WindowText), QString()};
  }
  QWidget* w = controlWidget(name);
  if (w == nullptr) return std::nullopt;
  ControlInfo info;
  info.visible = w->isVisibleTo(const_cast<FormWindow*>(this));
  info.enabled = w->isEnabled();
  // The colours the control is set to, also while it is disabled.
  info.back = w->palette().color(QPalette::Active, w->backgroundRole());
  info.fore = w->palette().color(QPalette::Active, w->foregroundRole());
  if (auto* label = qobject_cast<QLabel*>(w)) {
    info.caption = label->text();
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    info.caption = button->text();
  }
  return info;
}

void FormWindow::centreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void FormWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (auto closed = onClosed) closed();
}

}  // namespace vorm::ui
