#include "mainwindow/FrmMainFixture.h"

#include "core/AppContext.h"
#include "platform/DbFixture.h"
#include "platform/db/CzechCollation.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace lumo::test {
namespace {

using HerbList = FrmMainFixture;

const QString kCzechOrder[] = {"Cibule", "Čekanka", "Hloh", "Chmel", "Máta peprná"};

TEST_F(HerbList, CzechNamesInCzechOrderKeyedByIdx) {
    openDatabase();
    loadWindow();
    EXPECT_EQ(listTexts(), (QStringList{"Cibule", "Čekanka", "Hloh", "Chmel", "Máta peprná"}));
    EXPECT_EQ(listKeys(), (QStringList{"K1", "K2", "K3", "K4", "K5"}));
    EXPECT_EQ(form->ListMode, 1);
}

TEST_F(HerbList, TypingSelectsWithoutShowing) {
    openDatabase();
    loadWindow();
    record->shown.clear();
    type(QStringLiteral("má"));
    EXPECT_EQ(selectedText(), QStringLiteral("Máta peprná"));
    EXPECT_EQ(form->searchBoxColors(), SearchBoxColors(SearchBoxState::Normal));
    EXPECT_EQ(form->panelText(QStringLiteral("Popis")), QStringLiteral("Cibule")); // the herb shown
    type(QStringLiteral("  CH"));
    EXPECT_EQ(selectedText(), QStringLiteral("Chmel"));
    type(QStringLiteral("h"));
    EXPECT_EQ(selectedText(), QStringLiteral("Hloh"));
    EXPECT_TRUE(record->shown.isEmpty());
}

TEST_F(HerbList, AForeignNameSelectsItsHerb) {
    openDatabase();
    loadWindow();
    type(QStringLiteral("mentha"));
    EXPECT_EQ(selectedText(), QStringLiteral("Máta peprná"));
    EXPECT_EQ(form->CurrentHerb, 5);
    EXPECT_EQ(form->panelText(QStringLiteral("Popis")), QStringLiteral("Mentha piperita"));
    EXPECT_EQ(form->searchBoxColors(), SearchBoxColors(SearchBoxState::ForeignInList));
    type(QStringLiteral("chmeľ"));
    EXPECT_EQ(selectedText(), QStringLiteral("Chmel"));
}

TEST_F(HerbList, AForeignNameOfAHerbOutsideTheSearchResult) {
    openDatabase();
    loadWindow();
    form->NactiNazvy(QStringLiteral("SELECT * FROM Byliny WHERE Idx<3 ORDER BY Nazev"), 0);
    EXPECT_EQ(listTexts(), (QStringList{"Cibule", "Čekanka"}));
    form->selectListItem(form->Lv->topLevelItem(1));
    type(QStringLiteral("Humulus"));
    EXPECT_EQ(form->searchBoxColors(), SearchBoxColors(SearchBoxState::ForeignNotInList));
    EXPECT_EQ(selectedText(), QStringLiteral("Čekanka"));
}

TEST_F(HerbList, NothingFoundAndTypedQuotesOrPatternsReportNothing) {
    openDatabase();
    loadWindow();
    for (const char* typed : {"xyz", "O'Neil", "'", "%", "_"}) {
        type(QString::fromUtf8(typed));
        EXPECT_EQ(form->searchBoxColors(), SearchBoxColors(SearchBoxState::NotFound)) << typed;
        EXPECT_EQ(form->panelText(QStringLiteral("Popis")), QStringLiteral("Název nenalezen")) << typed;
    }
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'|').toStdString();
    EXPECT_TRUE(dir.read(QStringLiteral("Errors.txt")).isEmpty());
    // Leaving the box puts the colours back.
    form->Lv->setFocus();
    EXPECT_EQ(form->searchBoxColors(), SearchBoxColors(SearchBoxState::Normal));
}

