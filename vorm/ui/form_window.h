#pragma once
// A top-level form whose controls can be found by their names, as scripted runs
// and tests address them ("Label7", "Timer1").
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vorm::ui {

// What a dump line says about one control.
struct ControlInfo {
  bool visible = true;
  bool enabled = true;
  QColor back;
  QColor fore;
  QString caption;
};

class FormWindow : public QWidget {
 public:
  FormWindow(std::string formName, QWidget* parent, Qt::WindowFlags flags);

  const std::string& formName() const { return formName_; }

  // The control names in dump order.
  std::vector<std::string> controlNames() const;
  // nullptr for a control without a widget (a timer) or an unknown name.
  QWidget* controlWidget(const std::string& name) const;
  std::optional<ControlInfo> controlInfo(const std::string& name) const;

  // Called from closeEvent: the form's close box, or close() by the program.
  std::function<void()> onClosed;

 protected:
  void addControl(const std::string& name, QWidget* widget);
  void addTimer(const std::string& name, std::function<bool()> enabled);
  void centreOnScreen();
  void closeEvent(QCloseEvent* event) override;

 private:
  std::string formName_;
  std::map<std::string, QWidget*> widgets_;
  std::map<std::string, std::function<bool()>> timers_;
};

}  // namespace vorm::ui
