#pragma once
// Which alphabets the desktop's keyboard can type.
#include <optional>
#include <set>

#include "logic/layout_advice.h"

namespace vorm::ui {

// On X11, the alphabets of the keyboard groups. Elsewhere (Wayland, the
// offscreen platform of scripted runs) the desktop cannot be asked: nothing.
std::optional<std::set<Alphabet>> desktopKeyboardAlphabets();

}  // namespace vorm::ui
