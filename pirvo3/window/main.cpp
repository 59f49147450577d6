// pirvo3: a lesson-based touch-typing course.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QSocketNotifier>
#include <QStyleFactory>

#include "app.h"
#include "keyboard_layer.h"
#include "script.h"
#include "sqlite_history.h"
#include "virtual_clock.h"
#include "window_host.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kVersion = "3.0";

void printUsage(std::ostream& out) {
  out << "Usage: pirvo3 [--data-dir DIR] [--script FILE]\n"
         "A touch-typing course: seven lessons for the Russian and the US English layout.\n"
         "\n"
         "  --data-dir DIR  take the lessons, pidata and Help.htm from DIR\n"
         "                  (default: beside the program, then ../share/pirvo3)\n"
         "  --script FILE   run the commands of FILE ('-' for standard input) on a\n"
         "                  virtual clock without a screen and print what happens\n"
         "  --help          show this help and exit\n"
         "  --version       show the version and exit\n";
}

struct Options {
  std::string dataDir;
  std::string script;
  bool scripted = false;
};

// Returns -1 to go on, or the exit status.
int parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        std::cerr << "pirvo3: " << arg << " needs a value\n";
        return false;
      }
      out = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      printUsage(std::cout);
      return 0;
    }
    if (arg == "--version") {
      std::cout << "pirvo3 " << kVersion << '\n';
      return 0;
    }
    if (arg == "--data-dir") {
      if (!value(options.dataDir)) return 2;
    } else if (arg == "--script") {
      if (!value(options.script)) return 2;
      options.scripted = true;
    } else {
      std::cerr << "pirvo3: unknown option " << arg << "\n";
      printUsage(std::cerr);
      return 2;
    }
  }
  return -1;
}

// The data folder: beside the program (a build tree), then the installed
// ../share/pirvo3.
fs::path defaultDataDir() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec);
  const fs::path dir = exe.parent_path();
  if (fs::exists(dir / "1.txt", ec)) return dir;
  const fs::path shared = dir.parent_path() / "share" / "pirvo3";
  if (fs::exists(shared, ec)) return shared;
  std::cerr << "pirvo3: no lesson files beside the program or in " << shared.string()
            << "; using the current folder\n";
  return fs::current_path(ec);
}

int runScript(pirvo3::AppConfig config, const std::string& file, const fs::path& startDir) {
  std::ifstream in;
  std::istream* script = &std::cin;
  if (file != "-") {
    in.open(file);
    if (!in) {
      std::cerr << "pirvo3: cannot read the script " << file << '\n';
      return 2;
    }
    script = &in;
  }
  pirvo3::VirtualClock clock;
  pirvo3::SqliteHistoryStore history(pirvo3::SqliteHistoryStore::defaultPath(),
                                     pirvo3::SqliteHistoryStore::kDefaultBusyTimeoutMs,
                                     [&clock] { return clock.localSeconds(); });
  config.history = &history;
  pirvo3::WindowHost windows(nullptr, {}, false);
  pirvo3::ScriptOutput output(std::cout, &windows);
  pirvo3::App app(clock, output, output, output, std::move(config));
  windows.attach(app);
  pirvo3::ScriptRunner runner(app, clock, std::cout, std::cerr,
                              [&](pirvo3::Form& form, const std::string& path, std::string& error) {
                                return windows.shot(form, (startDir / path).string(), error);
                              });
  return runner.run(*script);
}

// SIGINT, SIGTERM and SIGHUP leave the event loop, so that the program
// ends through its usual path and puts back what it changed on the
// desktop. The handler only writes the signal's number to a pipe, which
// the event loop reads.
int signalPipe[2] = {-1, -1};
// The exit status a signal asked for, or -1.
int signalStatus = -1;

void onSignal(int sig) {
  const int saved = errno;
  const auto byte = static_cast<unsigned char>(sig);
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

void quitOnSignals(QObject* owner) {
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    unsigned char sig = 0;
    unsigned char more = 0;
    if (::read(signalPipe[0], &sig, 1) != 1) return;
    while (::read(signalPipe[0], &more, 1) > 0) {
    }
    // Not quit(), which first asks every window to close and gives up
    // when one declines (the forms decide their closing themselves). The
    // signal may come while a message box waits before the event loop
    // has started; the status keeps the loop from starting then.
    signalStatus = 128 + sig;
    QCoreApplication::exit(signalStatus);
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &action, nullptr);
}

int runWindows(QApplication& qapp, pirvo3::AppConfig config) {
  pirvo3::KeyboardLayer keys;
  keys.rememberDesktop();
  quitOnSignals(&qapp);
  pirvo3::QtTimerService timers;
  pirvo3::SqliteHistoryStore history(pirvo3::SqliteHistoryStore::defaultPath());
  config.history = &history;
  pirvo3::WindowHost windows(&keys, [] { QCoreApplication::quit(); });
  pirvo3::QtMessages messages(windows);
  pirvo3::QtDesktop desktop(keys);
  pirvo3::App app(timers, messages, desktop, windows, std::move(config));
  windows.attach(app);
  qapp.setQuitOnLastWindowClosed(false);
  app.start();
  int status = app.ended() || signalStatus >= 0 ? 0 : qapp.exec();
  if (signalStatus >= 0) status = signalStatus;
  keys.restoreDesktop();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const int status = parse(argc, argv, options); status >= 0) return status;

  std::error_code ec;
  // Paths the user gives (the script, its pictures) stay relative to the
  // folder the program was started in.
  const fs::path startDir = fs::current_path(ec);
  if (options.scripted && options.script != "-") options.script = (startDir / options.script).string();
  const fs::path dataDir = options.dataDir.empty() ? defaultDataDir() : fs::path(options.dataDir);
  if (!fs::is_directory(dataDir, ec)) {
    std::cerr << "pirvo3: the data folder " << dataDir.string() << " does not exist\n";
    return 2;
  }
  // Lessons and pictures are opened relative to the data folder.
  fs::current_path(dataDir, ec);
  if (ec) {
    std::cerr << "pirvo3: cannot enter " << dataDir.string() << ": " << ec.message() << '\n';
    return 2;
  }

  if (options.scripted && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  int qargc = 1;
  QApplication qapp(qargc, argv);
  QApplication::setApplicationName(QStringLiteral("pirvo3"));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.typingtrainers.Pirvo3")));
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(style);

  pirvo3::AppConfig config;
  config.decimalSeparator = QLocale::system().decimalPoint().toStdString();
  config.dataDir = fs::current_path(ec);
  if (options.scripted) return runScript(std::move(config), options.script, startDir);
  return runWindows(qapp, std::move(config));
}
