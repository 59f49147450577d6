// Xlib's headers define names (None, Bool, KeyPress...) that clash with Qt's,
// so this file includes no Qt.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "x11_keyboard.h"

namespace pirvo3 {

namespace {

// XKB keycodes of the keys where Q and A sit on a PC keyboard.
constexpr KeyCode kKeyQ = 24;
constexpr KeyCode kKeyA = 38;

// Whether keyboard group `group` types the layout: ЙЦУКЕН has Й and Ф
// where QWERTY has Q and A.
bool groupTypes(Display* display, int group, KeyLayout layout) {
  const KeySym q = XkbKeycodeToKeysym(display, kKeyQ, group, 0);
  const KeySym a = XkbKeycodeToKeysym(display, kKeyA, group, 0);
  if (layout == KeyLayout::Russian) return q == XK_Cyrillic_shorti && a == XK_Cyrillic_ef;
  return q == XK_q && a == XK_a;
}

bool hasXkb(Display* display) {
  int opcode = 0;
  int event = 0;
  int error = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  return XkbQueryExtension(display, &opcode, &event, &error, &major, &minor);
}

}  // namespace

int lockedX11KeyboardGroup(void* handle) {
  auto* display = static_cast<Display*>(handle);
  if (!hasXkb(display)) return -1;
  XkbStateRec state{};
  if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) return -1;
  return state.locked_group;
}

void setLockedX11KeyboardGroup(void* handle, int group) {
  auto* display = static_cast<Display*>(handle);
  if (group < 0 || !hasXkb(display)) return;
  XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group));
  XSync(display, False);
}

bool lockX11KeyboardGroup(void* handle, KeyLayout layout) {
  auto* display = static_cast<Display*>(handle);
  if (!hasXkb(display)) return false;
  for (int group = 0; group < XkbNumKbdGroups; ++group) {
    if (!groupTypes(display, group, layout)) continue;
    XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group));
    XFlush(display);
    return true;
  }
  return false;
}

}  // namespace pirvo3
