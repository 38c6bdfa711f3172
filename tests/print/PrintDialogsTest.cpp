#include "PrintFixture.h"

#include "platform/err/VbError.h"
#include "platform/text/AnsiText.h"
#include "print/CKelPrinter.h"
#include "print/MPrint.h"
#include "print/Printers.h"
#include "print/frmView.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

using namespace lumo;
using namespace lumo::print;
using lumo::test::press;

namespace {

class PrintDialogsTest : public test::PrintFixture {};

} // namespace

// A margin label focuses its box. Margins changed in the preview cut the pages again (larger
// margins, more pages; nothing cut off), margins that leave no room are refused; Esc in the margins panel
// closes the panel, not the preview; a cancelled printer setup is no failure.
TEST_F(PrintDialogsTest, NewMarginsPaginateAgainAndCancelledDialogsAreNoFailure) {
    CKelPrinter printer;
    printer.PageGroup(false);
    int before = 0, after = 0;
    bool stillOpen = false;
    dialogs.emplace([&](QDialog& d) -> std::optional<int> {
        auto* view = qobject_cast<frmView*>(&d);
        if (!view) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Nastavení tiskárny"));
            // Low on the screen, its details open downwards: it moves up to keep its buttons on it.
            d.move(d.x(), d.screen()->availableGeometry().bottom() - d.frameGeometry().height());
            const int closed = d.height();
            for (QPushButton* b : d.findChildren<QPushButton*>())
                if (b->text().endsWith(QStringLiteral(">>")))
                    b->click();
            QApplication::processEvents();
            EXPECT_GT(d.height(), closed);
            EXPECT_TRUE(d.screen()->availableGeometry().contains(d.frameGeometry()));
            return QDialog::Rejected; // the printer setup: cancelled
        }
        while (!view->Activated())
            QApplication::processEvents();
        before = PrintSettings().PageCount;
        view->Toolbar1_ButtonClick(QStringLiteral("LAST"));
        view->ShowMarginsPanel();
        EXPECT_TRUE(view->Frame1->isVisibleTo(view));
        QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2),
                          view->lblView[2]->mapToGlobal(QPointF(2, 2)), Qt::LeftButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(view->lblView[2], &click); // a label focuses its box
        EXPECT_EQ(view->focusWidget(), view->txtMargin[2]);
        view->txtMargin[0]->setText(QStringLiteral("-5"));
        view->cmdX_Click(); // refused: the panel stays
        EXPECT_TRUE(view->Frame1->isVisibleTo(view));
        // So are margins that leave no room for the text; nothing is stored or reported.
        const float left = PrintSettings().LeftMargin;
        view->txtMargin[0]->setText(QStringLiteral("150"));
        view->txtMargin[1]->setText(QStringLiteral("100"));
        view->cmdX_Click();
        EXPECT_TRUE(view->Frame1->isVisibleTo(view));
        EXPECT_EQ(view->focusWidget(), view->txtMargin[0]);
        EXPECT_EQ(view->lblPage[3]->text(),
                  QStringLiteral("Okraje stránky nenechávají místo pro text, zmenšete je"));
        EXPECT_EQ(PrintSettings().LeftMargin, left);
        view->txtMargin[1]->setText(QStringLiteral("10"));
        view->txtMargin[0]->setText(QStringLiteral("80"));
        view->txtMargin[2]->setText(QStringLiteral("60,5")); // a decimal comma under any locale
        press(view->txtMargin[0], Qt::Key_Escape);
        EXPECT_FALSE(view->Frame1->isVisibleTo(view));
        after = PrintSettings().PageCount;
        EXPECT_EQ(PrintSettings().LeftMargin, 80);
        EXPECT_EQ(PrintSettings().TopMargin, 60.5f);
        EXPECT_EQ(view->lblPage[2]->text(),
                  QStringLiteral("%1/%2").arg(before).arg(after)); // the page shown stays
        EXPECT_EQ(view->EndPage(), after);
        press(view->lblPage[2], Qt::Key_F7);
        stillOpen = view->isVisible();
        press(view->lblPage[2], Qt::Key_Escape);
        return std::nullopt;
    });
    EXPECT_EQ(printer.PrintPreview(test::SampleRecordRtf(2)), 0);
    EXPECT_GT(after, before);
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Errors.txt"))));
}

TEST_F(PrintDialogsTest, PageSetupTakesTheDialogsValuesOnOkAndRoundsThemOnCancel) {
    CKelPrinter printer;
    QWidget owner;
    printer.UsedForm(&owner);
    printer.LeftMargin(12.345f);
    dialogs.emplace([](QDialog& d) -> std::optional<int> {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Vzhled stránky"));
        return QDialog::Rejected;
    });
    EXPECT_EQ(printer.PageSetup(), 0);
    EXPECT_FLOAT_EQ(printer.LeftMargin(), 12.35f);
    EXPECT_FLOAT_EQ(printer.PageHeight(), 270);
    dialogs.emplace([](QDialog& d) -> std::optional<int> {
        const std::pair<const char*, double> values[] = {
            {"LeftMargin", 25}, {"TopMargin", 15}, {"RightMargin", 20}, {"BottomMargin", 30}};
        for (const auto& [name, value] : values)
            d.findChild<QDoubleSpinBox*>(QString::fromLatin1(name))->setValue(value);
        return QDialog::Accepted;
    });
    EXPECT_EQ(printer.PageSetup(), 1);
    EXPECT_FLOAT_EQ(printer.LeftMargin(), 25);
    EXPECT_FLOAT_EQ(printer.TopMargin(), 15);
    EXPECT_FLOAT_EQ(printer.RightMargin(), 20);
    EXPECT_FLOAT_EQ(printer.BottomMargin(), 30);
}

TEST_F(PrintDialogsTest, PrintFilePrintsTheLinesOrRaisesWithTheFileName) {
    CKelPrinter printer;
    const QString pdf = dir.file(QStringLiteral("file.pdf"));
    SetPdfOutputFile(pdf);
    try {
        printer.PrintFile(dir.file(QStringLiteral("chybí.txt")));
        ADD_FAILURE() << "a missing file must raise";
    } catch (const err::VbError& e) {
        EXPECT_EQ(e.Number(), -2147220903L);
        EXPECT_TRUE(e.Description().startsWith(QStringLiteral("Nelze vytisknout soubor ") +
                                               dir.file(QStringLiteral("chybí.txt")) +
                                               QStringLiteral("\r\nSystem: ")));
        EXPECT_EQ(e.Source(), QStringLiteral("KelVBLib-CKelPrinter-PrintFile"));
    }
    EXPECT_FALSE(QFile::exists(pdf));

    dir.write(QStringLiteral("radky.txt"),
              text::encodeAnsi(QStringLiteral("První řádek\r\nDruhý řádek\r\nTřetí")));
    EXPECT_EQ(printer.PrintFile(dir.file(QStringLiteral("radky.txt"))), 1);
    const std::optional<QString> text =
        test::RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!text)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_EQ(
        text->split(u'\n', Qt::SkipEmptyParts).mid(0, 3),
        (QStringList{QStringLiteral("První řádek"), QStringLiteral("Druhý řádek"), QStringLiteral("Třetí")}));
}
