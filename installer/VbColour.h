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
// A window of the installer in the form colour: its background and its buttons' face.
void SetFormColour(QWidget* form, long value);

} // namespace lumo::setup
