#pragma once

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QRect>

// Twips and Windows colour values on Qt.
namespace lumo::ui {

constexpr int kTwipsPerInch = 1440;

// Logical DPI of the primary screen (96 without a screen).
double LogicalDpi();
// Twips to device-independent pixels at the screen's logical DPI, and back.
int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);
// Twips to pixels for a given DPI (printers, tests).
int TwipsToPixels(double twips, double dpi);

// Where rect's top-left goes so that rect lies inside area, moved as little as possible; a
// rect larger than area keeps its left or top edge on area's.
QPoint TopLeftInside(const QRect& rect, const QRect& area);

// An OLE colour (0x00BBGGRR: red in the low byte) or a system colour (0x800000nn) to a QColor.
QColor OleToColor(long ole);
// A QColor to an OLE colour value.
long ColorToOle(const QColor& color);
// Colour c (0..15) of the fixed 16-colour palette as an OLE colour (0 for other numbers):
// black, the six dark colours, light grey, dark grey, their bright forms, white.
long PaletteColor(long number);
// The palette role standing in for a Windows system colour index (0x800000nn & 0xFF).
QPalette::ColorRole SystemColorRole(int index);

} // namespace lumo::ui
