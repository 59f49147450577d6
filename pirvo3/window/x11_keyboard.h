// Keyboard groups of an X11 display. Kept apart from Qt, whose headers
// clash with Xlib's.
#pragma once

#include "key_positions.h"

namespace pirvo3 {

// Locks the keyboard group that types `layout` on the X11 display (a
// Display*). False when the display has no such group.
bool lockX11KeyboardGroup(void* display, KeyLayout layout);

// The keyboard group locked on the display now, or -1 when the display has
// no keyboard extension.
int lockedX11KeyboardGroup(void* display);
// Locks keyboard group `group` and waits until the server has done it.
void setLockedX11KeyboardGroup(void* display, int group);

}  // namespace pirvo3
