#include "installer/UpgradeScript.h"

#include "platform/text/AnsiText.h"

#include <QRegularExpression>

namespace lumo::setup {

namespace {

// The fields of one line.
QStringList lineFields(const QString& line) {
    QStringList out;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        while (i < n && (line.at(i) == u' ' || line.at(i) == u'\t'))
            ++i;
        QString field;
        if (i < n && line.at(i) == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            field = line.mid(i + 1, close < 0 ? -1 : close - i - 1);
            i = close < 0 ? n : close + 1;
            // Anything between the closing quote and the next comma is dropped.
            const qsizetype comma = line.indexOf(u',', i);
            i = comma < 0 ? n : comma;
        } else {
            const qsizetype comma = line.indexOf(u',', i);
            field = line.mid(i, comma < 0 ? -1 : comma - i).trimmed();
            i = comma < 0 ? n : comma;
        }
        out.append(field);
        if (i >= n)
            break;
        ++i; // the comma
    }
    return out;
}

QString replaceAll(QString text, const QString& placeholder, const QString& value, Qt::CaseSensitivity cs) {
    return text.replace(placeholder, value, cs);
}

} // namespace

QString DecodeScript(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return text::decodeAnsi(bytes);
}

ParsedScript ParseScript(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList fields;
    for (const QString& line : text.split(lineEnd)) {
        if (!line.trimmed().isEmpty())
            fields.append(lineFields(line));
    }
    ParsedScript script;
    qsizetype i = 0;
    for (; i + 5 <= fields.size(); i += 5)
        script.records.append({fields[i], fields[i + 1], fields[i + 2], fields[i + 3], fields[i + 4]});
    if (i < fields.size())
        script.missingFields = static_cast<int>(5 - (fields.size() - i));
    return script;
}

QString ExpandSource(const QString& source, const ScriptFolders& f) {
    const QString s = replaceAll(source, QStringLiteral("%InstallPath%"), f.SourceFolder, Qt::CaseSensitive);
    return replaceAll(s, QStringLiteral("%AppPath%"), f.AppFolder, Qt::CaseSensitive);
}

QString ExpandTarget(const QString& target, const ScriptFolders& f) {
    const std::pair<const char*, const QString*> order[] = {
        {"%AppPath%", &f.AppFolder},       {"%CommonFileSys%", &f.CommonFileSys},
        {"%CommonFile%", &f.CommonFile},   {"%WinSysPath%", &f.WinSysPath},
        {"%WindowsPath%", &f.WindowsPath}, {"%TempPath%", &f.TempPath}};
    for (const auto& [name, value] : order) {
        const QString placeholder = QString::fromLatin1(name);
        if (target.contains(placeholder, Qt::CaseInsensitive))
            return replaceAll(target, placeholder, *value, Qt::CaseInsensitive);
    }
    return target;
}

} // namespace lumo::setup
