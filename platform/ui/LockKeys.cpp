#include "platform/ui/LockKeys.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace lumo::ui {

namespace {

bool indicatorOn(Display* display, const char* name) {
    int on = 0;
    const Atom atom = XInternAtom(display, name, True);
    return atom != None && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
}

} // namespace

LockKeyState QueryLockKeys() {
    LockKeyState state;
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return state;
    state.known = true;
    state.caps = indicatorOn(display, "Caps Lock");
    state.num = indicatorOn(display, "Num Lock");
    return state;
}

} // namespace lumo::ui
