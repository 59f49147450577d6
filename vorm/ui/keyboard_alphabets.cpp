#include "ui/keyboard_alphabets.h"

#include <QGuiApplication>

#if defined(VORM_HAVE_X11)
#include "ui/x11_alphabets.h"
#endif

namespace vorm::ui {

std::optional<std::set<Alphabet>> desktopKeyboardAlphabets() {
#if defined(VORM_HAVE_X11)
  if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->display() == nullptr) return std::nullopt;
  return x11KeyboardAlphabets(x11->display());
#else
  return std::nullopt;
#endif
}

}  // namespace vorm::ui
