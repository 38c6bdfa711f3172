#include "browsers/BrowsersRegistration.h"
#include "common/TempProgramDir.h"
#include "core/AppContext.h"
#include "core/LumoMain.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MainWindowRegistry.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/ui/DialogPresenter.h"
#include "platform/ui/RichTextBox.h"

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

QStringList items(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0);
    return out;
}

// Herbs that have both substances, asked of the database in plain SQL.
QStringList herbsWithBoth(const QString& a, const QString& b) {
    const QString has = QStringLiteral("Idx IN (SELECT IdxByliny FROM UcLatkyByliny, UcinneLatky "
                                       "WHERE IdxUcLatky = UcinneLatky.Idx AND UcinneLatky.Nazev = '%1')");
    db::Recordset rs =
        App().DbConnection->execute(QStringLiteral("SELECT Nazev FROM Byliny WHERE ") + has.arg(a) +
                                    QStringLiteral(" AND ") + has.arg(b) + QStringLiteral(" ORDER BY Nazev"));
    QStringList names;
    for (; !rs.eof(); rs.moveNext())
        names << rs.field(QStringLiteral("Nazev")).str();
    return names;
}

void check(QTreeWidget* list, const QString& text) {
    const QList<QTreeWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    found.first()->setCheckState(0, Qt::Checked);
}

