#pragma once
// A label that reports clicks, as form labels do.
#include <QLabel>
#include <QMouseEvent>
#include <functional>

namespace vorm::ui {

class ClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> onClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    event->accept();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click && onClick) onClick();
  }

 private:
  bool pressed_ = false;
};

}  // namespace vorm::ui
