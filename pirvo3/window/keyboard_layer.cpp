#include "keyboard_layer.h"

#include <QGuiApplication>
#include <QKeyEvent>

#if defined(PIRVO3_HAVE_X11)
#include "x11_keyboard.h"
#endif

namespace pirvo3 {

namespace {

// The X11 display of the application, or null elsewhere (Wayland,
// offscreen, after the application has gone).
void* x11Display() {
#if defined(PIRVO3_HAVE_X11)
  if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
#else
  return nullptr;
#endif
}

bool switchDesktopLayout(KeyLayout layout) {
#if defined(PIRVO3_HAVE_X11)
  void* display = x11Display();
  return display && lockX11KeyboardGroup(display, layout);
#else
  (void)layout;
  return false;
#endif
}

}  // namespace

KeyboardLayer::~KeyboardLayer() { restoreDesktop(); }

void KeyboardLayer::rememberDesktop() {
#if defined(PIRVO3_HAVE_X11)
  if (void* display = x11Display()) desktopGroup_ = lockedX11KeyboardGroup(display);
#endif
}

void KeyboardLayer::restoreDesktop() {
  if (!switched_) return;
  switched_ = false;
#if defined(PIRVO3_HAVE_X11)
  if (void* display = x11Display()) setLockedX11KeyboardGroup(display, desktopGroup_);
#endif
}

void KeyboardLayer::activate(std::uint32_t layoutHandle) {
  const KeyLayout layout = keyLayoutOf(layoutHandle);
  if (switchDesktopLayout(layout)) {
    switched_ = true;
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
