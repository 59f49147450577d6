// The colours of the forms.
#pragma once

#include "form.h"

namespace pirvo3::colors {

inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kBlue = 0x0000FF;         // blue text and borders
inline constexpr Rgb kMenuBlue = 0x123C96;     // the menu's background
inline constexpr Rgb kPanelBlue = 0x2050B0;    // statistics panel, prompt line
inline constexpr Rgb kHeadingBlue = 0x9CCBFF;  // light blue text on the menu
inline constexpr Rgb kLightBlue = 0xB4D8FF;    // dialog backgrounds
inline constexpr Rgb kPaleBlue = 0x7BA3DC;     // frame of the readiness dialog
inline constexpr Rgb kDarkBlue = 0x000080;
inline constexpr Rgb kGrey = 0x808080;
inline constexpr Rgb kLightGrey = 0xC0C0C0;
inline constexpr Rgb kKeyboardGrey = 0xB8B8B8;  // keyboard panel
inline constexpr Rgb kDarkGrey = 0x404040;
inline constexpr Rgb kRed = 0xFF0000;
inline constexpr Rgb kKeyLit = 0x00FF00;        // the key to press next
inline constexpr Rgb kButtonFace = 0xF0F0F0;

// The statistics window: keys by their share of wrong keystrokes, and the
// chart's series.
inline constexpr Rgb kTintClean = 0xB4E6AA;  // no errors
inline constexpr Rgb kTintFew = 0xFFE27A;    // a few
inline constexpr Rgb kTintMany = 0xF0504A;   // a fifth or more
inline constexpr Rgb kChartReal = 0x2050B0;
inline constexpr Rgb kChartNominal = 0x38A038;
inline constexpr Rgb kChartErrors = 0xE06060;

}  // namespace pirvo3::colors
