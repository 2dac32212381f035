#include "app/lock_key_state.h"

#include <QGuiApplication>

#if defined(ORV_HAVE_X11) && QT_CONFIG(xcb)
// Xlib's macros (None, Bool, Status...) collide with Qt's names; nothing of Qt follows.
#include <X11/XKBlib.h>

namespace {

bool IndicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0)
        return false;
    int index = 0;
    int on = 0;
    if (!XkbGetNamedIndicator(display, atom, &index, &on, nullptr, nullptr))
        return false;
    return on != 0;
}

}  // namespace

std::optional<LockKeyState> ReadLockKeyState()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr)
        return std::nullopt;
    LockKeyState state;
    state.capsLock = IndicatorOn(display, "Caps Lock");
    state.numLock = IndicatorOn(display, "Num Lock");
    state.scrollLock = IndicatorOn(display, "Scroll Lock");
    return state;
}

#else

std::optional<LockKeyState> ReadLockKeyState()
{
    return std::nullopt;
}

#endif
