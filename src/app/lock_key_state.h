#pragma once
// The state of the Caps Lock, Num Lock and Scroll Lock keys, for the status bar's
// indicators. Read from the X server's keyboard indicators; nothing on a platform
// that has none (offscreen, Wayland without X).

#include <optional>

struct LockKeyState {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

std::optional<LockKeyState> ReadLockKeyState();
