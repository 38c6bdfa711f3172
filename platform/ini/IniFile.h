#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Stand-in for the private-profile (INI) functions: Windows-1250 text, CR LF lines,
// section and key names compared case-insensitively, values trimmed.
namespace lumo::ini {

// The value of key in section, whole; nullopt when the file, section or key is missing.
std::optional<QString> ReadValue(const QString& file, const QString& section, const QString& key);

// The integer reader: a leading sign and decimal digits of the value ("12abc" is 12,
// "abc" is 0); def when the file, section or key is missing or the value is empty.
long ReadInt(const QString& file, const QString& section, const QString& key, long def);

// Writes key=value: in place when the key exists, at the end of its section when not,
// in a new section at the end of the file when the section is missing. Every other
// line is kept. The file is replaced atomically, or rewritten in place where its folder
// takes no new file. Returns false with a reason on failure.
bool WriteValue(const QString& file, const QString& section, const QString& key, const QString& value,
                QString* error = nullptr);

// How the integer reader reads a value; def for an empty one.
long ParseInt(const QString& value, long def);

// How a file is read and written: Windows-1250, UTF-8 without or with its byte-order mark,
// UTF-16 with its mark.
enum class TextEncoding { Ansi, Utf8, Utf8Bom, Utf16Le, Utf16Be };

// One INI file held in memory, for reading or writing many keys with one load and one save.
// The lines are kept as read, so everything not written stays as it was.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(const QString& file) { load(file); }

    // Reads the file (the name is resolved case-insensitively, "\" taken as "/"): Windows-1250,
    // or UTF-8 / UTF-16 when the file starts with a byte-order mark, or UTF-8 when it is valid
    // UTF-8 beyond ASCII.
    // A missing file loads as empty and counts as success; an unreadable one fails.
    bool load(const QString& file, QString* error = nullptr);
    // Writes the lines back with CR LF (atomically, or in place where the folder takes
    // no new file) in the encoding it was read in; Windows-1250 text that Windows-1250 cannot
    // hold is written as UTF-8 with its byte-order mark.
    bool save(QString* error = nullptr) const;

    const QString& fileName() const { return m_file; }
    bool exists() const { return m_exists; }

    std::optional<QString> value(const QString& section, const QString& key) const;
    // Updates the lines in memory; false for names or values that cannot be written
    // as one INI line (empty or bracketed names, line breaks, "=" in a key).
    bool setValue(const QString& section, const QString& key, const QString& value, QString* error = nullptr);
    // Removes the key's line; false when there is none.
    bool removeKey(const QString& section, const QString& key);
    // Saves as UTF-8 with its byte-order mark (for files that are not the program's own
    // Windows-1250 settings).
    void setUtf8(bool utf8) { m_encoding = utf8 ? TextEncoding::Utf8Bom : TextEncoding::Ansi; }
    // The encoding the file was read in (and is saved in).
    TextEncoding encoding() const { return m_encoding; }

    // The names of the sections and of the keys of one section, in file order.
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // The file's text as it would be saved, lines joined with CR LF.
    QString text() const;

private:
    struct Range {
        qsizetype header = -1; // line of "[section]", -1 when missing
        qsizetype end = -1;    // one past the section's last line
    };
    Range findSection(const QString& section) const;
    qsizetype findKey(const Range& range, const QString& key) const;

    QString m_file;
    QStringList m_lines;
    bool m_exists = false;
    bool m_unreadable = false;                    // never save over a file that could not be read
    TextEncoding m_encoding = TextEncoding::Ansi; // as read, so saved the same way
};

} // namespace lumo::ini
