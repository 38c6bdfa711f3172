#pragma once

namespace lumo::ui {

// The Caps Lock and Num Lock indicators as the display server reports them.
struct LockKeyState {
    bool known = false; // false where the display server does not tell (offscreen, Wayland)
    bool caps = false;
    bool num = false;
    bool operator==(const LockKeyState&) const = default;
};

LockKeyState QueryLockKeys();

} // namespace lumo::ui
