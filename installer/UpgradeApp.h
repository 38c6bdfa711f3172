#pragma once

#include "installer/UpgradeScript.h"

#include <QString>

// Running an upgrade script record by record while the main window shows the progress.
namespace lumo::setup {

// Where the run shows its progress: the main window's caption and its bar.
class ScriptView {
public:
    virtual ~ScriptView() = default;
    virtual void setCaption(const QString& caption) = 0;
    virtual void showBar(bool visible) = 0;
    virtual int barFullWidth() const = 0;
    virtual void setBarWidth(int width) = 0;
};

// The folders of the placeholders, from the installer's state.
ScriptFolders CurrentScriptFolders();

// Runs one script (blank: the medium's "Upgrade.txt"). Every failed step is reported
// (code 94) and the run goes on with the next step; a script that cannot be read is
// reported once and runs nothing.
void UpgradeApp(const QString& scriptPath, ScriptView& view);

// Copies one script file, with the copy window or without. True when copied.
bool CopyScriptFile(const QString& source, const QString& target, bool showProgress);

} // namespace lumo::setup
