#include "ui/desktop_services.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <cstdio>

#include "ui/qt_support.h"

namespace vorm::ui {

void QtMessageSink::show(std::string_view title, std::string_view text, MessageIcon icon) {
  QMessageBox::Icon qtIcon = QMessageBox::Critical;
  if (icon == MessageIcon::Exclamation) qtIcon = QMessageBox::Warning;
  if (icon == MessageIcon::Information) qtIcon = QMessageBox::Information;
  QMessageBox box(qtIcon, qs(title), qs(text), QMessageBox::Ok, owner_.data());
  box.exec();
}

void DesktopUrlOpener::openUrl(std::string_view url) {
  const QUrl target(qs(url));
  if (!QDesktopServices::openUrl(target)) {
    std::fprintf(stderr, "vorm: no program on this desktop opens %s\n",
                 target.toString().toUtf8().constData());
  }
}

}  // namespace vorm::ui
