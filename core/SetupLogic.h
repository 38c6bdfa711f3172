#pragma once

#include "core/Settings.h"

#include <QString>

#include <optional>

// The settings dialog's rules, apart from its widgets.
namespace lumo::setup {

// Sizes in points a size list accepts.
constexpr int kMinSize = 1;
constexpr int kMaxSize = 400;
// Indents are typed in pixels and stored in twips (× 15) as 16-bit values.
constexpr int kTwipsPerPixel = 15;
constexpr int kMaxIndentPixels = 32767 / kTwipsPerPixel;

// Moves section s to position p; the sections between the old and the new position
// move by one, so the positions stay a permutation of 1..22.
void MoveSegment(ProgramSettings& settings, int s, int p);

// A typed or chosen size: a whole number of points in 1..400, else nothing.
std::optional<int> ParseSize(const QString& text);

// A typed indent in pixels: a number above 0 whose twips fit 16 bits, in twips; else nothing.
std::optional<int> ParseIndent(const QString& text);

// A typed margin in millimetres when the text is a number (the user's decimal comma,
// or a point), else nothing.
std::optional<float> ParseMargin(const QString& text);

// The shown text of a number: whole numbers without decimals, others with the user's comma.
QString NumberText(double value);

// Folder to start browsing in: the folder of path when it names fileName (any case),
// else fallback.
QString BrowseFolder(const QString& path, const QString& fileName, const QString& fallback);

} // namespace lumo::setup
