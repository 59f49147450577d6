#pragma once
// Small conversions between the logic's types and Qt's, and the form layout unit.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>
#include <string_view>

#include "logic/drill_form.h"

namespace vorm::ui {

// Forms are designed in twips: 15 to a pixel at 96 dpi. Qt scales the pixels on
// high-density screens.
constexpr int tw(int twips) { return twips / 15; }

inline QString qs(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string str(const QString& s) { return s.toStdString(); }

inline QColor qcolor(Rgb rgb) {
  return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

// The colours the forms were designed against: the classic system colours.
inline constexpr Rgb kButtonFace = 0xF0F0F0;
inline constexpr Rgb kButtonText = 0x000000;
inline constexpr Rgb kLight3D = 0xE3E3E3;
inline constexpr Rgb kGrayText = 0x808080;

// A form's palette: button face behind black text, grey text on disabled controls.
QPalette formPalette();

// Courier New 9.75 and MS Sans Serif 8 by their metric-compatible stand-ins.
QFont fixedFont();
QFont formFont();

// One look for every run, so that a scripted run and a desktop show the same.
void applyLook();

}  // namespace vorm::ui
