#pragma once

#include <QString>

#include <optional>

// Stand-in for the registry: one small per-user file shared by LUMO, ZefSetup and the
// setup program, "$XDG_CONFIG_HOME/zefirak/registry.ini" (~/.config when unset), UTF-8.
// A key is one section named by its full path with the root
// ("HKEY_LOCAL_MACHINE\Software\..."), compared without regard to case; a value is one
// line, "@" naming the key's default value.
namespace lumo::registry {

// The application-path key the setup program writes (default value: the full path of
// the installed program) and the uninstaller removes.
inline const QString kAppPathKey =
    QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Lumo.exe");

// The store file.
QString StoreFile();

// The value name of a key (empty name: its default value); nullopt when missing.
std::optional<QString> ReadValue(const QString& key, const QString& name = {});

// Writes or removes one value; the file is replaced atomically. Only the setup
// program and the uninstaller write.
bool WriteValue(const QString& key, const QString& name, const QString& value, QString* error = nullptr);
bool DeleteValue(const QString& key, const QString& name = {}, QString* error = nullptr);

} // namespace lumo::registry
