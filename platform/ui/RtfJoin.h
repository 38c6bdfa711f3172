#pragma once

#include "platform/rtf/RtfReader.h"

#include <QString>

namespace lumo::ui {

// One RTF document: first followed by second, formats kept, joined in memory (the user's
// clipboard is not touched). second goes in where a caret at the end of first would insert
// it, so its first paragraph joins first's last one (an empty one takes its format).
// result, when given, reports the worse of the two reads.
QString JoinRtf(const QString& first, const QString& second, rtf::ReadResult* result = nullptr);

} // namespace lumo::ui
