#pragma once

#include <QList>
#include <QString>

// The upgrade scripts "Install.txt" and "Upgrade.txt": records of five comma-separated
// fields read five at a time, with folder placeholders.
namespace lumo::setup {

struct ScriptRecord {
    QString Source;
    QString FileName;
    QString Target;
    QString Arguments;
    QString Command;
};

struct ParsedScript {
    QList<ScriptRecord> records;
    // Fields left over at the end that do not make a whole record: the read ran past
    // the end of the file. Those fields are not run.
    int missingFields = 0;
};

// The fields of the text five at a time. A field ends at a comma or a line break; a
// field in double quotes may hold commas and keeps its blanks; blanks around other
// fields are dropped. Blank lines hold no fields.
ParsedScript ParseScript(const QString& text);

// The text of a script or of another text file of the medium: Windows-1250, or UTF-8 with
// its byte-order mark.
QString DecodeScript(const QByteArray& bytes);

struct ScriptFolders {
    QString SourceFolder;
    QString AppFolder;
    QString CommonFileSys;
    QString CommonFile;
    QString WinSysPath;
    QString WindowsPath;
    QString TempPath;
};

// Every "%InstallPath%", then every "%AppPath%" (case as written).
QString ExpandSource(const QString& source, const ScriptFolders& f);
// The first placeholder that occurs (in the order AppPath, CommonFileSys, CommonFile,
// WinSysPath, WindowsPath, TempPath; any case), every occurrence of it; only that one.
QString ExpandTarget(const QString& target, const ScriptFolders& f);

} // namespace lumo::setup
