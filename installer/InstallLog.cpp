#include "installer/InstallLog.h"

#include "platform/text/AnsiText.h"

#include <QFile>

namespace lumo::setup {

QString InstallLog::text() const {
    QString out;
    const auto put = [&out](const char* tag, const QStringList& items) {
        for (const QString& item : items)
            out += QString::fromLatin1(tag) + u' ' + item + u'\n';
    };
    put("DIR", dirs);
    put("FILE", files);
    put("SHORTCUT", shortcuts);
    put("REG", regKeys);
    return out;
}

InstallLog InstallLog::parse(const QString& text) {
    InstallLog log;
    for (const QString& line : text.split(u'\n')) {
        const QString tag = line.section(u' ', 0, 0);
        const QString value = line.section(u' ', 1).trimmed();
        if (value.isEmpty())
            continue;
        if (tag == QStringLiteral("DIR"))
            log.dirs.append(value);
        else if (tag == QStringLiteral("FILE"))
            log.files.append(value);
        else if (tag == QStringLiteral("SHORTCUT"))
            log.shortcuts.append(value);
        else if (tag == QStringLiteral("REG"))
            log.regKeys.append(value);
    }
    return log;
}

bool InstallLog::save(const QString& path, QString* error) const {
    return text::writeFileBytes(path, text().toUtf8(), error);
}

bool InstallLog::load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *this = parse(QString::fromUtf8(f.readAll()));
    return true;
}

} // namespace lumo::setup
