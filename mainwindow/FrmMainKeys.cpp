#include "mainwindow/FrmMainKeys.h"

namespace lumo {

int VbKeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vbKeyReturn;
    case Qt::Key_Escape:
        return vbKeyEscape;
    case Qt::Key_PageUp:
        return vbKeyPageUp;
    case Qt::Key_PageDown:
        return vbKeyPageDown;
    case Qt::Key_Left:
        return vbKeyLeft;
    case Qt::Key_Up:
        return vbKeyUp;
    case Qt::Key_Right:
        return vbKeyRight;
    case Qt::Key_Down:
        return vbKeyDown;
    case Qt::Key_F1:
        return vbKeyF1;
    case Qt::Key_F6:
        return vbKeyF6;
    case Qt::Key_F7:
        return vbKeyF7;
    case Qt::Key_F8:
        return vbKeyF8;
    default:
        break;
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey; // Qt numbers these as their ASCII characters
    return 0;
}

int VbKeyCode(int qtKey, quint32 nativeScanCode) {
    const int code = VbKeyCode(qtKey);
    if (code != 0)
        return code;
#ifdef Q_OS_UNIX
    // X11 and Wayland number the digit row's keys 10 ("1") to 19 ("0").
    if (nativeScanCode >= 10 && nativeScanCode <= 18)
        return Qt::Key_1 + static_cast<int>(nativeScanCode - 10);
    if (nativeScanCode == 19)
        return Qt::Key_0;
#else
    Q_UNUSED(nativeScanCode);
#endif
    return 0;
}

bool IsModifierKey(int qtKey) {
    return qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt ||
           qtKey == Qt::Key_AltGr || qtKey == Qt::Key_Meta;
}

int VbShiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= vbShiftMask;
    if (modifiers & Qt::ControlModifier)
        shift |= vbCtrlMask;
    if (modifiers & Qt::AltModifier)
        shift |= vbAltMask;
    return shift;
}

long HelpContextId(long listMode, int tabIndex) {
    if (listMode == 1)
        return tabIndex >= 0 && tabIndex <= 7 ? 1030 + 10L * tabIndex : 1110;
    if (listMode >= 2 && listMode <= 8)
        return 1120 + 10 * (listMode - 2);
    return 0;
}

int TabForCtrlDigit(int keyCode, int shift, long listMode) {
    if (shift != vbCtrlMask || listMode != 1 || keyCode < vbKey1 || keyCode > vbKey8)
        return -1;
    return keyCode - vbKey1;
}

} // namespace lumo
