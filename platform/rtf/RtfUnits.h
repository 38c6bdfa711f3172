#pragma once

#include <QtGlobal>

#include <cmath>

namespace lumo::rtf {

// Paragraph indents and spacing are held in a QTextDocument as pixels of the 96-DPI
// logical screen, which is how Qt lays them out on screen; a printer or another device
// of its own resolution scales the indents (PageLayout) and Qt the spacing.
constexpr double kBlockUnitsPerInch = 96.0;
constexpr double kTwipsPerBlockUnit = 1440.0 / kBlockUnitsPerInch;

inline qreal BlockUnitsFromTwips(double twips) {
    return twips / kTwipsPerBlockUnit;
}

inline int TwipsFromBlockUnits(qreal units) {
    return int(std::lround(units * kTwipsPerBlockUnit));
}

} // namespace lumo::rtf
