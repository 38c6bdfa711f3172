#include "platform/paths/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lumo::paths {

QString ProgramDir() {
    QString dir = qEnvironmentVariable("LUMO_PROGRAM_DIR");
    if (dir.isEmpty() && QCoreApplication::instance())
        dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty())
        dir = QDir::currentPath();
    dir = Normalize(dir);
    while (dir.size() > 1 && dir.endsWith(u'/'))
        dir.chop(1);
    return dir;
}

QString Normalize(const QString& path) {
    QString p = path;
    p.replace(u'\\', u'/');
    return p;
}

QString Resolve(const QString& path) {
    const QString p = Normalize(path);
    if (p.isEmpty() || QFileInfo::exists(p))
        return p;
    const bool absolute = p.startsWith(u'/');
    const QStringList parts = p.split(u'/', Qt::KeepEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    bool missing = false;
    for (qsizetype i = absolute ? 1 : 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        QString next;
        if (part.isEmpty()) {
            // Keep doubled and trailing separators as written.
            current += (i + 1 < parts.size() || !current.endsWith(u'/')) ? QStringLiteral("/") : QString();
            continue;
        }
        const QString base =
            current.isEmpty() ? QString() : (current.endsWith(u'/') ? current : current + u'/');
        next = base + part;
        if (!missing && part != u"." && part != u".." && !QFileInfo::exists(next)) {
            const QDir dir(base.isEmpty() ? QStringLiteral(".") : base);
            const QStringList entries =
                dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            bool found = false;
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    next = base + e;
                    found = true;
                    break;
                }
            }
            missing = !found;
        }
        current = next;
    }
    return current;
}

QString InProgramDir(const QString& name) {
    return Resolve(ProgramDir() + u'/' + Normalize(name));
}

} // namespace lumo::paths
