#include "core/SetupLogic.h"

#include "core/SettingsText.h"
#include "platform/paths/ProgramPaths.h"

#include <QLocale>

#include <cmath>

namespace lumo::setup {

void MoveSegment(ProgramSettings& settings, int s, int p) {
    if (s < 1 || s > kSegmentCount || p < 1 || p > kSegmentCount)
        return;
    const int o = settings.Segments[s].Index;
    for (int i = 1; i <= kSegmentCount; ++i) {
        if (i == s)
            continue;
        qint16& index = settings.Segments[i].Index;
        if (p <= o && index >= p && index <= o - 1)
            ++index;
        else if (p > o && index >= o + 1 && index <= p)
            --index;
    }
    settings.Segments[s].Index = static_cast<qint16>(p);
}

// Numbers are typed as the settings files hold them: with a decimal comma or a point,
// whatever the user's locale.
using settings::parseNumber;

std::optional<int> ParseSize(const QString& text) {
    const std::optional<double> v = parseNumber(text);
    if (!v || *v != std::floor(*v) || *v < kMinSize || *v > kMaxSize)
        return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<int> ParseIndent(const QString& text) {
    const std::optional<double> v = parseNumber(text);
    if (!v || *v <= 0)
        return std::nullopt;
    const long twips = std::lround(*v * kTwipsPerPixel);
    if (twips <= 0 || twips > 32767)
        return std::nullopt;
    return static_cast<int>(twips);
}

std::optional<float> ParseMargin(const QString& text) {
    const std::optional<double> v = parseNumber(text);
    if (!v || std::fabs(*v) > 1e6)
        return std::nullopt;
    return static_cast<float>(*v);
}

QString NumberText(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e9)
        return QString::number(static_cast<long long>(value));
    return QLocale().toString(value, 'g', 7);
}

QString BrowseFolder(const QString& path, const QString& fileName, const QString& fallback) {
    const QString normal = paths::Normalize(path.trimmed());
    const qsizetype at = normal.lastIndexOf(u'/' + fileName, -1, Qt::CaseInsensitive);
    if (at < 0)
        return fallback;
    return normal.left(at + 1);
}

} // namespace lumo::setup
