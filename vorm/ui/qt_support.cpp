#include "ui/qt_support.h"

#include <QApplication>
#include <QStyleFactory>

namespace vorm::ui {

QFont fixedFont() {
  QFont f(QStringLiteral("Liberation Mono"));
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  f.setPointSizeF(9.75);
  return f;
}

QFont formFont() {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(8.0);
  return f;
}

QPalette formPalette() {
  QPalette pal;
  pal.setColor(QPalette::Window, qcolor(kButtonFace));
  pal.setColor(QPalette::WindowText, qcolor(kButtonText));
  pal.setColor(QPalette::Disabled, QPalette::WindowText, qcolor(kGrayText));
  return pal;
}

void applyLook() {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
}

}  // namespace vorm::ui
