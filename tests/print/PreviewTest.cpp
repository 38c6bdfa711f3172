#include "PrintFixture.h"

#include "platform/text/AnsiText.h"
#include "print/CKelPrinter.h"
#include "print/MPrint.h"
#include "print/PaperView.h"
#include "print/Printers.h"
#include "print/frmView.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>

using namespace lumo;
using namespace lumo::print;
using lumo::test::PlainTextOf;
using lumo::test::press;

namespace {

class PreviewTest : public test::PrintFixture {};

QStringList words(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Answers save dialogs with a file of the program folder.
bool answerFileDialog(QDialog& d, const QString& path) {
    auto* fd = qobject_cast<QFileDialog*>(&d);
    if (!fd)
        return false;
    fd->selectFile(path);
    static_cast<QDialog*>(fd)->accept(); // QFileDialog::accept, as the Save button
    return true;
}

} // namespace

// A record previewed as the preview command does it: whole-document view first, then pages
// with the herb's name as header from page 2, pages 2-3 printed to the PDF printer, the
// document saved as rich text and as plain text.
TEST_F(PreviewTest, ARecordIsPreviewedPrintedAsARangeAndSaved) {
    const QString record = test::SampleRecordRtf(2);
    CKelPrinter printer;
    printer.FirstPageOfset(0);
    printer.HeaderAlign(2);
    printer.PageHeader(QStringLiteral("Tisk LUMO-TEST"));
    printer.PageGroup(true);
    const QString pdf = dir.file(QStringLiteral("pages.pdf"));
    SetPdfOutputFile(pdf);
    QString saveAs;
    QString whole;
    dialogs.emplace([&](QDialog& d) -> std::optional<int> {
        if (answerFileDialog(d, saveAs))
            return std::nullopt;
        auto* view = qobject_cast<frmView*>(&d);
        if (!view)
            return 0;
        while (!view->Activated())
            QApplication::processEvents();
        const PrintSettingsRecord& s = PrintSettings();
        EXPECT_GE(s.PageCount, 3);
        // Whole-document view first: the prepared document, page buttons off.
        EXPECT_TRUE(view->button(QStringLiteral("GROUP"))->isChecked());
        EXPECT_FALSE(view->button(QStringLiteral("NEXT"))->isEnabled());
        whole = view->rtfView->Text();
        EXPECT_EQ(whole, PlainTextOf(record));
        EXPECT_TRUE(view->rtfView->Locked());
        EXPECT_EQ(view->txtPage[0]->text(), QStringLiteral("1"));
        EXPECT_EQ(view->txtPage[1]->text(), QString::number(s.PageCount));

        view->Toolbar1_ButtonClick(QStringLiteral("GROUP"));
        EXPECT_EQ(view->lblPage[2]->text(), QStringLiteral("1/%1").arg(s.PageCount));
        // Enter in the "to" box goes on to the paper, where Page Down scrolls the page.
        view->txtPage[1]->setFocus();
        press(view->txtPage[1], Qt::Key_Return);
        auto* paper = qobject_cast<QScrollArea*>(view->focusWidget());
        EXPECT_TRUE(paper);
        if (paper) {
            press(paper, Qt::Key_PageDown);
            EXPECT_GT(paper->verticalScrollBar()->value(), 0);
        }
        EXPECT_FALSE(view->button(QStringLiteral("PREV"))->isEnabled());
        EXPECT_FALSE(view->shpPage->pageText().contains(QStringLiteral("Tisk LUMO-TEST")));
        press(view->rtfView, Qt::Key_PageUp, Qt::ControlModifier); // no page before the first
        EXPECT_EQ(view->CurrentPage(), 1);
        press(view->rtfView, Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(view->CurrentPage(), 2);
        if (paper) { // the next page from its top, its header seen
            EXPECT_EQ(paper->verticalScrollBar()->value(), 0);
        }
        EXPECT_TRUE(
            view->shpPage->pageText().startsWith(QString(56, u' ') + QStringLiteral("Tisk LUMO-TEST")));
        EXPECT_EQ(view->shpPage->pageText(), PlainTextOf(s.Pages[1]));

        // Range 2-3; "5" in the from box is held to the end of the range.
        view->txtPage[1]->setText(QStringLiteral("3"));
        view->ValidatePageRange(1);
        view->txtPage[0]->setText(QStringLiteral("5"));
        view->ValidatePageRange(0);
        EXPECT_EQ(view->txtPage[0]->text(), QStringLiteral("3"));
        // "2" typed into the from box and printed at once (F6 in the box) prints pages 2-3.
        view->txtPage[0]->setFocus();
        view->txtPage[0]->setText(QStringLiteral("2"));
        press(view->txtPage[0], Qt::Key_F6);
        EXPECT_EQ(s.PrintResult, 1);
        EXPECT_EQ(view->StartPage(), 2);
        EXPECT_EQ(view->EndPage(), 3);
        EXPECT_EQ(view->shpPage->borderStyle(), 1);
        view->Toolbar1_ButtonClick(QStringLiteral("FIRST"));
        EXPECT_EQ(view->shpPage->borderStyle(), 5);
        view->Toolbar1_ButtonClick(QStringLiteral("NEXT"));
        view->Toolbar1_ButtonClick(QStringLiteral("NEXT"));
        EXPECT_EQ(view->shpPage->borderStyle(), 1); // the range's last page
        for (const char* name : {"zaznam.rtf", "zaznam.txt"}) {
            saveAs = dir.file(QString::fromLatin1(name));
            view->Toolbar1_ButtonClick(QStringLiteral("FDD"));
        }
        press(view->rtfView, Qt::Key_Escape);
        return std::nullopt;
    });
    EXPECT_EQ(printer.PrintPreview(record, false, false, QStringLiteral("Courier New"), 10), 1);
    ASSERT_FALSE(whole.isEmpty());
    const QStringList& pages = PrintSettings().Pages;

    const std::optional<QString> info = test::RunTool(QStringLiteral("pdfinfo"), {pdf});
    if (info) {
        EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))))
            << info->toStdString();
        const QString text =
            test::RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).value_or(QString());
        EXPECT_EQ(words(text), words(PlainTextOf(pages[1]) + u' ' + PlainTextOf(pages[2])));
    }

    const QByteArray rtf = dir.read(QStringLiteral("zaznam.rtf"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_EQ(PlainTextOf(text::decodeAnsi(rtf)), whole);
    // The record's plain text with CR LF; UTF-8 (with a byte-order mark) only when Windows-1250
    // cannot hold it (Greek letters of substance names).
    const QByteArray txt = dir.read(QStringLiteral("zaznam.txt"));
    const bool utf8 = txt.startsWith("\xEF\xBB\xBF");
    EXPECT_EQ(utf8 ? QString::fromUtf8(txt.mid(3)) : text::decodeAnsi(txt), whole);
    EXPECT_EQ(utf8, !text::isAnsiRepresentable(whole));

    // LibreOffice opens the rich text with the record's text.
    const std::optional<QString> converted = test::RunTool(
        QStringLiteral("soffice"),
        {QStringLiteral("-env:UserInstallation=file://") + dir.file(QStringLiteral("lo-profile")),
         QStringLiteral("--headless"), QStringLiteral("--convert-to"),
         QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"),
         dir.file(QStringLiteral("lo")), dir.file(QStringLiteral("zaznam.rtf"))});
    if (!converted)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    QString fromOffice = QString::fromUtf8(dir.read(QStringLiteral("lo/zaznam.txt")));
    fromOffice.remove(QChar(0xFEFF));
    EXPECT_EQ(words(fromOffice), words(whole));
}

TEST_F(PreviewTest, PlainTextIsWindows1250WhenItFitsElseUtf8AndTheDatabaseIsNeverWritten) {
    CKelPrinter printer;
    printer.FirstPageOfset(1);
    QString name = dir.file(QStringLiteral("cs.txt"));
    EXPECT_EQ(printer.SavePreview(QStringLiteral("Máta peprná\nŠalvěj – lékařská"), name, {}, true), 1);
    EXPECT_EQ(dir.read(QStringLiteral("cs.txt")),
              text::encodeAnsi(QStringLiteral("\r\nMáta peprná\r\nŠalvěj – lékařská")));
    name = dir.file(QStringLiteral("ru.txt"));
    EXPECT_EQ(printer.SavePreview(QStringLiteral("Máta – Мята перечная"), name, {}, true), 1);
    EXPECT_EQ(dir.read(QStringLiteral("ru.txt")),
              QByteArray("\xEF\xBB\xBF") + QStringLiteral("\r\nMáta – Мята перечная").toUtf8());
    {
        // A folder that takes no new file: the existing file is rewritten where it is.
        const text::ScopedTemporaryFileFailure noTemporaryFiles;
        EXPECT_EQ(printer.SavePreview(QStringLiteral("Kopr"), name, {}, true), 1);
        EXPECT_EQ(dir.read(QStringLiteral("ru.txt")), QByteArray("\r\nKopr"));
    }

    dir.write(QStringLiteral("Lumo.mdb"), "database");
    name = dir.file(QStringLiteral("Lumo.mdb"));
    EXPECT_EQ(printer.SavePreview(QStringLiteral("text"), name, {}, true), 0);
    EXPECT_EQ(dir.read(QStringLiteral("Lumo.mdb")), QByteArray("database"));
    EXPECT_TRUE(errorLog().contains(QStringLiteral("KelVBLib - CKelPrinter - frmView - UlozNahled")));

    // Nor by a PDF print to the output file named in the print dialog: refused, a file asked for.
    QStringList shown;
    dialogs.emplace([&](QDialog& d) -> std::optional<int> {
        shown << d.windowTitle();
        return QDialog::Rejected;
    });
    SetPdfOutputFile(QString());
    SetNextPdfFile(name);
    EXPECT_EQ(printer.PrintDoc(QStringLiteral("{\\rtf1 text\\par}")), 0);
    EXPECT_EQ(dir.read(QStringLiteral("Lumo.mdb")), QByteArray("database"));
    EXPECT_EQ(shown,
              (QStringList{QStringLiteral("Tisk do souboru PDF"), QStringLiteral("Tisk do souboru PDF")}));
}

// Paragraphs of a damaged record whose indents or spacing are many inches (the reader keeps up
// to 22 inches) are kept on the paper: every word of the record is printed.
TEST_F(PreviewTest, DamagedParagraphGeometryStillPrintsEveryWord) {
    const QString record = QStringLiteral(
        "{\\rtf1\\ansi\\fs20 Začátek\\par\\li2147483647 vpravo mimo papír\\par\\pard\\li-99999 vlevo "
        "mimo\\par"
        "\\pard\\fi-99999 první řádek vlevo\\par\\pard\\ri99999999 úzký sloupec\\par"
        "\\pard\\sb99999999 daleko dole\\par\\pard\\sa99999999 mezera za\\par\\pard Konec\\par}");
    const QString pdf = dir.file(QStringLiteral("damaged.pdf"));
    SetPdfOutputFile(pdf);
    CKelPrinter printer;
    printer.PageHeader(QStringLiteral("Záhlaví"));
    dialogs.emplace([&](QDialog& d) -> std::optional<int> {
        auto* view = qobject_cast<frmView*>(&d);
        if (!view)
            return 0;
        // Keys pressed while the preview is still being prepared print and set up nothing.
        press(view->rtfView, Qt::Key_F6);
        press(view->rtfView, Qt::Key_F9);
        EXPECT_FALSE(QFile::exists(pdf));
        EXPECT_FALSE(view->Frame1->isVisible());
        while (!view->Activated())
            QApplication::processEvents();
        view->TiskDokumentu();
        press(view->rtfView, Qt::Key_Escape);
        return std::nullopt;
    });
    EXPECT_EQ(printer.PrintPreview(record, false, false, QStringLiteral("Courier New"), 10), 1);
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();
    const std::optional<QString> text =
        test::RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    QStringList expected = words(PlainTextOf(record));
    QStringList printed = words(*text);
    printed.removeAll(QStringLiteral("Záhlaví"));
    EXPECT_EQ(printed, expected);
}
