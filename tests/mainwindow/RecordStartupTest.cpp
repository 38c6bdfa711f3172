#include "common/TempProgramDir.h"
#include "core/AppContext.h"
#include "core/LumoMain.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/HerbRecordComposer.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/DialogPresenter.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace lumo::test {
namespace {

QStringList lines(const ui::RichTextBox& box) {
    QStringList result = box.Text().split(QStringLiteral("\r\n"));
    for (QString& line : result) {
        while (line.endsWith(u' '))
            line.chop(1);
    }
    return result;
}

// The program started as the user starts it, on a copy of the sample database.
TEST(RecordStartup, ChamomileFromTheSearchBoxToTheSavedSettings) {
    TempProgramDir dir;
    const QString sample = qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb");
    ASSERT_TRUE(QFile::copy(sample, dir.file(QStringLiteral("Lumo.mdb")))) << "build the data target first";
    QStringList dialogs;
    ui::ScopedDialogHook hook([&](QDialog& d) -> std::optional<int> {
        dialogs << d.windowTitle();
        return QDialog::Rejected;
    });
    StartupHooks hooks;
    hooks.anotherInstanceRunning = [] { return false; };
    hooks.runSettingsDialog = [] {};
    hooks.loadMainWindow = [] { LoadMainWindow(); };
    QString fatal;
    hooks.fatalMessage = [&](const QString& text, const QString&) { fatal = text; };
    ASSERT_EQ(Main(hooks), StartOutcome::Started) << fatal.toStdString();
    QPointer<FrmMain> form = FrmMain::Instance();
    ASSERT_TRUE(form);
    QApplication::setActiveWindow(form);
    QApplication::processEvents(); // the first activation

    form->TxtByl->setFocus();
    QTest::keyClicks(form->TxtByl, QStringLiteral("he"));
    QTest::sendKeyEvent(QTest::Click, form->TxtByl, Qt::Key_unknown, QStringLiteral("ř"), Qt::NoModifier);
    ASSERT_EQ(form->TxtByl->text(), QStringLiteral("heř"));
    ASSERT_EQ(form->selectedListItem()->text(0), QStringLiteral("Heřmánek pravý"));
    QTest::keyClick(form->TxtByl, Qt::Key_Return);

    const QStringList names{QStringLiteral("Heřmánek pravý"),
                            QString(),
                            QStringLiteral("Český název: Heřmánek pravý"),
                            QStringLiteral("Zkrácený název: Heřmánek"),
                            QStringLiteral("Latinsky: Matricaria chamomilla L."),
                            QStringLiteral("Slovensky: Rumanček kamilkový"),
                            QStringLiteral("Německy: Echte Kamille"),
                            QStringLiteral("Anglicky: German chamomile"),
                            QStringLiteral("Francouzsky: Matricaire camomille"),
                            QStringLiteral("Španělsky: Manzanilla"),
                            QStringLiteral("Rusky: Ромашка аптечная"),
                            QString(),
                            QStringLiteral("Lidově: kamilka, rumánek, heřmánek lékařský"),
                            QString(),
                            QStringLiteral("Čeleď: hvězdnicovité (Asteraceae)")};
    ui::RichTextBox& record = *form->RtfByl;
    EXPECT_EQ(lines(record).mid(0, names.size()), names);
    EXPECT_EQ(form->CurrentHerbName, QStringLiteral("Heřmánek pravý"));

    // Title and section headings as the profile formats them.
    const ProgramSettings& s = App().Settings;
    const QTextCharFormat title = record.charFormatAt(0);
    EXPECT_TRUE(title.font().bold());
    EXPECT_EQ(title.fontPointSize(), s.Names.TitleSize);
    EXPECT_EQ(ui::ColorToOle(title.foreground().color()), PaletteColor(s.Names.TitleColor));
    const int label = static_cast<int>(record.Text().indexOf(QStringLiteral("Latinsky:")));
    EXPECT_EQ(record.charFormatAt(label).fontPointSize(), s.Names.SubTitleSize);
    EXPECT_EQ(ui::ColorToOle(record.charFormatAt(label).foreground().color()),
              PaletteColor(s.Names.SubTitleColor));
    const int heading = static_cast<int>(record.Text().indexOf(QStringLiteral("Indikační skupina:")));
    ASSERT_GT(heading, label);
    EXPECT_EQ(ui::ColorToOle(record.charFormatAt(heading).foreground().color()), 0x8000);
    EXPECT_TRUE(s.EnableSegmentDef); // the screen profile chosen at the first start
    EXPECT_EQ(record.charFormatAt(heading).fontPointSize(), s.Segments[1].TitleSize);

    // Names in Latin: the list and the record's title follow, the herb stays.
    App().Settings.NamesLang = 2;
    form->NactiSeznamBylin();
    EXPECT_EQ(form->selectedListItem()->text(0), QStringLiteral("Matricaria chamomilla L."));
    EXPECT_EQ(lines(record).at(0), QStringLiteral("Matricaria chamomilla L."));
    EXPECT_EQ(lines(record).at(2), QStringLiteral("Český název: Heřmánek pravý"));

    form->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QString ini = text::decodeAnsi(dir.read(QStringLiteral("Lumo.ini")));
    EXPECT_TRUE(ini.contains(QStringLiteral("NamesLang=2\r\n"))) << ini.toStdString();
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Errors.txt"))))
        << text::decodeAnsi(dir.read(QStringLiteral("Errors.txt"))).toStdString();
    EXPECT_TRUE(dialogs.isEmpty()) << dialogs.join(u';').toStdString();
    App().ReleaseObjects();
}

} // namespace
} // namespace lumo::test
