#pragma once

#include <QString>

#include <optional>

// Stand-in for the private-profile (INI) functions: Windows-1250 text, CR LF lines,
// section and key names compared case-insensitively, values trimmed.
namespace lumo::ini {

// The value of key in section, whole; nullopt when the file, section or key is missing.
std::optional<QString> ReadValue(const QString& file, const QString& section, const QString& key);

// Writes key=value: in place when the key exists, at the end of its section when not,
// in a new section at the end of the file when the section is missing. Every other
// line is kept. The file is replaced atomically. Returns false with a reason on failure.
bool WriteValue(const QString& file, const QString& section, const QString& key, const QString& value,
                QString* error = nullptr);

} // namespace lumo::ini
