#pragma once

#include "core/Settings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lumo {

// What a preparation's description shows.
struct PreparationContent {
    // The preparation's row: its name (null when the row is missing: no title, no article).
    std::optional<QString> Name;
    // The AISLP article, when the link is connected.
    std::optional<QString> Article;
    // Its herbs' names.
    QStringList Herbs;
};

// The description as RTF: the name as a green bold centred title, a small empty line, the
// article's sections, then "Seznam bylin" and the herbs as links. A malformed article raises
// (error 5) and nothing is built.
QString PreparationDescriptionRtf(const ProgramSettings& settings, const PreparationContent& content);

} // namespace lumo