TEST_F(HerbList, ACategoryListMismatchLooksNothingUp) {
    openDatabase();
    loadWindow();
    form->ListMode = 2;
    form->Lv->clear();
    form->addListItem(QStringLiteral("K1"), QStringLiteral("Silice"));
    const long herb = form->CurrentHerb;
    type(QStringLiteral("mentha"));
    EXPECT_EQ(form->searchBoxColors(), SearchBoxColors(SearchBoxState::NotFound));
    EXPECT_EQ(form->CurrentHerb, herb);
    type(QStringLiteral("sil"));
    EXPECT_EQ(form->panelText(QStringLiteral("Popis")), QStringLiteral("Silice"));
}

TEST_F(HerbList, NamesLanguagesListEveryNonBlankNameAndEndTheSearch) {
    openDatabase();
    loadWindow();
    form->setPanelText(QStringLiteral("Podminka"), QStringLiteral("Účinná látka: Silice"));
    form->MarkedULCount = form->MarkedIndSkCount = form->MarkedIndCount = form->MarkedKombCount =
        form->MarkedMonthsCount = 3;
    form->PictureCount = 2;
    App().Settings.NamesLang = 9;
    form->NactiSeznamBylin();
    EXPECT_EQ(listTexts(), (QStringList{"máta", "peprmintka"}));
    EXPECT_EQ(listKeys(), (QStringList{"K5", "K5"}));
    EXPECT_EQ(form->panelText(QStringLiteral("Podminka")), QString());
    for (long marked : {form->MarkedULCount, form->MarkedIndSkCount, form->MarkedIndCount,
                        form->MarkedKombCount, form->MarkedMonthsCount})
        EXPECT_EQ(marked, 0);
    EXPECT_EQ(form->PictureCount, 2); // the shown herb's pictures stay reachable
    App().Settings.NamesLang = 2;
    form->NactiSeznamBylin();
    EXPECT_EQ(listTexts(), (QStringList{"Crataegus", "Humulus lupulus", "Mentha piperita"}));
    EXPECT_EQ(listKeys(), (QStringList{"K3", "K4", "K5"}));
    for (qint16 outside : {0, 10}) {
        App().Settings.NamesLang = outside;
        form->NactiSeznamBylin();
        EXPECT_EQ(listTexts().size(), 5) << outside;
    }
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'|').toStdString();
}

TEST_F(HerbList, ARefillKeepsTheHerbShownSelectedAndShowsIt) {
    openDatabase();
    loadWindow();
    type(QStringLiteral("hl"));
    form->Lv->setFocus();
    QTest::keyClick(form->Lv, Qt::Key_Return); // into the record
    type(QStringLiteral("Játra a žlučník"));   // the box as a category view leaves it
    form->CurrentHerb = 3;
    record->shown.clear();
    App().Settings.NamesLang = 2;
    form->NactiSeznamBylin();
    EXPECT_EQ(selectedText(), QStringLiteral("Crataegus"));
    EXPECT_EQ(record->shown, QStringList{QStringLiteral("Crataegus")});
    EXPECT_EQ(form->TxtByl->text(), QStringLiteral("Crataegus"));
    EXPECT_EQ(selectedText(), QStringLiteral("Crataegus"));
    EXPECT_EQ(form->tabIndex(), 0);
    // By folk names a herb shown under its second name ("peprmintka" after "máta") keeps it.
    App().Settings.NamesLang = 9;
    form->NactiSeznamBylin();
    type(QStringLiteral("pep"));
    QTest::keyClick(form->TxtByl, Qt::Key_Return);
    record->shown.clear();
    form->NactiSeznamBylin();
    EXPECT_EQ(selectedText(), QStringLiteral("peprmintka"));
    EXPECT_EQ(record->shown, QStringList{QStringLiteral("peprmintka")});
}

