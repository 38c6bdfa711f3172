#pragma once

#include <QString>

// The program-wide state of ZefSetup: one instance for the run. Folders end with "/"
// unless empty (WindowsPath and WinSysPath never do).
namespace lumo::setup {

// The program file of LUMO on the medium and in the program folder.
inline const QString kProgramFile = QStringLiteral("LUMO");

struct SetupState {
    QString SourceFolder;
    QString AppFolder;
    QString AppExePath;
    QString DatabaseFolder;
    QString CopySource;
    QString CopyTarget;
    QString WindowsPath;
    QString WinSysPath;
    QString CommonFile;
    QString CommonFileSys;
    QString TempPath;
    long FormColour = 0xD8E9EC;
    int ShortcutAnswer = 0; // 0 none, 1 yes, 2 no
};

SetupState& State();

} // namespace lumo::setup
