#include "platform/ini/IniFile.h"

#include "platform/paths/ProgramPaths.h"
#include "platform/text/AnsiText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace lumo::ini {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// "[name]" (blanks around allowed) gives the trimmed name; anything else nullopt.
// Lines are looked at through views: every lookup walks them, and a line may be megabytes long.
std::optional<QString> sectionOf(const QString& line) {
    const QStringView t = QStringView(line).trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.lastIndexOf(u']');
    if (close < 1)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed().toString();
}

bool isComment(const QString& line) {
    const QStringView t = QStringView(line).trimmed();
    return t.startsWith(u';') || t.startsWith(u'#');
}

// The key of a "key=value" line; nullopt for blank lines, comments and lines without "=".
std::optional<QString> keyOf(const QString& line) {
    if (isComment(line))
        return std::nullopt;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return std::nullopt;
    return line.left(eq).trimmed();
}

// The profile functions trim the C locale's blanks only: a non-breaking space stays.
QString trimmedAscii(QStringView text) {
    const auto blank = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    qsizetype from = 0, to = text.size();
    while (from < to && blank(text[from]))
        ++from;
    while (to > from && blank(text[to - 1]))
        --to;
    return text.mid(from, to - from).toString();
}

QString valueOf(const QString& line) {
    QString v = trimmedAscii(QStringView(line).mid(line.indexOf(u'=') + 1));
    // A value in matching quotes is read without them.
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString& s) {
    return s.contains(u'\r') || s.contains(u'\n');
}

const QByteArray kUtf8Bom("\xEF\xBB\xBF");
const QByteArray kUtf16LeBom("\xFF\xFE");
const QByteArray kUtf16BeBom("\xFE\xFF");

// A file edited in a UTF-8 editor: letters beyond ASCII, all of them valid UTF-8. Czech text in
// Windows-1250 practically never is ("č" is one byte there, a lead byte without its follower).
bool isUtf8Text(const QByteArray& bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// Files saved from a UTF-8 editor, with or without a byte-order mark, and "Unicode" files of
// Windows editors (UTF-16 with its mark) are read in their encoding, so that the first section
// is not lost behind a mark, and written back the same way.
TextEncoding detectEncoding(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf16LeBom))
        return TextEncoding::Utf16Le;
    if (bytes.startsWith(kUtf16BeBom))
        return TextEncoding::Utf16Be;
    if (bytes.startsWith(kUtf8Bom))
        return TextEncoding::Utf8Bom;
    return isUtf8Text(bytes) ? TextEncoding::Utf8 : TextEncoding::Ansi;
}

QString decodeText(const QByteArray& bytes, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf16Le:
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(kUtf16LeBom.size()));
    case TextEncoding::Utf16Be:
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(kUtf16BeBom.size()));
    case TextEncoding::Utf8Bom:
        return QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
    case TextEncoding::Utf8:
        return QString::fromUtf8(bytes);
    case TextEncoding::Ansi:
        break;
    }
    return text::decodeAnsi(bytes);
}

// Lines end at CR LF, LF or CR. Split by hand: a regular expression matches nothing in text
// holding a lone surrogate (a damaged UTF-16 file), and the whole file would be one line.
QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

// The bytes of a Unicode file, with the mark it was read with.
QByteArray encodeUnicode(const QString& text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf16Le:
        return kUtf16LeBom + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    case TextEncoding::Utf16Be:
        return kUtf16BeBom + QStringEncoder(QStringEncoder::Utf16BE).encode(text);
    case TextEncoding::Utf8:
        return text.toUtf8();
    default:
        return kUtf8Bom + text.toUtf8();
    }
}

} // namespace

long ParseInt(const QString& value, long def) {
    const QString v = value.trimmed();
    if (v.isEmpty())
        return def;
    qsizetype i = 0;
    bool negative = false;
    if (v.at(0) == u'-' || v.at(0) == u'+') {
        negative = v.at(0) == u'-';
        ++i;
    }
    long long n = 0;
    for (; i < v.size() && v.at(i) >= u'0' && v.at(i) <= u'9'; ++i) {
        n = n * 10 + (v.at(i).unicode() - u'0');
        if (n > 0x80000000LL)
            n = 0x80000000LL; // saturate; the value is cut to 32 bits below
    }
    if (negative)
        n = -n;
    return static_cast<long>(qBound<long long>(-2147483648LL, n, 2147483647LL));
}

bool IniFile::load(const QString& file, QString* error) {
    m_file = paths::Resolve(file);
    m_lines.clear();
    m_exists = false;
    m_unreadable = false;
    m_encoding = TextEncoding::Ansi;
    if (m_file.isEmpty()) {
        if (error)
            *error = QStringLiteral("Chybí název souboru");
        return false;
    }
    QFile f(m_file);
    if (!f.exists())
        return true;
    if (QFileInfo(m_file).isDir() || !f.open(QIODevice::ReadOnly)) {
        m_unreadable = true;
        if (error)
            *error = QFileInfo(m_file).isDir() ? QStringLiteral("%1 je složka").arg(m_file) : f.errorString();
        return false;
    }
    m_exists = true;
    const QByteArray bytes = f.readAll();
    m_encoding = detectEncoding(bytes);
    const QString text = decodeText(bytes, m_encoding);
    m_lines = splitLines(text);
    if (!m_lines.isEmpty() && m_lines.back().isEmpty())
        m_lines.removeLast();
    return true;
}

