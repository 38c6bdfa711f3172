#include "mainwindow/HerbRecordFixture.h"

#include "core/AppContext.h"
#include "mainwindow/HerbRecord.h"
#include "mainwindow/HerbRecordComposer.h"
#include "platform/rtf/FontMap.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QToolBar>
#include <QTreeWidget>

namespace lumo::test {
namespace {

using HerbRecordView = HerbRecordFixture;

TEST_F(HerbRecordView, ShowsTheSelectedHerbAndRefillsItsLists) {
    loadRecordWindow();
    show(1);
    EXPECT_EQ(recordLines().at(0), QStringLiteral("Máta peprná"));
    EXPECT_EQ(form->CurrentHerb, 1);
    EXPECT_EQ(form->CurrentHerbName, QStringLiteral("Máta peprná"));
    EXPECT_EQ(refills, std::vector<long>{1});
    EXPECT_EQ(form->RtfByl->SelStart(), 0);
    EXPECT_TRUE(form->RtfByl->Locked());
    EXPECT_FALSE(form->Frame2->isVisible());
    EXPECT_EQ(view->loadDepth(), 0);
    EXPECT_EQ(App().Settings.Segments[2].Caption, QStringLiteral("Účinné látky:"));
    // The box's own font is the profile's, through the font table.
    EXPECT_EQ(form->RtfByl->document()->defaultFont().family(), rtf::SubstituteFont(App().Settings.FontName));
    // A name typed out in full and Enter: the box's text is replaced by the same text, and the
    // status bar names the herb now shown, not the one shown while it was typed.
    type(QStringLiteral("Heřmánek pravý"));
    QTest::keyClick(form->TxtByl, Qt::Key_Return);
    EXPECT_EQ(form->CurrentHerbName, QStringLiteral("Heřmánek pravý"));
    EXPECT_EQ(form->panelText(QStringLiteral("Popis")), QStringLiteral("Heřmánek pravý"));
    // A font of this system chosen in the settings is the whole record's, the names block
    // (built on the Windows dialog font) included.
    App().Settings.FontName = QStringLiteral("DejaVu Serif");
    show(1);
    int runs = 0;
    for (QTextBlock b = form->RtfByl->document()->begin(); b.isValid(); b = b.next())
        for (auto run = b.begin(); !run.atEnd(); ++run, ++runs)
            EXPECT_EQ(run.fragment().charFormat().fontFamilies().toStringList().join(u',').toStdString(),
                      "DejaVu Serif")
                << b.text().toStdString();
    EXPECT_GT(runs, 10);
    // A composition that fails leaves the per-herb lists alone.
    refills.clear();
    show(5);
    EXPECT_EQ(reports.last(), QStringLiteral("Nelze načíst informace o bylině"));
    EXPECT_TRUE(refills.empty());
    // No selection: the record is emptied and no herb is current.
    form->Lv->clearSelection();
    form->UkazBylinu();
    EXPECT_EQ(form->RtfByl->Text(), QString());
    EXPECT_EQ(form->CurrentHerb, 0);
}

// One folk name of two herbs: moving onto either keeps the list, the box and the record on it.
TEST_F(HerbRecordView, SameTextItemsNameOneHerb) {
    App().Settings.NamesLang = 9;
    loadRecordWindow({QStringLiteral("INSERT INTO Nazvy VALUES (20,2,9,'máta')")});
    ASSERT_EQ(form->Lv->topLevelItem(0)->text(0), QStringLiteral("máta"));
    ASSERT_EQ(form->Lv->topLevelItem(1)->text(0), QStringLiteral("máta"));
    const auto czechName = [&] {
        for (const QString& line : recordLines())
            if (line.startsWith(QStringLiteral("Český název: ")))
                return line.mid(13);
        return QString();
    };
    const QString names[] = {QStringLiteral("Máta peprná"), QStringLiteral("Heřmánek pravý")};
    const auto check = [&](int row) {
        QTreeWidgetItem* item = form->selectedListItem();
        ASSERT_EQ(form->Lv->indexOfTopLevelItem(item), row);
        EXPECT_EQ(FrmMain::listId(item), form->CurrentHerb) << row;
        EXPECT_EQ(form->TxtByl->text(), item->text(0)) << row;
        EXPECT_EQ(czechName(), names[form->CurrentHerb - 1]) << row;
    };
    // From "peprmintka" up onto the second "máta", whose text then replaces the box's.
    type(QStringLiteral("pep"));
    QTest::keyClick(form->TxtByl, Qt::Key_Return);
    check(2);
    QTest::keyClick(form->Lv, Qt::Key_Up);
    check(1);
    QTest::keyClick(form->Lv, Qt::Key_Up);
    check(0);
    // The same with the mouse.
    const auto clickRow = [&](int row) {
        const QRect r = form->Lv->visualItemRect(form->Lv->topLevelItem(row));
        QTest::mouseClick(form->Lv->viewport(), Qt::LeftButton, {}, r.center());
    };
    clickRow(2);
    check(2);
    clickRow(1);
    check(1);
}

TEST_F(HerbRecordView, QuickSelectionsLeaveOnlyTheLastHerb) {
    loadRecordWindow();
    // Each load starts the next one at its first chance to repaint, as quick typing would.
    std::vector<long> queue{2, 4};
    view->onYield = [&] {
        if (queue.empty())
            return;
        const long next = queue.front();
        queue.erase(queue.begin());
        show(next);
    };
    show(1);
    view->onYield = nullptr;
    EXPECT_EQ(recordLines().at(0), QStringLiteral("Šalvěj {lékařská}"));
    EXPECT_EQ(form->CurrentHerb, 4);
    EXPECT_EQ(form->CurrentHerbName, QStringLiteral("Šalvěj {lékařská}"));
    EXPECT_EQ(refills, std::vector<long>{4});
    EXPECT_FALSE(form->RtfByl->Text().contains(QStringLiteral("Máta")));
    EXPECT_FALSE(form->Frame2->isVisible());
    EXPECT_FALSE(form->ForceLoad);
    EXPECT_EQ(view->loadDepth(), 0);
}

TEST_F(HerbRecordView, ClosingWhileComposingWaitsForTheRecord) {
    loadRecordWindow();
    bool closed = false;
    view->onYield = [&] {
        if (!std::exchange(closed, true))
            form->close();
    };
    show(1);
    view->onYield = nullptr;
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(recordLines().at(0), QStringLiteral("Máta peprná"));
    QApplication::processEvents(); // the close asked for meanwhile
    EXPECT_FALSE(form->isVisible());
}

TEST_F(HerbRecordView, SectionToolbarHidesShowsAndReachesSections) {
    App().Settings.Segments[4].Enabled = false;
    loadRecordWindow();
    form->resize(900, 600);
    form->Timer1_Timer(); // shows the tab strip again after the layout
    show(1);
    EXPECT_FALSE(view->segmentButton(4)->isEnabled());
    EXPECT_TRUE(view->segmentButton(2)->isEnabled());

    // The click's own modifiers count, not a Ctrl state the window last saw.
    const auto click = [&](int i, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(form->TbSeg->widgetForAction(view->segmentButton(i)), Qt::LeftButton, modifiers,
                          QPoint(2, 2));
    };
    form->CtrlDown = true;
    click(2);
    EXPECT_TRUE(view->sectionShown(2));
    EXPECT_FALSE(form->CtrlDown);
    click(2, Qt::ControlModifier);
    EXPECT_FALSE(view->sectionShown(2));
    EXPECT_EQ(view->segmentButton(2)->property("Image").toInt(), 24);
    EXPECT_TRUE(view->segmentButton(2)->isEnabled()); // hidden, not disabled
    EXPECT_FALSE(form->RtfByl->Text().contains(QStringLiteral("Účinné látky:")));
    click(2, Qt::ControlModifier); // Ctrl toggles
    EXPECT_TRUE(view->sectionShown(2));
    click(2, Qt::ControlModifier);

    // A plain click shows it again and scrolls the record to it.
    click(2);
    EXPECT_TRUE(view->sectionShown(2));
    EXPECT_EQ(view->segmentButton(2)->property("Image").toInt(), 2);
    const int heading = static_cast<int>(form->RtfByl->Text().indexOf(QStringLiteral("Účinné látky:")));
    ASSERT_GT(heading, 0);
    EXPECT_EQ(form->RtfByl->SelStart(), heading);
    EXPECT_GT(form->RtfByl->verticalScrollBar()->value(), 0);

    // Reaching another section finds its heading, not the same words in the text.
    click(5);
    EXPECT_EQ(form->RtfByl->SelStart(), form->RtfByl->Text().indexOf(QStringLiteral("Kontraindikace:")));
    // A section the herb lacks does not move the record.
    const int before = form->RtfByl->SelStart();
    click(12);
    EXPECT_EQ(form->RtfByl->SelStart(), before);
    // Contraindications placed before the indications: the indications' button reaches its own
    // heading, not the end of "Kontraindikace:".
    std::swap(App().Settings.Segments[3].Index, App().Settings.Segments[5].Index);
    show(1);
    click(3);
    EXPECT_EQ(form->RtfByl->SelStart(), form->RtfByl->Text().indexOf(QStringLiteral("\nIndikace:")) + 1);
}

TEST_F(HerbRecordView, MarkedHerbInADescriptionSelectsIt) {
    loadRecordWindow();
    form->ListMode = 2;
    std::vector<long> itemsShown;
    form->Hooks.ShowItem[2] = [&] { itemsShown.push_back(form->ListMode); };
    form->RtfTemp->show();
    form->RtfTemp->resize(600, 400);
    form->RtfTemp->setTextRTF(QStringLiteral(
        "{\\rtf1\\ansi Silice\\par Související indikace\\par {\\ul Nadýmání}\\par Seznam bylin\\par "
        "{\\ul Máta peprná}\\par}"));
    const QString text = form->RtfTemp->Text();

    // A related indication: looked up in the current list.
    form->RtfTemp->setSelStart(static_cast<int>(text.indexOf(QStringLiteral("Nadýmání"))) + 2);
    view->RtfTemp_MouseUp(Qt::LeftButton);
    EXPECT_EQ(form->TxtByl->text(), QStringLiteral("Nadýmání"));
    EXPECT_EQ(itemsShown, std::vector<long>{2});

    // A herb of the list: back to the herbs, the herb selected and shown. A real click.
    form->RtfTemp->setSelStart(static_cast<int>(text.indexOf(QStringLiteral("Máta peprná"))) + 3);
    const QPoint at = form->RtfTemp->cursorRect().center();
    refills.clear();
    QTest::mouseClick(form->RtfTemp->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(refills, std::vector<long>{1}); // composed once, not the old herb first
    EXPECT_EQ(form->ListMode, 1);
    EXPECT_EQ(form->CurrentHerb, 1);
    EXPECT_EQ(selectedText(), QStringLiteral("Máta peprná"));
    EXPECT_EQ(recordLines().at(0), QStringLiteral("Máta peprná"));
    // The status bar names the herb now shown, though the box kept the focus and the word.
    EXPECT_EQ(form->panelText(QStringLiteral("Popis")), QStringLiteral("Máta peprná"));
}

TEST_F(HerbRecordView, DescriptionPartAtTheCaret) {
    ui::RichTextBox box;
    box.setText(
        QStringLiteral("Popis\r\nŠirší indikace\r\nA\r\nSouvisející indikace\r\nB\r\nSeznam bylin\r\nC"));
    const QString text = box.Text();
    const std::pair<QString, int> cases[] = {{QStringLiteral("Popis"), -1},
                                             {QStringLiteral("A"), 0},
                                             {QStringLiteral("B"), 1},
                                             {QStringLiteral("C"), 2}};
    for (const auto& [where, part] : cases) {
        box.setSelStart(static_cast<int>(text.lastIndexOf(where)));
        EXPECT_EQ(HerbRecord::NajdiOddil(box), part) << where.toStdString();
    }
}

TEST_F(HerbRecordView, TimingLineOnlyAtLogLevelTwo) {
    for (int level : {0, 1, 2, 3}) {
        App().Settings.LogLevel = level;
        if (!form)
            loadRecordWindow();
        dir.write(QStringLiteral("Lumo.log"), QByteArray());
        show(1);
        const QString log = text::decodeAnsi(dir.read(QStringLiteral("Lumo.log")));
        if (level != 2) {
            EXPECT_TRUE(log.isEmpty()) << level;
            continue;
        }
        static const QRegularExpression line(
            QStringLiteral("^Výběr byliny Máta peprná - \\d+([.,]\\d+)?sec\r\n$"));
        EXPECT_TRUE(line.match(log).hasMatch()) << log.toStdString();
        EXPECT_TRUE(dir.read(QStringLiteral("Lumo.log")).contains("V\xfd\x62\xecr")); // Windows-1250
    }
}

} // namespace
} // namespace lumo::test
