// Xlib's headers define names (None, Bool, KeyPress...) that clash with Qt's,
// so this file includes no Qt.
#include "ui/x11_alphabets.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace vorm::ui {

namespace {

std::optional<Alphabet> alphabetOfKeysym(KeySym sym) {
  if ((sym >= XK_a && sym <= XK_z) || (sym >= XK_A && sym <= XK_Z)) return Alphabet::Latin;
  // The legacy Cyrillic keysyms and the Unicode ones of the Cyrillic block.
  if (sym >= XK_Cyrillic_yu && sym <= XK_Cyrillic_HARDSIGN) return Alphabet::Cyrillic;
  if (sym >= 0x1000410 && sym <= 0x100044F) return Alphabet::Cyrillic;
  return std::nullopt;
}

}  // namespace

std::optional<std::set<Alphabet>> x11KeyboardAlphabets(void* handle) {
  auto* display = static_cast<Display*>(handle);
  int opcode = 0, event = 0, error = 0;
  int major = XkbMajorVersion, minor = XkbMinorVersion;
  if (display == nullptr || !XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) {
    return std::nullopt;
  }
  int minKey = 0, maxKey = 0;
  XDisplayKeycodes(display, &minKey, &maxKey);
  std::set<Alphabet> found;
  for (int group = 0; group < XkbNumKbdGroups; ++group) {
    for (int key = minKey; key <= maxKey; ++key) {
      for (int level = 0; level < 2; ++level) {
        const KeySym sym = XkbKeycodeToKeysym(display, static_cast<KeyCode>(key), group, level);
        if (auto alphabet = alphabetOfKeysym(sym)) found.insert(*alphabet);
      }
    }
  }
  return found;
}

}  // namespace vorm::ui