TEST_F(HerbList, EnterInTheSearchBoxShowsTheItemEvenWhenShownAlready) {
    openDatabase();
    loadWindow();
    record->shown.clear();
    type(QStringLiteral("Čekanka"));
    QTest::keyClick(form->TxtByl, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->Lv);
    form->TxtByl->setFocus();
    QTest::keyClick(form->TxtByl, Qt::Key_Return);
    EXPECT_EQ(record->shown, (QStringList{"Čekanka", "Čekanka"}));
    form->TxtByl->setFocus();
    QTest::keyClick(form->TxtByl, Qt::Key_Up);
    EXPECT_EQ(record->shown.last(), QStringLiteral("Cibule"));
    // Up over an empty list has nothing to show: the record and the typed text stay.
    form->NactiNazvy(QStringLiteral("SELECT * FROM Byliny WHERE Idx<0 ORDER BY Nazev"), 0);
    record->shown.clear();
    type(QStringLiteral("Hlo"));
    QTest::keyClick(form->TxtByl, Qt::Key_Up);
    EXPECT_TRUE(record->shown.isEmpty());
    EXPECT_EQ(form->TxtByl->text(), QStringLiteral("Hlo"));
    // Down over a search result without the herb shown (nothing selected) takes its first
    // item: the list and the record name the same herb.
    form->NactiNazvy(QStringLiteral("SELECT * FROM Byliny WHERE Nazev<>'Cibule' ORDER BY Nazev"), 0);
    ASSERT_EQ(form->Lv->selectedItems().size(), 0);
    form->TxtByl->setFocus();
    QTest::keyClick(form->TxtByl, Qt::Key_Down);
    EXPECT_EQ(record->shown, QStringList{QStringLiteral("Čekanka")});
    EXPECT_EQ(selectedText(), QStringLiteral("Čekanka"));
}

// Without a window manager the window gets keys without being the active one;
// the keys must still be handled as in an active window.
TEST_F(HerbList, KeysWorkWhileTheWindowIsNotTheActiveOne) {
    openDatabase();
    loadWindow();
    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    record->shown.clear();
    form->TxtByl->setFocus();
    type(QStringLiteral("Čekanka"));
    QTest::keyClick(form->TxtByl, Qt::Key_Return);
    EXPECT_EQ(record->shown, QStringList{QStringLiteral("Čekanka")});
    EXPECT_EQ(form->focusWidget(), form->Lv);
}

TEST_F(HerbList, HeldArrowsMoveTheSelectionAndShowOnRelease) {
    openDatabase();
    loadWindow();
    record->shown.clear();
    form->Lv->setFocus();
    for (int i = 0; i < 3; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), i > 0);
        QApplication::sendEvent(form->Lv, &press);
        if (i < 2) {
            QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(form->Lv, &repeatRelease);
        }
    }
    EXPECT_TRUE(record->shown.isEmpty());
    EXPECT_EQ(selectedText(), QStringLiteral("Chmel"));
    QTest::keyRelease(form->Lv, Qt::Key_Down);
    EXPECT_EQ(record->shown, QStringList{QStringLiteral("Chmel")});
    QTest::keyClick(form->Lv, Qt::Key_Left);
    QTest::keyClick(form->Lv, Qt::Key_Right);
    EXPECT_EQ(selectedText(), QStringLiteral("Chmel"));
    EXPECT_EQ(record->shown.size(), 1);
    // An arrow in an empty list leaves nothing pending: a click in the refilled list shows its herb.
    form->NactiNazvy(QStringLiteral("SELECT * FROM Byliny WHERE Idx<0 ORDER BY Nazev"), 0);
    QTest::keyClick(form->Lv, Qt::Key_Down);
    form->NactiSeznamBylin();
    record->shown.clear();
    QTest::mouseClick(form->Lv->viewport(), Qt::LeftButton, {},
                      form->Lv->visualItemRect(form->Lv->topLevelItem(1)).center());
    EXPECT_EQ(record->shown, QStringList{QStringLiteral("Čekanka")});
}

