#include "installer/Shortcuts.h"

#include "installer/SetupPaths.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/process/Process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace lumo::setup {

namespace {

// A value of the entry's string type: backslashes doubled, line breaks as escapes.
QString escapeString(QString s) {
    s.replace(u'\\', QStringLiteral("\\\\"));
    s.replace(u'\n', QStringLiteral("\\n"));
    s.replace(u'\r', QStringLiteral("\\r"));
    s.replace(u'\t', QStringLiteral("\\t"));
    return s;
}

// One word of Exec: in double quotes, with the reserved characters escaped, and "%"
// doubled so no field code is read into it.
QString quoteExecWord(const QString& word) {
    QString q;
    for (const QChar c : word) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            q += u'\\';
        q += c;
    }
    q.replace(u'%', QStringLiteral("%%"));
    return u'"' + q + u'"';
}

bool writeEntry(const QString& file, const QString& text) {
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    // Flushed before commit, which would not see a write failing now (disk full).
    if (f.write(bytes) != bytes.size() || !f.flush())
        return false;
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                     QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                     QFileDevice::ExeOther);
    return f.commit();
}

} // namespace

QString ShortcutFileName(const QString& linkName) {
    const QString name = linkName.trimmed();
    if (name.isEmpty() || name == u'.' || name == QStringLiteral("..") || name.contains(u'/') ||
        name.contains(u'\\') || name.contains(QChar(0)))
        return {};
    return name + QStringLiteral(".desktop");
}

QString DesktopEntryText(const QString& name, const QString& targetPath, const QString& arguments,
                         const QString& workingFolder) {
    QStringList exec{quoteExecWord(paths::Normalize(targetPath))};
    for (const QString& arg : process::SplitCommandLine(QStringLiteral("x ") + arguments).mid(1))
        exec.append(quoteExecWord(arg));
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.0\n");
    text += QStringLiteral("Name=") + escapeString(name) + u'\n';
    text += QStringLiteral("Exec=") + escapeString(exec.join(u' ')) + u'\n';
    if (!workingFolder.isEmpty())
        text += QStringLiteral("Path=") + escapeString(paths::Normalize(workingFolder)) + u'\n';
    const QString icon = QFileInfo(paths::Normalize(targetPath)).path() + QStringLiteral("/Lumo.png");
    if (QFileInfo(icon).isFile())
        text += QStringLiteral("Icon=") + escapeString(icon) + u'\n';
    text += QStringLiteral("Terminal=false\n");
    return text;
}

bool CreateDesktopShortcut(const QString& targetPath, const QString& linkName, const QString& workingFolder,
                           int /*windowStyle*/, long /*iconIndex*/, const QString& arguments) {
    QString desktop = DesktopFolder(true);
    if (!FolderExists(desktop))
        desktop = DesktopFolder(false);
    const QString file = ShortcutFileName(linkName);
    if (!FolderExists(desktop) || file.isEmpty())
        return false;
    return writeEntry(desktop + u'/' + file,
                      DesktopEntryText(linkName, targetPath, arguments, workingFolder));
}

bool CreateToolkitShortcut(const QString& linkName, const QString& targetPath, long place,
                           const QString& arguments) {
    const QString file = ShortcutFileName(linkName);
    if (file.isEmpty())
        return false;
    QString folder;
    if (place == 16) {
        folder = SpecialFolderPath(16);
        if (!FileExists(targetPath) || !FolderExists(folder))
            return false;
    } else {
        folder = SpecialFolderPath(place == 2 ? 2 : 7);
        if (!QDir().mkpath(folder))
            return false;
    }
    const QString work = QFileInfo(paths::Normalize(targetPath)).path();
    return writeEntry(folder + u'/' + file, DesktopEntryText(linkName, targetPath, arguments, work));
}

} // namespace lumo::setup