// The program as the user starts it, on a copy of the sample database: a herb's active
// substances on their tab, two of them marked and searched, the category view with a
// description, a click on a herb in it back to that herb, and the indications' links.
TEST(BrowsersEndToEnd, ActiveSubstancesFromTheHerbToTheCategoryAndBack) {
    TempProgramDir dir;
    const QString sample = qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb");
    ASSERT_TRUE(QFile::copy(sample, dir.file(QStringLiteral("Lumo.mdb")))) << "build the data target first";
    QStringList dialogs;
    ui::ScopedDialogHook hook([&](QDialog& d) -> std::optional<int> {
        dialogs << d.windowTitle();
        return QDialog::Rejected;
    });
    ClearMainWindowHooks();
    RegisterBrowsers();
    StartupHooks hooks;
    hooks.anotherInstanceRunning = [] { return false; };
    hooks.runSettingsDialog = [] {};
    hooks.loadMainWindow = [] { LoadMainWindow(); };
    hooks.fatalMessage = [](const QString&, const QString&) {};
    ASSERT_EQ(Main(hooks), StartOutcome::Started);
    QPointer<FrmMain> form = FrmMain::Instance();
    ASSERT_TRUE(form);
    QApplication::setActiveWindow(form);
    QApplication::processEvents();

    form->TxtByl->setFocus();
    QTest::keyClicks(form->TxtByl, QStringLiteral("he"));
    QTest::sendKeyEvent(QTest::Click, form->TxtByl, Qt::Key_unknown, QStringLiteral("ř"), Qt::NoModifier);
    QTest::keyClick(form->TxtByl, Qt::Key_Return);
    ASSERT_EQ(form->CurrentHerbName, QStringLiteral("Heřmánek pravý"));
    form->setTabIndex(1);
    EXPECT_EQ(items(form->LvUL), QStringList({"flavonoidy", "kumariny", "polysacharidy", "silice", "slizy"}));
    check(form->LvUL, QStringLiteral("kumariny"));
    check(form->LvUL, QStringLiteral("slizy"));
    ASSERT_EQ(form->focusWidget(), form->LvUL);
    QTest::keyClick(form->LvUL, Qt::Key_F7);
    const QStringList expected = herbsWithBoth(QStringLiteral("kumariny"), QStringLiteral("slizy"));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(items(form->Lv), expected);
    EXPECT_EQ(form->panelText(QStringLiteral("Podminka")),
              QStringLiteral("Byliny s látkami kumariny, slizy"));

    // The category view, as its menu command opens it.
    form->Hooks.ListFillers[2](QString());
    EXPECT_EQ(form->ListMode, 2);
    const QList<QTreeWidgetItem*> kumariny =
        form->Lv->findItems(QStringLiteral("kumariny"), Qt::MatchExactly);
    ASSERT_EQ(kumariny.size(), 1);
    const QPoint at = form->Lv->visualItemRect(kumariny.first()).center();
    QTest::mouseClick(form->Lv->viewport(), Qt::LeftButton, {}, at);
    const QString text = form->RtfTemp->Text();
    ASSERT_TRUE(text.startsWith(QStringLiteral("kumariny\r\n"))) << text.toStdString();
    // The heading starts a line of its own and the herbs follow it, one a line.
    const qsizetype heading = text.indexOf(QStringLiteral("\r\nSeznam bylin\r\n"));
    ASSERT_GT(heading, 0) << text.toStdString();
    const qsizetype herb = text.indexOf(QStringLiteral("\r\nHeřmánek pravý\r\n"), heading);
    ASSERT_GT(herb, heading);

    // A click on a herb of the list leads to that herb.
    form->RtfTemp->setSelStart(static_cast<int>(herb) + 4);
    const QRect caret = form->RtfTemp->cursorRect();
    QTest::mouseClick(form->RtfTemp->viewport(), Qt::LeftButton, {}, caret.center() + QPoint(2, 0));
    EXPECT_EQ(form->ListMode, 1);
    EXPECT_EQ(form->CurrentHerbName, QStringLiteral("Heřmánek pravý"));

    // By folk names the silice's herbs list "dušička" twice (mateřídouška and tymián): each of
    // the two lines leads to its own herb.
    App().Settings.NamesLang = 9;
    QStringList czechNames;
    for (int line = 0; line < 2; ++line) {
        form->Hooks.ListFillers[2](QString());
        const QList<QTreeWidgetItem*> silice =
            form->Lv->findItems(QStringLiteral("silice"), Qt::MatchExactly);
        ASSERT_EQ(silice.size(), 1);
        QTest::mouseClick(form->Lv->viewport(), Qt::LeftButton, {},
                          form->Lv->visualItemRect(silice.first()).center());
        const QString description = form->RtfTemp->Text();
        qsizetype at = description.indexOf(QStringLiteral("\r\ndušička\r\n"));
        if (line == 1)
            at = description.indexOf(QStringLiteral("\r\ndušička\r\n"), at + 1);
        ASSERT_GT(at, 0) << description.toStdString();
        form->RtfTemp->setSelStart(static_cast<int>(at) + 4);
        QTest::mouseClick(form->RtfTemp->viewport(), Qt::LeftButton, {},
                          form->RtfTemp->cursorRect().center() + QPoint(2, 0));
        EXPECT_EQ(form->selectedListItem()->text(0), QStringLiteral("dušička"));
        const QStringList lines = form->RtfByl->Text().split(QStringLiteral("\r\n"));
        czechNames << lines.filter(QStringLiteral("Český název: ")).value(0).trimmed();
    }
    czechNames.sort();
    EXPECT_EQ(czechNames.join(u'|').toStdString(),
              "Český název: Mateřídouška obecná|Český název: Tymián obecný");
    App().Settings.NamesLang = 1;

    // Indications: a click on the broader indication of a sub-indication's description shows
    // that indication.
    form->Hooks.ListFillers[5](QString());
    const QList<QTreeWidgetItem*> fever = form->Lv->findItems(QStringLiteral("Horečka"), Qt::MatchExactly);
    ASSERT_EQ(fever.size(), 1);
    QTest::mouseClick(form->Lv->viewport(), Qt::LeftButton, {},
                      form->Lv->visualItemRect(fever.first()).center());
    const QString feverText = form->RtfTemp->Text();
    const qsizetype broader = feverText.indexOf(QStringLiteral("\r\nŠirší indikace\r\nNachlazení\r\n"));
    ASSERT_GT(broader, 0) << feverText.toStdString();
    form->RtfTemp->setSelStart(static_cast<int>(broader) + 20);
    QTest::mouseClick(form->RtfTemp->viewport(), Qt::LeftButton, {},
                      form->RtfTemp->cursorRect().center() + QPoint(2, 0));
    EXPECT_EQ(form->ListMode, 5);
    EXPECT_TRUE(form->RtfTemp->Text().startsWith(QStringLiteral("Nachlazení\r\n")));
    EXPECT_TRUE(form->RtfTemp->Text().contains(QStringLiteral("\r\nSouvisející indikace\r\n")));
    EXPECT_TRUE(dialogs.isEmpty()) << dialogs.join(u'|').toStdString();

    form->close();
    QApplication::processEvents();
    ClearMainWindowHooks();
}

} // namespace
} // namespace lumo::test
