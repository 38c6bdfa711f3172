#pragma once

#include <QString>

#include <QtGlobal>
#include <optional>

// Settings values as the settings files hold them: always text. Reading is tolerant
// (a value that does not convert gives nullopt, and the caller falls back to the key's
// default); writing gives exactly the text the files have always held.
namespace lumo::settings {

// A decimal number with either separator: '.', ',' or the locale's own. Nothing for text
// that is not a finite number.
std::optional<double> parseNumber(const QString& text);

// "True" or "False".
QString boolText(bool value);
// "True"/"False" in any case, or a number where anything but 0 means True.
std::optional<bool> parseBool(const QString& text);

// Whole numbers in decimal; a decimal fraction is rounded half to even. Out of range gives nullopt.
std::optional<qint16> parseInteger(const QString& text);
std::optional<qint32> parseLong(const QString& text);

// Up to seven significant digits with the current locale's decimal separator ("12,5" on Czech systems).
QString singleText(float value);
// Accepts '.' or ',' (or the locale's separator) as the decimal separator.
std::optional<float> parseSingle(const QString& text);

} // namespace lumo::settings
