#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace lumo::setup {

// A 0xBBGGRR colour value (red in the low byte); system colours (top bit set) take the
// palette's button face.
QColor VbColour(long value);
// Sets one colour of the widget's palette to a 0xBBGGRR value.
void SetColour(QWidget* widget, QPalette::ColorRole role, long value);

} // namespace lumo::setup
