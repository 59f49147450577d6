// vorm: a drill of letter case and alphabet switching.
#include <QApplication>
#include <QIcon>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <unistd.h>

#include "logic/command_line.h"
#include "ui/desktop_services.h"
#include "ui/keyboard_alphabets.h"
#include "ui/qt_support.h"
#include "ui/qt_timers.h"
#include "ui/script_runner.h"
#include "ui/vorm_app.h"

namespace {

int failure(const std::string& message) {
  std::cerr << "vorm: " << message << "\nTry 'vorm --help' for more information.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const vorm::ParsedCommandLine parsed = vorm::parseCommandLine(args);
  if (!parsed.error.empty()) return failure(parsed.error);
  const vorm::Options& options = parsed.options;
  if (options.help) {
    std::cout << vorm::usageText("vorm");
    return 0;
  }
  if (options.version) {
    std::cout << "vorm " VORM_VERSION "\n";
    return 0;
  }
  if (options.dataDir && ::chdir(options.dataDir->c_str()) != 0) {
    return failure("cannot use the folder " + *options.dataDir + ": " + std::strerror(errno));
  }

  if (options.script) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::ifstream file;
    std::istream* script = &std::cin;
    if (*options.script != "-") {
      file.open(*options.script);
      if (!file) return failure("cannot read the script " + *options.script);
      script = &file;
    }
    QApplication app(argc, argv);
    vorm::ui::applyLook();
    return vorm::ui::runScript(*script, std::cout, std::cerr);
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vorm"));
  QApplication::setApplicationVersion(QStringLiteral(VORM_VERSION));
  // The desktop's menu entry and icon; the icon is built in too, for
  // desktops where the program is not installed.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.typingtrainers.Vorm"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.typingtrainers.Vorm")));
  vorm::ui::applyLook();
  vorm::ui::QtTimerFactory timers;
  vorm::ui::QtMessageSink messages;
  vorm::ui::DesktopUrlOpener links;
  vorm::ui::VormApp vorm(timers, messages, links, {{}, {}, [] { QApplication::quit(); }});
  messages.setOwner(vorm.form1());
  vorm.start();
  if (auto alphabets = vorm::ui::desktopKeyboardAlphabets()) vorm.setKeyboardAlphabets(*alphabets);
  if (vorm.ended()) return 0;
  return QApplication::exec();
}
