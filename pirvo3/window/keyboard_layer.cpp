#include "keyboard_layer.h"

#include <QGuiApplication>
#include <QKeyEvent>

#if defined(PIRVO3_HAVE_X11)
#include "x11_keyboard.h"
#endif

namespace pirvo3 {

namespace {

bool switchDesktopLayout(KeyLayout layout) {
#if defined(PIRVO3_HAVE_X11)
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->display()) return false;
  return lockX11KeyboardGroup(x11->display(), layout);
#else
  (void)layout;
  return false;
#endif
}

}  // namespace

void KeyboardLayer::activate(std::uint32_t layoutHandle) {
  const KeyLayout layout = keyLayoutOf(layoutHandle);
  if (switchDesktopLayout(layout)) {
    mapping_.reset();
  } else {
    mapping_ = layout;
  }
}

QString KeyboardLayer::textFor(const QKeyEvent& event) const {
  if (!mapping_) return event.text();
  const auto modifiers = event.modifiers();
  if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return event.text();
  const char32_t c = charAtKeycode(*mapping_, event.nativeScanCode(),
                                   (modifiers & Qt::ShiftModifier) != 0);
  if (c == 0) return event.text();
  return QString::fromUcs4(&c, 1);
}

}  // namespace pirvo3
