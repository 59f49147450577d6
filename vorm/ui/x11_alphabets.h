#pragma once
// The alphabets the keyboard groups of an X11 display type. Kept apart from
// Qt, whose headers clash with Xlib's.
#include <optional>
#include <set>

#include "logic/layout_advice.h"

namespace vorm::ui {

// Alphabets of the letters on the display's keyboard groups (a Display*);
// nothing when the display has no keyboard extension to ask.
std::optional<std::set<Alphabet>> x11KeyboardAlphabets(void* display);

}  // namespace vorm::ui
