#pragma once

#include "common/TempProgramDir.h"
#include "platform/ui/DialogPresenter.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>

namespace lumo::test {

// A real herb record (names block and every section) composed from the sample database,
// the record joined to itself `copies` times.
QString SampleRecordRtf(int copies = 1);
// The plain text of an RTF document as the rich-text box gives it (CR LF between paragraphs).
QString PlainTextOf(const QString& rtf);
// A key pressed on the widget, as the keyboard sends it.
void press(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier);
// Runs a program; its standard output, or nullopt when it is not installed or failed.
std::optional<QString> RunTool(const QString& program, const QStringList& args);

// A program folder with the error object, the PDF printer current and fresh print settings;
// every dialog is answered "Cancel" unless a test installs its own hook.
class PrintFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QString errorLog() const;

    TempProgramDir dir;
    std::optional<ui::ScopedDialogHook> dialogs;
};

} // namespace lumo::test
