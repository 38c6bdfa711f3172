#pragma once

#include "common/TempProgramDir.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/HerbRecordView.h"
#include "platform/ui/DialogPresenter.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class QTreeWidget;

namespace lumo::test {

// Records each herb the window asks to show.
class RecordingRecordView : public HerbRecordView {
public:
    explicit RecordingRecordView(FrmMain& form) : m_form(form) {}
    void UkazBylinu() override;

    QStringList shown; // text of the selected item at each call ("" when none)

private:
    FrmMain& m_form;
};

// Five Czech herbs and their names in other languages, in a plain database file.
QStringList SmallHerbDatabase();

// A temporary program folder with the service objects, settings read from its "Lumo.ini",
// a database and a dialog hook that records and closes every error report.
class FrmMainFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a plain database built from statements (SmallHerbDatabase by default).
    void openDatabase(const QStringList& statements = SmallHerbDatabase());
    // Copies the sample database the data target builds into the program folder and opens it
    // as the program does; skips the test when it is not built.
    void openSampleDatabase();
    // Creates, loads and activates the window, with a recording record view; install puts
    // further parts on the new window before it loads.
    void loadWindow(const std::function<void(FrmMain&)>& install = {});
    // Texts of the list in order.
    QStringList listTexts() const;
    QStringList listKeys() const;
    QString selectedText() const;
    // Types text into the search box as the user does (replacing what is there).
    void type(const QString& text);

    TempProgramDir dir;
    std::unique_ptr<ui::ScopedDialogHook> hook;
    QStringList reports; // titles of the dialogs shown
    FrmMain* form = nullptr;
    RecordingRecordView* record = nullptr;
};

} // namespace lumo::test
