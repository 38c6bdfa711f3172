#include "platform/ui/Units.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace lumo::ui {

double LogicalDpi() {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* s = app->primaryScreen())
            return s->logicalDotsPerInch();
    }
    return 96.0;
}

int TwipsToPixels(double twips, double dpi) {
    return int(std::lround(twips * dpi / kTwipsPerInch));
}

int TwipsToPixels(double twips) {
    return TwipsToPixels(twips, LogicalDpi());
}

double PixelsToTwips(int pixels) {
    return pixels * kTwipsPerInch / LogicalDpi();
}

QPalette::ColorRole SystemColorRole(int index) {
    switch (index) {
    case 5:
        return QPalette::Base; // window background
    case 8:
        return QPalette::Text; // window text
    case 13:
        return QPalette::Highlight; // highlight
    case 14:
        return QPalette::HighlightedText; // highlighted text
    case 15:
        return QPalette::Button; // button face
    case 18:
        return QPalette::ButtonText; // button text
    case 17:
        return QPalette::PlaceholderText; // grey text
    case 23:
        return QPalette::ToolTipText; // info text
    case 24:
        return QPalette::ToolTipBase; // info background
    case 4:
        return QPalette::Window; // menu
    case 7:
        return QPalette::WindowText; // menu text
    default:
        return QPalette::Window;
    }
}

QColor OleToColor(long ole) {
    const unsigned long v = static_cast<unsigned long>(ole) & 0xFFFFFFFFul;
    if ((v & 0xFF000000ul) == 0x80000000ul) {
        QPalette pal = QGuiApplication::palette();
        return pal.color(SystemColorRole(int(v & 0xFF)));
    }
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

long ColorToOle(const QColor& color) {
    return long(color.red()) | (long(color.green()) << 8) | (long(color.blue()) << 16);
}

long PaletteColor(long number) {
    static constexpr long kPalette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return number >= 0 && number < 16 ? kPalette[number] : 0;
}

QPoint TopLeftInside(const QRect& rect, const QRect& area) {
    return {std::max(area.left(), std::min(rect.left(), area.right() + 1 - rect.width())),
            std::max(area.top(), std::min(rect.top(), area.bottom() + 1 - rect.height()))};
}

} // namespace lumo::ui
