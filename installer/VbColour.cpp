#include "installer/VbColour.h"

#include <QGuiApplication>
#include <QWidget>

namespace lumo::setup {

QColor VbColour(long value) {
    const auto v = static_cast<unsigned long>(value) & 0xFFFFFFFFUL;
    if (v & 0x80000000UL)
        return QGuiApplication::palette().color(QPalette::Button);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

void SetColour(QWidget* widget, QPalette::ColorRole role, long value) {
    QPalette pal = widget->palette();
    pal.setColor(role, VbColour(value));
    widget->setPalette(pal);
}

void SetFormColour(QWidget* form, long value) {
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window, VbColour(value));
    pal.setColor(QPalette::Button, VbColour(value));
    form->setPalette(pal);
    form->setAutoFillBackground(true);
}

} // namespace lumo::setup
