#include "ui/frames/KeyboardLocks.h"

#include <QGuiApplication>

#if defined(QX_HAVE_X11)
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

namespace qx::ui {

#if defined(QX_HAVE_X11)
namespace {

/// The keyboard's named indicator, empty when the keyboard has none of that name.
std::optional<bool> indicator(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) {
        return std::nullopt;
    }
    Bool on = False;
    if (XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) == False) {
        return std::nullopt;
    }
    return on != False;
}

} // namespace
#endif

KeyboardLocks readKeyboardLocks() {
    KeyboardLocks locks;
#if defined(QX_HAVE_X11)
    auto* application = qGuiApp;
    auto* x11 = application != nullptr ? application->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (Display* display = x11 != nullptr ? x11->display() : nullptr) {
        locks.kana = indicator(display, "Kana");
        locks.capsLock = indicator(display, "Caps Lock");
        locks.numLock = indicator(display, "Num Lock");
        locks.scrollLock = indicator(display, "Scroll Lock");
    }
#endif
    return locks;
}

} // namespace qx::ui
