#include "ui/script_runner.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <cstdio>
#include <string>

#include "logic/script.h"
#include "logic/text.h"
#include "logic/virtual_clock.h"
#include "ui/qt_support.h"
#include "ui/vorm_app.h"

namespace vorm::ui {

namespace {

// Message boxes print themselves and are answered OK at once.
class PrintedMessages final : public MessageSink {
 public:
  explicit PrintedMessages(std::ostream& out) : out_(out) {}
  void show(std::string_view title, std::string_view text, MessageIcon) override {
    out_ << "msgbox " << escapeCaption(title) << " | " << escapeCaption(text) << '\n';
  }

 private:
  std::ostream& out_;
};

class PrintedLinks final : public UrlOpener {
 public:
  explicit PrintedLinks(std::ostream& out) : out_(out) {}
  void openUrl(std::string_view url) override { out_ << "url " << url << '\n'; }

 private:
  std::ostream& out_;
};

std::string hexColour(const QColor& c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", c.red(), c.green(), c.blue());
  return text;
}

bool knownForm(const std::string& name) { return name == "Form1" || name == "about"; }

// One keystroke as the window system delivers it: key code and character.
void sendKey(QWidget* target, char32_t c) {
  int key = 0;
  switch (c) {
    case 13: key = Qt::Key_Return; break;
    case 27: key = Qt::Key_Escape; break;
    case 8: key = Qt::Key_Backspace; break;
    case 9: key = Qt::Key_Tab; break;
    default: key = static_cast<int>(QChar::toUpper(c)); break;
  }
  const QString text = QString::fromUcs4(&c, 1);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
}

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
  const QPointF at = QRectF(target->rect()).center();
  QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

class Runner {
 public:
  Runner(std::ostream& out, std::ostream& err)
      : out_(out), err_(err), messages_(out), links_(out),
        app_(clock_, messages_, links_,
             VormApp::Hooks{[&out](const std::string& f) { out << "open " << f << '\n'; },
                            [&out](const std::string& f) { out << "closed " << f << '\n'; },
                            [&out] { out << "exit\n"; }}) {}

  int run(std::istream& script) {
    app_.start();
    settle();
    std::string line;
    int number = 0;
    while (!app_.ended() && std::getline(script, line)) {
      ++number;
      const ScriptLine parsed = parseScriptLine(line);
      if (parsed.skip) continue;
      std::string error = parsed.error;
      if (error.empty()) error = execute(parsed.command);
      settle();
      if (!error.empty()) {
        err_ << "vorm: script line " << number << ": " << error << std::endl;
        return 2;
      }
    }
    app_.finish();
    out_.flush();
    return 0;
  }

 private:
  // Lets closed forms go and the screen catch up before the next command.
  void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    out_.flush();
  }

  std::string findForm(const std::string& name, FormWindow*& form) {
    form = app_.openForm(name);
    if (form != nullptr) return {};
    if (knownForm(name)) return "form " + name + " is not open";
    return "unknown form '" + name + "' (the forms are Form1 and about)";
  }

  std::string findWidget(const ScriptCommand& cmd, QWidget*& widget) {
    FormWindow* form = nullptr;
    if (std::string error = findForm(cmd.form, form); !error.empty()) return error;
    widget = form->controlWidget(cmd.control);
    if (widget != nullptr) return {};
    if (form->controlInfo(cmd.control)) return cmd.form + "." + cmd.control + " cannot be pointed at";
    return "unknown control '" + cmd.form + "." + cmd.control + "'";
  }

  std::string execute(const ScriptCommand& cmd) {
    switch (cmd.kind) {
      case CommandKind::Hover: {
        QWidget* w = nullptr;
        if (auto error = findWidget(cmd, w); !error.empty()) return error;
        sendMouse(w, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
        return {};
      }
      case CommandKind::Click: {
        QWidget* w = nullptr;
        if (auto error = findWidget(cmd, w); !error.empty()) return error;
        sendMouse(w, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
        sendMouse(w, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
        if (app_.ended()) return {};
        sendMouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
        return {};
      }
      case CommandKind::Type: {
        // Keys go to Form1 even while the about box is open.
        for (char32_t c : cmd.text) {
          if (app_.ended()) break;
          sendKey(app_.form1(), c);
        }
        return {};
      }
      case CommandKind::Paste:
        return "paste: Form1 has no text field; its keys come one by one (use type)";
      case CommandKind::Wait:
        clock_.advance(cmd.ms);
        return {};
      case CommandKind::Close: {
        FormWindow* form = nullptr;
        if (auto error = findForm(cmd.form, form); !error.empty()) return error;
        form->close();
        return {};
      }
      case CommandKind::Dump:
        dump();
        return {};
      case CommandKind::Shot: {
        FormWindow* form = nullptr;
        if (auto error = findForm(cmd.form, form); !error.empty()) return error;
        const QPixmap picture = form->grab();
        if (!picture.save(QString::fromStdString(cmd.path), "PNG"))
          return "shot: cannot write " + cmd.path;
        return {};
      }
    }
    return "unhandled command";
  }

  void dump() {
    for (FormWindow* form : app_.openForms()) {
      const std::string& name = form->formName();
      out_ << name << " caption=" << escapeCaption(str(form->windowTitle())) << '\n';
      for (const std::string& control : form->controlNames()) {
        const auto info = form->controlInfo(control);
        if (!info) continue;
        out_ << name << '.' << control << " visible=" << (info->visible ? 1 : 0)
             << " enabled=" << (info->enabled ? 1 : 0) << " bg=" << hexColour(info->back)
             << " fg=" << hexColour(info->fore) << " caption=" << escapeCaption(str(info->caption))
             << '\n';
      }
    }
  }

  std::ostream& out_;
  std::ostream& err_;
  VirtualClock clock_;  // outlives the app, whose forms own timers made by it
  PrintedMessages messages_;
  PrintedLinks links_;
  VormApp app_;
};

}  // namespace

int runScript(std::istream& script, std::ostream& out, std::ostream& err) {
  Runner runner(out, err);
  return runner.run(script);
}

}  // namespace vorm::ui
