#pragma once

#include <QString>
#include <QStringList>

// The installation log the setup program leaves in the program folder ("ST6UNST.LOG")
// and the uninstaller reads: UTF-8 lines "DIR <folder>", "FILE <path>",
// "SHORTCUT <path>", "REG <key>" (the key's default value).
namespace lumo::setup {

struct InstallLog {
    QStringList dirs;
    QStringList files;
    QStringList shortcuts;
    QStringList regKeys;

    QString text() const;
    static InstallLog parse(const QString& text);
    bool save(const QString& path, QString* error = nullptr) const;
    // False when the file cannot be read.
    bool load(const QString& path);
};

} // namespace lumo::setup
