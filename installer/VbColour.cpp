#include "installer/VbColour.h"

#include <QGuiApplication>
#include <QPalette>

namespace lumo::setup {

QColor VbColour(long value) {
    const auto v = static_cast<unsigned long>(value) & 0xFFFFFFFFUL;
    if (v & 0x80000000UL)
        return QGuiApplication::palette().color(QPalette::Button);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

} // namespace lumo::setup
