#include "core/SettingsText.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace lumo::settings {

// Files written on a Czech system hold "12,5", files edited by hand or written elsewhere
// "12.5"; both mean the same.
std::optional<double> parseNumber(const QString& text) {
    QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    const QString localePoint = QLocale().decimalPoint();
    if (localePoint != QStringLiteral(".") && localePoint != QStringLiteral(","))
        s.replace(localePoint, QStringLiteral("."));
    s.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(s, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

namespace {

template <typename Int> std::optional<Int> parseWhole(const QString& text) {
    const std::optional<double> v = parseNumber(text);
    if (!v)
        return std::nullopt;
    // Rounds half to even under the default rounding mode, as the conversion always did.
    const double r = std::nearbyint(*v);
    if (r < double(std::numeric_limits<Int>::min()) || r > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(r);
}

} // namespace

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<bool> parseBool(const QString& text) {
    const QString s = text.trimmed();
    if (s.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (s.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> v = parseNumber(s);
    if (!v)
        return std::nullopt;
    return *v != 0.0;
}

std::optional<qint16> parseInteger(const QString& text) {
    return parseWhole<qint16>(text);
}

std::optional<qint32> parseLong(const QString& text) {
    return parseWhole<qint32>(text);
}

QString singleText(float value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(double(value), 'g', 7);
}

std::optional<float> parseSingle(const QString& text) {
    const std::optional<double> v = parseNumber(text);
    if (!v || std::fabs(*v) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(*v);
}

} // namespace lumo::settings