TEST_F(HerbList, HomeEndAndTheListsTypeAheadShowTheItemOnce) {
    openDatabase();
    loadWindow();
    form->setTabIndex(1);
    form->setTabIndex(0); // a tab chosen: typed letters stay with the list
    record->shown.clear();
    form->Lv->setFocus();
    QTest::keyClick(form->Lv, Qt::Key_End);
    QTest::keyClick(form->Lv, Qt::Key_Home);
    QTest::keyClick(form->Lv, 'h');
    QTest::keyClick(form->Lv, Qt::Key_Home); // already there: nothing new
    // Ctrl+End with Ctrl let go first, then Ctrl+Home.
    QTest::keyPress(form->Lv, Qt::Key_Control);
    QTest::keyPress(form->Lv, Qt::Key_End, Qt::ControlModifier);
    QTest::keyRelease(form->Lv, Qt::Key_Control, Qt::ControlModifier);
    QTest::keyRelease(form->Lv, Qt::Key_End);
    QTest::keyClick(form->Lv, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(record->shown,
              (QStringList{"Máta peprná", "Cibule", "Hloh", "Cibule", "Máta peprná", "Cibule"}));
    EXPECT_EQ(selectedText(), QStringLiteral("Cibule"));
    // Enter pressed in the search box is let go in the list: shown once, by the box.
    record->shown.clear();
    type(QStringLiteral("čeka"));
    QTest::keyPress(form->TxtByl, Qt::Key_Return);
    QTest::keyRelease(form->Lv, Qt::Key_Return);
    EXPECT_EQ(record->shown, QStringList{QStringLiteral("Čekanka")});
    // A key pressed before the list is refilled chooses nothing in the new list.
    form->Lv->setFocus();
    QTest::keyPress(form->Lv, Qt::Key_End);
    form->NactiNazvy(QStringLiteral("SELECT * FROM Byliny WHERE Idx<3 ORDER BY Nazev"), 0);
    record->shown.clear();
    form->selectListItem(form->Lv->topLevelItem(0));
    QTest::keyRelease(form->Lv, Qt::Key_End);
    EXPECT_TRUE(record->shown.isEmpty());
}

TEST_F(HerbList, AClickShowsTheHerbAndPutsItsNameInTheBox) {
    openDatabase();
    loadWindow();
    record->shown.clear();
    QTreeWidgetItem* item = form->Lv->topLevelItem(3);
    const QRect r = form->Lv->visualItemRect(item);
    QTest::mouseClick(form->Lv->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(record->shown, QStringList{QStringLiteral("Chmel")});
    EXPECT_EQ(form->TxtByl->text(), QStringLiteral("Chmel"));
    EXPECT_EQ(form->TxtByl->selectedText(), QStringLiteral("Chmel"));
    EXPECT_TRUE(form->ForceLoad);
}

TEST_F(HerbList, AnEmptyHerbTableIsReportedOnceAndAnEmptySearchNot) {
    QStringList db = SmallHerbDatabase();
    db.removeIf([](const QString& s) { return s.startsWith(QStringLiteral("INSERT INTO Byliny")); });
    openDatabase(db);
    loadWindow();
    EXPECT_EQ(form->Lv->topLevelItemCount(), 0);
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze načíst názvy bylin")});
    const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-NactiNazvy"))) << log.toStdString();
    EXPECT_TRUE(
        log.contains(QStringLiteral("Databáze neobsahuje názvy bylin, kontaktujte technickou podporu")));
    form->NactiNazvy(QStringLiteral("SELECT * FROM Byliny WHERE Idx=99 ORDER BY Nazev"), 0);
    EXPECT_EQ(reports.size(), 1);
}

TEST_F(HerbList, AFailingStatementIsReportedWithTheSystemText) {
    openDatabase();
    loadWindow();
    form->NactiNazvy(QStringLiteral("SELECT * FROM Nothing ORDER BY Nazev"), 0);
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze načíst názvy bylin")});
    const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(
        log.contains(QStringLiteral("Nelze načíst názvy bylin, kontaktujte technickou podporu\r\nSystem: ")))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-NactiNazvy-"))) << log.toStdString();
}

TEST_F(HerbList, AnEmptyLanguageTableIsReported) {
    QStringList db = SmallHerbDatabase();
    db.removeIf([](const QString& s) { return s.startsWith(QStringLiteral("INSERT INTO Jazyk")); });
    openDatabase(db);
    loadWindow();
    EXPECT_EQ(form->LangCount, 0);
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze načíst informace o podporovaných jazycích")});
}

// A reader that fails at run time reports its own number, message with the engine's
// text, title and location; the window goes on without what it could not read.
TEST_F(HerbList, RunTimeFailuresOfTheLanguageAndForeignNameReaders) {
    QStringList db = SmallHerbDatabase();
    db.removeIf([](const QString& s) {
        return s.contains(QStringLiteral(" Jazyk")) || s.contains(QStringLiteral(" Nazvy"));
    });
    openDatabase(db);
    loadWindow();
    EXPECT_EQ(form->LangCount, 0);
    type(QStringLiteral("mentha"));
    EXPECT_EQ(reports, (QStringList{QStringLiteral("Nelze načíst informace o podporovaných jazycích"),
                                    QStringLiteral("Nelze vyhledat alternativní název byliny")}));
    const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    for (const QString& entry :
         {QStringLiteral("\r\nChyba: 6 "),
          QStringLiteral(
              "[Nelze načíst informace o podporovaných jazycích]\r\nZdroj: LUMO-FrmMain-NactiJazyky-"),
          QStringLiteral("Popis: Nelze načíst informace o podporovaných jazycích, kontaktujte technickou "
                         "podporu\r\nSystem: "),
          QStringLiteral("\r\nChyba: 10 "),
          QStringLiteral("[Nelze vyhledat alternativní název byliny]\r\nZdroj: LUMO-FrmMain-NajdiCiziNazev-"),
          QStringLiteral("Popis: Nelze vyhledat alternativní název byliny, kontaktujte technickou "
                         "podporu\r\nSystem: ")})
        EXPECT_TRUE(log.contains(entry)) << entry.toStdString() << "\n" << log.toStdString();
}

// The sample database the data target builds.
TEST_F(HerbList, SampleDatabaseOpensAndTypingFindsHerbs) {
    openSampleDatabase();
    if (IsSkipped() || HasFatalFailure())
        return;
    loadWindow();
    ASSERT_GT(form->Lv->topLevelItemCount(), 0);
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'|').toStdString();
    type(QStringLiteral("heř"));
    EXPECT_TRUE(selectedText().startsWith(QStringLiteral("Heřmánek"))) << selectedText().toStdString();
    EXPECT_EQ(form->searchBoxColors(), SearchBoxColors(SearchBoxState::Normal));
    // Every names language reads in Czech order, here through the name index of the built file;
    // the status bar's "Popis" panel holds each name whole.
    const db::CzechCollation czech;
    const QLabel* popis = form->panel(QStringLiteral("Popis"));
    ASSERT_NE(popis, nullptr);
    for (qint16 language = 2; language <= 9; ++language) {
        App().Settings.NamesLang = language;
        form->NactiSeznamBylin();
        const QStringList texts = listTexts();
        for (qsizetype i = 0; i < texts.size(); ++i) {
            EXPECT_FALSE(texts[i].trimmed().isEmpty()) << language;
            EXPECT_LE(popis->fontMetrics().horizontalAdvance(texts[i]), popis->contentsRect().width())
                << texts[i].toStdString();
            if (i > 0) {
                EXPECT_LE(czech.compare(texts[i - 1], texts[i]), 0)
                    << language << ": " << texts[i].toStdString();
            }
        }
    }
    // Over the Latin list a Czech name is found as another name of its herb.
    App().Settings.NamesLang = 2;
    form->NactiSeznamBylin();
    type(QStringLiteral("Chmel o"));
    EXPECT_EQ(form->panelText(QStringLiteral("Popis")), QStringLiteral("Chmel otáčivý"));
    EXPECT_EQ(selectedText(), QStringLiteral("Humulus lupulus L."));
    EXPECT_EQ(form->searchBoxColors(), SearchBoxColors(SearchBoxState::ForeignInList));
    App().Settings.NamesLang = 9;
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'|').toStdString();
    form->close();
    EXPECT_TRUE(
        text::decodeAnsi(dir.read(QStringLiteral("Lumo.ini"))).contains(QStringLiteral("NamesLang=9")));
}

} // namespace
} // namespace lumo::test
