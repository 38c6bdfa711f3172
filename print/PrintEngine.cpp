#include "print/PrintEngine.h"

#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/PageLayout.h"
#include "platform/ui/Units.h"
#include "print/FileDialogs.h"
#include "print/MPrint.h"
#include "print/Printers.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace lumo::print {

namespace {

constexpr int kTwipsPerPoint = 20;
// Room kept above and below a page's text for the header and the footer, at least.
constexpr int kGapTwips = 30 * kTwipsPerPoint;
// Margins beyond this many twips (about 1.7 m) leave no paper.
constexpr double kMaxMarginTwips = 1e5;

// Margins in millimetres (negative counts as 0) as twips.
std::array<int, 4> twipsOf(const std::array<float, 4>& marginsMm) {
    std::array<int, 4> twips{};
    for (int i = 0; i < 4; ++i) {
        const double mm = std::isfinite(marginsMm[i]) ? std::max<double>(marginsMm[i], 0) : 0;
        twips[i] = int(std::lround(std::min(mm * double(ui::kTwipsPerInch) / 25.4, kMaxMarginTwips)));
    }
    return twips;
}

// The pads that put a text of n characters into 70 columns; halves go to the even number.
std::pair<QString, QString> pads(int n) {
    if (n >= kPageTextWidth)
        return {};
    const int d = kPageTextWidth - n;
    int left = d / 2;
    if (d % 2 != 0 && left % 2 != 0)
        ++left;
    return {QString(left, u' '), QString(d - left, u' ')};
}

// The text without its trailing blanks, put into the 70 columns as align says.
QString placed(const QString& line, int align) {
    const QString t = text::rightTrimBlanks(line);
    const auto [l, r] = pads(int(t.size()));
    if (align == 0)
        return t + l + r;
    if (align == 1)
        return l + t + r;
    return l + r + t;
}

void styleBox(ui::RichTextBox& box, const QString& text, bool underline) {
    box.setText(text);
    box.select(0, box.TextLength());
    box.setSelFontName(QStringLiteral("Courier New"));
    box.setSelFontSize(12);
    box.setSelBold(true);
    box.setSelUnderline(underline);
    box.select(0, 0);
}

std::unique_ptr<ui::PageLayout> layoutFor(std::unique_ptr<QTextDocument> doc, QPrinter& printer) {
    auto layout = std::make_unique<ui::PageLayout>(std::move(doc));
    // Wraps at the width of the rectangle each page is laid into.
    layout->setTargetDevice(&printer, 0);
    return layout;
}

std::unique_ptr<ui::PageLayout> layoutFor(const QTextDocument& doc, QPrinter& printer) {
    return layoutFor(std::unique_ptr<QTextDocument>(doc.clone()), printer);
}

} // namespace

PrinterGeometry GeometryOf(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QRectF paint = printer.fullPage() ? paper : layout.paintRect(QPageLayout::Point);
    PrinterGeometry g;
    g.width = int(std::lround(paper.width() * kTwipsPerPoint));
    g.height = int(std::lround(paper.height() * kTwipsPerPoint));
    g.offsetX = int(std::lround((paint.left() - paper.left()) * kTwipsPerPoint));
    g.offsetY = int(std::lround((paint.top() - paper.top()) * kTwipsPerPoint));
    return g;
}

std::unique_ptr<ui::PageLayout> PageOnPrinter(const QString& pageRtf) {
    auto doc = std::make_unique<QTextDocument>();
    doc->setUndoRedoEnabled(false);
    rtf::ReadRtf(pageRtf, *doc);
    return layoutFor(std::move(doc), CurrentPrinter());
}

QString HeaderBoxText(const QString& header, int align) {
    return placed(header, align) + QStringLiteral("\r\n\r\n");
}

QString FooterBoxText(const QString& footer, int align) {
    return QStringLiteral("\r\n") + placed(footer, align);
}

PrintEngine::PrintEngine() {
    m_doc.document()->setUndoRedoEnabled(false);
}

void PrintEngine::PrepareDocument(const QString& text, bool plainText, const QString& fontName,
                                  float fontSize) {
    if (plainText) {
        m_doc.setText(text);
        m_doc.select(0, m_doc.TextLength());
        if (!fontName.isEmpty())
            m_doc.setSelFontName(fontName);
        if (fontSize > 0)
            m_doc.setSelFontSize(fontSize);
        m_doc.select(0, 0);
    } else {
        m_doc.setTextRTF(text);
    }
    const PrintSettingsRecord& s = PrintSettings();
    if (s.FirstPageOfset > 0) {
        m_doc.select(0, 0);
        m_doc.setSelText(QStringLiteral("\r\n").repeated(s.FirstPageOfset));
        m_doc.select(0, 0);
    }
    styleBox(m_header, HeaderBoxText(s.PageHeader, s.HeaderAlign), true);
    styleBox(m_footer, FooterBoxText(s.PageFooter, s.FooterAlign), false);
}

