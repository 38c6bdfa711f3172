#pragma once

#include <QString>

// The folders and files the installer works with, mapped onto per-user XDG folders:
// the "Windows" folder holds the uninstaller, the system folder lies in it, common
// files default to the user's data folder, the desktop is the user's.
namespace lumo::setup {

// The folder with "/" appended when it does not end with one ("" stays "").
QString WithSlash(const QString& folder);

// The folder of the running ZefSetup (LUMO_SETUP_SOURCE overrides it, for tests), with "/".
QString GetSourceFolder();
// The registered full path of the installed program; "" when not registered.
QString GetAppExePath();
// Sets State().AppExePath; the folder of that path (with "/") when its file name is the
// program's, else "".
QString GetAppFolder();
QString GetWindowsPath();
QString GetWinSysPath();
QString GetCommonFile();
QString GetCommonFileSys();
QString GetTempPath();
// The uninstaller's command line with the installation log of the program folder.
QString GetUninstallCommand();
// The desktop folder; there is no all-users desktop here, so that one is "".
QString DesktopFolder(bool allUsers);
// The folder of a shell folder number (16 desktop, 2 programs menu, 7 autostart); "" when unknown.
QString SpecialFolderPath(int folder);

bool FileExists(const QString& path);
bool FolderExists(const QString& path);
// Colour planes times bits per pixel of the screen.
long ColourBits();

// DatabaseLocation of section Main in AppFolder's "Lumo.ini" into State().DatabaseFolder.
void ReadDatabaseLocation();
// DatabaseFolder & "Lumo.mdb" as DatabaseLocation into AppFolder's "Lumo.ini".
void WriteDatabaseLocation();

} // namespace lumo::setup
