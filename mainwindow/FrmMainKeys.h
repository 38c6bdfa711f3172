#pragma once

#include <Qt>

// The main window's keys as key codes and Shift masks, without widgets.
namespace lumo {

// Key codes the window's handlers test.
enum VbKey : int {
    vbKeyReturn = 13,
    vbKeyEscape = 27,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKey1 = 49,
    vbKey8 = 56,
    vbKeyF1 = 112,
    vbKeyF6 = 117,
    vbKeyF7 = 118,
    vbKeyF8 = 119,
};

// Shift mask bits.
enum VbShift : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// The key code of a Qt key (letters and digits as their upper-case character), 0 when the
// window has no use for it.
int VbKeyCode(int qtKey);
// The same, falling back on the key's position for the digit row: layouts that put other
// characters there (Czech: + ě š č ř ž ý á í é) still give the digit keys' codes.
int VbKeyCode(int qtKey, quint32 nativeScanCode);
// Whether a Qt key is a modifier key (Shift, Ctrl, Alt, AltGr, Meta).
bool IsModifierKey(int qtKey);
// The Shift mask of Qt modifiers.
int VbShiftState(Qt::KeyboardModifiers modifiers);

// The context help topic of F1 for a list mode and tab index.
long HelpContextId(long listMode, int tabIndex);

// The tab index (0..7) that Ctrl with a digit key selects, or -1.
int TabForCtrlDigit(int keyCode, int shift, long listMode);

} // namespace lumo