void PrintEngine::NastavOkraje(const std::array<float, 4>& marginsMm) {
    m_marginsTwips = twipsOf(marginsMm);
    m_lineWidth = WYSIWYG_RTF();
}

int PrintEngine::WYSIWYG_RTF() {
    const PrinterGeometry g = GeometryOf(CurrentPrinter());
    const int lm = m_marginsTwips[0], rm = m_marginsTwips[1];
    // The text wraps at the width of the drawing rectangle the pages are cut for (the printable
    // area starts at the paper's edge, so no offset widens it). With FixedPreview the shown
    // viewer keeps its own wrapping; the preview window decides that.
    return g.width - rm - lm;
}

QRect PrintEngine::pageRect() const {
    return pageRectFor(m_marginsTwips);
}

QRect PrintEngine::pageRectFor(const std::array<int, 4>& marginsTwips) {
    const PrinterGeometry g = GeometryOf(CurrentPrinter());
    const int left = marginsTwips[0] - g.offsetX;
    const int top = marginsTwips[2] - g.offsetY;
    const int right = g.width - marginsTwips[1] - g.offsetX;
    const int bottom = g.height - marginsTwips[3] - g.offsetY;
    return QRect(left, top, right - left, bottom - top);
}

QRect PrintEngine::bodyRectIn(const QRect& page) {
    const int top = std::max(kGapTwips, reservedHeight(m_header, page.width(), true));
    const int bottom = std::max(kGapTwips, reservedHeight(m_footer, page.width(), false));
    return QRect(page.left(), page.top() + top, page.width(), page.height() - top - bottom);
}

bool PrintEngine::LeavesRoom(const std::array<float, 4>& marginsMm) {
    const QRect page = pageRectFor(twipsOf(marginsMm));
    return page.width() > 0 && page.height() > 0 && bodyRectIn(page).height() > 0;
}

int PrintEngine::reservedHeight(ui::RichTextBox& box, int width, bool lastLineJoins) const {
    auto layout = layoutFor(*box.document(), CurrentPrinter());
    layout->formatRange(0, QRect(0, 0, width, std::numeric_limits<int>::max() / 4));
    const int lines = layout->lineCount();
    // The header's last (empty) line is where the page's first line joins.
    return layout->lineTopTwips(lastLineJoins ? lines - 1 : lines);
}

// The page as one document: the body inserted where a caret at the end of the header would
// insert it, and the footer likewise at the end (as ui::JoinRtf joins two documents).
std::unique_ptr<QTextDocument> PrintEngine::joinPage(const QString& body, bool withHeader, bool withFooter,
                                                     bool continued) const {
    auto doc = std::make_unique<QTextDocument>();
    doc->setUndoRedoEnabled(false);
    int bodyStart = 0;
    if (withHeader) {
        rtf::ReadRtf(m_headerRtf, *doc);
        QTextCursor end(doc.get());
        end.movePosition(QTextCursor::End);
        bodyStart = end.position();
        rtf::InsertRtf(end, body);
    } else {
        rtf::ReadRtf(body, *doc);
    }
    if (continued) {
        // The rest of a paragraph goes on at its indent, as on the screen: the first-line
        // indent (a hanging bullet's) and the space above were the last page's.
        QTextCursor first(doc->findBlock(bodyStart));
        QTextBlockFormat format = first.blockFormat();
        format.setTextIndent(0);
        format.setTopMargin(0);
        first.setBlockFormat(format);
    }
    if (withFooter) {
        QTextCursor end(doc.get());
        end.movePosition(QTextCursor::End);
        rtf::InsertRtf(end, m_footerRtf);
    }
    return doc;
}

bool PrintEngine::fits(std::unique_ptr<QTextDocument> page) const {
    const auto layout = layoutFor(std::move(page), CurrentPrinter());
    return layout->formatRange(0, pageRect()) >= layout->length();
}

