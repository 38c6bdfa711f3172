#pragma once

#include <QColor>

namespace lumo::setup {

// A 0xBBGGRR colour value (red in the low byte); system colours (top bit set) take the
// palette's button face.
QColor VbColour(long value);

} // namespace lumo::setup