QString IniFile::text() const {
    return m_lines.isEmpty() ? QString() : m_lines.join(kCrLf) + kCrLf;
}

bool IniFile::save(QString* error) const {
    if (m_file.isEmpty()) {
        if (error)
            *error = QStringLiteral("Chybí název souboru");
        return false;
    }
    if (m_unreadable) {
        if (error)
            *error = QStringLiteral("%1 could not be read").arg(m_file);
        return false;
    }
    if (QFileInfo(m_file).isDir()) {
        if (error)
            *error = QStringLiteral("%1 je složka").arg(m_file);
        return false;
    }
    // Letters Windows-1250 lacks (a folder named in another script) would be written as "?",
    // and the value would name nothing: such a file is written as UTF-8, which is read back.
    const QString content = text();
    if (m_encoding == TextEncoding::Ansi && text::isAnsiRepresentable(content))
        return text::writeAnsiFile(m_file, content, error);
    return text::writeFileBytes(m_file, encodeUnicode(content, m_encoding), error);
}

IniFile::Range IniFile::findSection(const QString& section) const {
    Range r;
    const QString wanted = section.trimmed();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionOf(m_lines.at(i));
        if (!name)
            continue;
        if (r.header >= 0) {
            r.end = i;
            return r;
        }
        if (sameName(*name, wanted))
            r.header = i;
    }
    if (r.header >= 0)
        r.end = m_lines.size();
    return r;
}

qsizetype IniFile::findKey(const Range& range, const QString& key) const {
    const QString wanted = key.trimmed();
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const auto k = keyOf(m_lines.at(i));
        if (k && sameName(*k, wanted))
            return i;
    }
    return -1;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const Range r = findSection(section);
    if (r.header < 0)
        return std::nullopt;
    const qsizetype line = findKey(r, key);
    if (line < 0)
        return std::nullopt;
    return valueOf(m_lines.at(line));
}

bool IniFile::setValue(const QString& section, const QString& key, const QString& value, QString* error) {
    const QString s = section.trimmed();
    const QString k = key.trimmed();
    QString why;
    if (s.isEmpty() || s.contains(u']') || hasLineBreak(s))
        why = QStringLiteral("Invalid section name \"%1\"").arg(section);
    else if (k.isEmpty() || k.contains(u'=') || k.startsWith(u'[') || k.startsWith(u';') || hasLineBreak(k))
        why = QStringLiteral("Invalid key name \"%1\"").arg(key);
    else if (hasLineBreak(value))
        why = QStringLiteral("The value of %1 contains a line break").arg(key);
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return false;
    }
    // A tab at either end would be trimmed by the reader; in quotes it is read back.
    const bool edgeTab = value.startsWith(u'\t') || value.endsWith(u'\t');
    const QString stored = edgeTab ? u'"' + value + u'"' : value;

    Range r = findSection(s);
    if (r.header < 0) {
        if (!m_lines.isEmpty() && !m_lines.back().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + s + u']');
        m_lines.append(k + u'=' + stored);
        return true;
    }
    const qsizetype line = findKey(r, k);
    if (line >= 0) {
        // Keep the key as the file spells it.
        const QString& old = m_lines.at(line);
        m_lines[line] = old.left(old.indexOf(u'=')).trimmed() + u'=' + stored;
        return true;
    }
    // After the section's last key, so comments and blank lines that lead into the
    // next section stay with it.
    qsizetype at = r.header + 1;
    for (qsizetype i = r.header + 1; i < r.end; ++i) {
        if (keyOf(m_lines.at(i)))
            at = i + 1;
    }
    m_lines.insert(at, k + u'=' + stored);
    return true;
}

bool IniFile::removeKey(const QString& section, const QString& key) {
    const Range r = findSection(section);
    const qsizetype line = r.header < 0 ? -1 : findKey(r, key);
    if (line < 0)
        return false;
    m_lines.removeAt(line);
    return true;
}

QStringList IniFile::sections() const {
    QStringList out;
    for (const QString& line : m_lines) {
        if (const auto name = sectionOf(line))
            out.append(*name);
    }
    return out;
}

QStringList IniFile::keys(const QString& section) const {
    QStringList out;
    const Range r = findSection(section);
    for (qsizetype i = r.header + 1; r.header >= 0 && i < r.end; ++i) {
        if (const auto k = keyOf(m_lines.at(i)))
            out.append(*k);
    }
    return out;
}

std::optional<QString> ReadValue(const QString& file, const QString& section, const QString& key) {
    IniFile ini;
    if (!ini.load(file))
        return std::nullopt;
    return ini.value(section, key);
}

long ReadInt(const QString& file, const QString& section, const QString& key, long def) {
    const auto v = ReadValue(file, section, key);
    return v ? ParseInt(*v, def) : def;
}

bool WriteValue(const QString& file, const QString& section, const QString& key, const QString& value,
                QString* error) {
    IniFile ini;
    return ini.load(file, error) && ini.setValue(section, key, value, error) && ini.save(error);
}

} // namespace lumo::ini
