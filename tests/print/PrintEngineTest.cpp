#include "PrintFixture.h"
#include "common/FileSizeLimit.h"

#include "platform/rtf/RtfReader.h"
#include "platform/ui/PageLayout.h"
#include "print/CKelPrinter.h"
#include "print/MPrint.h"
#include "print/PrintEngine.h"
#include "print/Printers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace lumo;
using namespace lumo::print;
using lumo::test::PlainTextOf;

namespace {

class PrintEngineTest : public test::PrintFixture {};

bool fitsPage(const QString& pageRtf, const QRect& pageRect) {
    QTextDocument doc;
    rtf::ReadRtf(pageRtf, doc);
    ui::PageLayout layout(doc);
    layout.setTargetDevice(&CurrentPrinter(), 0);
    return layout.formatRange(0, pageRect) >= layout.length();
}

} // namespace

TEST(HeaderBoxText, PadsToSeventyColumnsByTheAlignment) {
    struct Case {
        QString text;
        int align;
        QString header;
    } cases[] = {
        {QString(), 0, QString(70, u' ')},
        {QString(69, u'x'), 1, QString(69, u'x') + u' '},
        {QString(65, u'x'), 1, QString(2, u' ') + QString(65, u'x') + QString(3, u' ')},
        {QString(63, u'x'), 1, QString(4, u' ') + QString(63, u'x') + QString(3, u' ')},
        {QString(70, u'x'), 1, QString(70, u'x')},
        {QStringLiteral("Máta   "), 2, QString(66, u' ') + QStringLiteral("Máta")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HeaderBoxText(c.text, c.align), c.header + QStringLiteral("\r\n\r\n"))
            << c.text.toStdString();
    EXPECT_EQ(FooterBoxText(QStringLiteral("X"), 1),
              QStringLiteral("\r\n") + QString(34, u' ') + u'X' + QString(35, u' '));
    EXPECT_EQ(FooterBoxText(QStringLiteral("X"), 0), QStringLiteral("\r\nX") + QString(69, u' '));
}

// The invariants of pagination on a real record at the PDF printer's resolution, at two
// margins: pages are consecutive whole-line ranges, nothing is lost or repeated, headers and
// footers are joined by the rules, and every joined page fits its page whole.
TEST_F(PrintEngineTest, PagesAreConsecutiveWholeLinesWithHeadersAndFootersByTheRules) {
    const QString record = test::SampleRecordRtf(3);
    PrintSettingsRecord& s = PrintSettings();
    s.PageHeader = FixedPageText(QStringLiteral("Máta peprná"));
    s.HeaderAlign = 2;
    s.PageFooter = FixedPageText(QStringLiteral("zápatí"));
    s.FirstPageOfset = 2;
    const QString header = HeaderBoxText(s.PageHeader, 2);
    const QString footer = FooterBoxText(s.PageFooter, 0);
    for (float margin : {10.0f, 40.0f}) {
        SCOPED_TRACE(margin);
        s.FirstPageFooterEnabled = margin > 20; // the first page's footer by its own flag
        PrintEngine engine;
        engine.PrepareDocument(record, false, QString(), 0);
        const QString whole = engine.document().Text();
        ASSERT_TRUE(whole.startsWith(QStringLiteral("\r\n\r\n")));
        engine.NastavOkraje({margin, margin, margin, margin});
        ASSERT_TRUE(engine.PripravNahled());
        ASSERT_GE(s.PageCount, 3);
        ASSERT_EQ(s.Pages.size(), s.PageCount);

        QTextDocument prepared;
        rtf::ReadRtf(engine.document().TextRTF(), prepared);
        ui::PageLayout lines(prepared);
        lines.setTargetDevice(&CurrentPrinter(), 0);
        lines.formatRange(0, engine.bodyRect());

        QString joined;
        for (int i = 0; i < s.PageCount; ++i) {
            SCOPED_TRACE(i + 1);
            QString text = PlainTextOf(s.Pages[i]);
            const bool first = i == 0, last = i == s.PageCount - 1;
            const bool withFooter = !last && (!first || s.FirstPageFooterEnabled);
            EXPECT_EQ(text.startsWith(header), !first);
            EXPECT_EQ(text.endsWith(footer), withFooter);
            if (!first)
                text.remove(0, header.size());
            if (withFooter)
                text.chop(footer.size());
            // Each page starts where a line of the document starts.
            EXPECT_EQ(lines.lineStart(lines.lineFromChar(int(joined.size()))), joined.size());
            joined += text;
            EXPECT_TRUE(fitsPage(s.Pages[i], engine.pageRect()));
        }
        EXPECT_EQ(joined, whole);
        const int lastStart = int(whole.size() - PlainTextOf(s.Pages.last()).size() + header.size());
        EXPECT_EQ(s.LastLine, lines.lineFromChar(int(whole.size())) - lines.lineFromChar(lastStart) + 1);
    }
}

// A bulleted paragraph over three pages: on the next pages it goes on at its indent, as its
// lines do on the screen, not at the bullet's place with the space above its first line.
TEST_F(PrintEngineTest, AParagraphCarriedOverGoesOnAtItsIndent) {
    QString text;
    for (int i = 0; i < 2000; ++i)
        text += QStringLiteral("slovo%1 ").arg(i);
    PrintSettingsRecord& s = PrintSettings();
    s.FirstPageOfset = 0;
    s.PageHeader = FixedPageText(QStringLiteral("Hlava"));
    PrintEngine engine;
    engine.PrepareDocument(QStringLiteral("{\\rtf1\\ansi\\pard\\li720\\fi-360\\sb240\\fs20 \\bullet\\tab ") +
                               text + QStringLiteral("\\par}"),
                           false, QString(), 0);
    engine.NastavOkraje({10, 10, 10, 10});
    ASSERT_TRUE(engine.PripravNahled());
    ASSERT_GE(s.PageCount, 3);
    for (int i = 0; i < s.PageCount; ++i) {
        QTextDocument page;
        rtf::ReadRtf(s.Pages[i], page);
        const QTextBlockFormat f = page.find(QStringLiteral("slovo")).block().blockFormat();
        EXPECT_GT(f.leftMargin(), 0) << i + 1;
        EXPECT_EQ(f.textIndent() < 0, i == 0) << i + 1;
        EXPECT_EQ(f.topMargin() > 0, i == 0) << i + 1;
    }
}

TEST_F(PrintEngineTest, AOnePageDocumentTakesTheHeaderOnlyWhenAskedAndNeverTheFooter) {
    PrintSettingsRecord& s = PrintSettings();
    s.FirstPageOfset = 0;
    s.PageHeader = FixedPageText(QStringLiteral("Hlava"));
    s.PageFooter = FixedPageText(QStringLiteral("Pata"));
    s.FirstPageHeaderEnabled = true;
    s.FirstPageFooterEnabled = true;
    PrintEngine engine;
    engine.PrepareDocument(QStringLiteral("Krátký text"), true, QStringLiteral("Courier New"), 10);
    engine.NastavOkraje({10, 10, 10, 10});
    ASSERT_TRUE(engine.PripravNahled());
    ASSERT_EQ(s.PageCount, 1);
    EXPECT_EQ(PlainTextOf(s.Pages[0]), HeaderBoxText(s.PageHeader, 0) + QStringLiteral("Krátký text"));
    EXPECT_EQ(s.LastLine, 1);
}

TEST_F(PrintEngineTest, MarginsThatLeaveNoRoomAreReportedAtOnceAndPrintNothing) {
    PrintSettingsRecord& s = PrintSettings();
    const QString pdf = dir.file(QStringLiteral("out.pdf"));
    SetPdfOutputFile(pdf);
    s.TopMargin = s.BottomMargin = 150;
    QElapsedTimer t;
    t.start();
    CKelPrinter printer;
    printer.TopMargin(150);
    printer.BottomMargin(140);
    EXPECT_EQ(printer.PrintDoc(test::SampleRecordRtf()), 603);
    EXPECT_LT(t.elapsed(), 5000);
    EXPECT_EQ(s.PrintResult, 603);
    EXPECT_FALSE(QFile::exists(pdf));
    const QString log = errorLog();
    EXPECT_TRUE(log.contains(QStringLiteral("BelPrinter-CKelPrinter-frmView-PripravNahled-")))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Neočekávaná chyba při tisku dokumentu")));
}

// Printing a range to the PDF printer: the page count of the file, and no file after a failure.
TEST_F(PrintEngineTest, PrintDocPrintsTheClampedRangeAndAFailureLeavesNoFile) {
    if (!test::RunTool(QStringLiteral("pdfinfo"), {QStringLiteral("-v")}).has_value() &&
        !QFile::exists(QStringLiteral("/usr/bin/pdfinfo")))
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    const QString record = test::SampleRecordRtf(2);
    CKelPrinter printer;
    printer.FirstPageOfset(0);
    auto pagesOf = [](const QString& pdf) {
        const QString info = test::RunTool(QStringLiteral("pdfinfo"), {pdf}).value_or(QString());
        const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
        return at < 0 ? -1 : info.mid(at + 6).section(u'\n', 0, 0).trimmed().toInt();
    };
    struct Case {
        std::int16_t from, to;
        int pages; // -1: all
    } cases[] = {{0, 0, -1}, {2, 1, 1}, {999, 999, 1}, {2, 3, 2}};
    for (const Case& c : cases) {
        const QString pdf = dir.file(QStringLiteral("range-%1-%2.pdf").arg(c.from).arg(c.to));
        SetPdfOutputFile(pdf);
        printer.FromPage(c.from);
        printer.ToPage(c.to);
        ASSERT_EQ(printer.PrintDoc(record), 1);
        EXPECT_EQ(pagesOf(pdf), c.pages < 0 ? PrintSettings().PageCount : c.pages) << c.from << "-" << c.to;
    }
    const QString blocked = dir.file(QStringLiteral("missing-folder/out.pdf"));
    SetPdfOutputFile(blocked);
    EXPECT_EQ(printer.PrintDoc(record), 603);
    EXPECT_FALSE(QFile::exists(blocked));
    EXPECT_TRUE(errorLog().contains(QStringLiteral("KelVBLib - CKelPrinter - frmView - PrintRTF")));
    // A file the job could not open (here a link into a missing folder) is not its own: it stays.
    const QString link = dir.file(QStringLiteral("link.pdf"));
    ASSERT_TRUE(QFile::link(blocked, link));
    SetPdfOutputFile(link);
    EXPECT_EQ(printer.PrintDoc(record), 603);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    // The disk fills up during the job: reported, no half file left, and the next job to a
    // disk with room is whole.
    const QString full = dir.file(QStringLiteral("full.pdf"));
    SetPdfOutputFile(full);
    printer.FromPage(0);
    printer.ToPage(0);
    {
        const test::FileSizeLimit disk(4096);
        EXPECT_EQ(printer.PrintDoc(record), 603);
    }
    EXPECT_FALSE(QFile::exists(full));
    const QString after = dir.file(QStringLiteral("after.pdf"));
    SetPdfOutputFile(after);
    ASSERT_EQ(printer.PrintDoc(record), 1);
    EXPECT_EQ(pagesOf(after), PrintSettings().PageCount);
}