void PrintEngine::paginate() {
    PrintSettingsRecord& s = PrintSettings();
    const QRect page = pageRect();
    if (page.width() <= 0 || page.height() <= 0)
        err::Raise(err::errInvalidCall, QString(),
                   QStringLiteral("Okraje stránky nenechávají místo pro text, zmenšete je"));
    m_bodyRect = bodyRectIn(page);
    if (m_bodyRect.height() <= 0)
        err::Raise(
            err::errInvalidCall, QString(),
            QStringLiteral("Okraje stránky nenechávají místo pro text se záhlavím a zápatím, zmenšete je"));

    m_headerRtf = m_header.TextRTF();
    m_footerRtf = m_footer.TextRTF();
    auto layout = layoutFor(*m_doc.document(), CurrentPrinter());
    const QTextDocument& doc = *m_doc.document();
    const int length = layout->length();
    auto body = [&](int from, int to) {
        return rtf::WriteRtf(doc, m_doc.toDocumentPosition(from), m_doc.toDocumentPosition(to));
    };
    auto inParagraph = [&](int from) {
        const int at = m_doc.toDocumentPosition(from);
        return at > 0 && doc.characterAt(at - 1) != QChar::ParagraphSeparator;
    };
    QStringList pages;
    int start = 0;
    for (;;) {
        int next = layout->formatRange(start, m_bodyRect);
        if (next >= length)
            break;
        const bool first = pages.isEmpty();
        const bool withHeader = !first || s.FirstPageHeaderEnabled;
        const bool withFooter = !first || s.FirstPageFooterEnabled;
        const bool continued = inParagraph(start);
        std::unique_ptr<QTextDocument> joined =
            joinPage(body(start, next), withHeader, withFooter, continued);
        QString page = rtf::WriteRtf(*joined);
        // A page cut inside a paragraph can wrap its first line anew; give back lines until
        // the joined page fits, so that printing never cuts one off.
        while (!fits(std::move(joined))) {
            const int line = layout->lineFromChar(next) - 1;
            if (line <= layout->lineFromChar(start))
                break;
            next = layout->lineStart(line);
            joined = joinPage(body(start, next), withHeader, withFooter, continued);
            page = rtf::WriteRtf(*joined);
        }
        pages << page;
        start = next;
    }
    const bool withHeader =
        !pages.isEmpty() ? !text::rightTrimBlanks(m_header.Text()).isEmpty() : s.FirstPageHeaderEnabled;
    s.LastLine = std::int16_t(layout->lineFromChar(length) - layout->lineFromChar(start) + 1);
    pages << rtf::WriteRtf(*joinPage(body(start, length), withHeader, false, inParagraph(start)));
    s.Pages = pages;
    s.PageCount = std::int32_t(pages.size());
}

void PrintEngine::reportFailure(const QString& title, const QString& location) {
    const err::ErrorRecord e = err::CurrentError();
    PrintSettings().PrintResult = 603;
    if (App().ErrObj)
        App().ErrObj->ErrView(
            603,
            err::SystemText(QStringLiteral("Neočekávaná chyba při tisku dokumentu"), e, QStringLiteral("-")),
            title, location);
}

bool PrintEngine::PripravNahled() {
    try {
        paginate();
        return true;
    } catch (...) {
        err::CaptureCurrentException();
        reportFailure(QStringLiteral("BelPrinter - chyba číslo 602"),
                      QStringLiteral("BelPrinter-CKelPrinter-frmView-PripravNahled-"));
        return false;
    }
}

void PrintEngine::printPages(int startPage, int endPage, const QString& pdfFile, bool& opened) {
    const std::unique_ptr<QPrinter> pdfJob = pdfFile.isEmpty() ? nullptr : PdfJobPrinter(pdfFile);
    QPrinter& printer = pdfJob ? *pdfJob : CurrentPrinter();
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (!pdfFile.isEmpty())
            err::Raise(err::errPathFileAccess, QString(), QStringLiteral("Nelze zapsat soubor ") + pdfFile);
        err::Raise(err::errDeviceUnavailable, QString(),
                   QStringLiteral("Tiskárna ") + CurrentPrinterName() + QStringLiteral(" není dostupná"));
    }
    opened = true;
    const QStringList& pages = PrintSettings().Pages;
    const QRect rect = pageRect();
    for (int i = startPage; i <= endPage; ++i) {
        PageOnPrinter(pages.value(i - 1))->formatRange(0, rect, &painter);
        if (i < endPage && !printer.newPage()) {
            painter.end();
            err::Raise(err::errDeviceIo, QString(), QStringLiteral("Tiskárna nepřijala další stránku"));
        }
    }
    if (!painter.end())
        err::Raise(err::errDeviceIo, QString(), QStringLiteral("Tisk se nepodařilo dokončit"));
    if (pdfJob)
        CheckPdfWritten(pdfFile);
}

PrintEngine::Outcome PrintEngine::PrintRTF(int startPage, int endPage) {
    const int count = int(PrintSettings().Pages.size());
    startPage = std::clamp(startPage, 1, std::max(count, 1));
    endPage = std::clamp(endPage, startPage, std::max(count, 1));
    QString pdf;
    if (CurrentIsPdf()) {
        pdf = PdfJobFile(PrintSettings().UsedForm.data());
        if (pdf.isEmpty())
            return Outcome::Cancelled;
    }
    bool opened = false;
    try {
        printPages(startPage, endPage, pdf, opened);
        return Outcome::Printed;
    } catch (...) {
        err::CaptureCurrentException();
        if (!CurrentIsPdf())
            CurrentPrinter().abort();
        // A failed job leaves nothing that looks like a finished printout; a file it could not
        // open (read-only) is someone else's and stays.
        if (opened && !pdf.isEmpty())
            QFile::remove(pdf);
        reportFailure(QStringLiteral("KelVBLib - chyba číslo 602"),
                      QStringLiteral("KelVBLib - CKelPrinter - frmView - PrintRTF"));
        return Outcome::Failed;
    }
}

} // namespace lumo::print
