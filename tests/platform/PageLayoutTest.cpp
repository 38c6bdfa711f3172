#include "platform/ui/PageLayout.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

using lumo::ui::PageLayout;

namespace {

// A 600 dpi image stands in for the printer; layout needs only its resolution.
QImage printerPage(int widthTwips = 3, int heightTwips = 3) {
    QImage img(widthTwips * 600 / 1440, heightTwips * 600 / 1440, QImage::Format_RGB32);
    img.setDotsPerMeterX(23622);
    img.setDotsPerMeterY(23622);
    img.fill(Qt::white);
    return img;
}

// Paragraphs of varying length in Liberation Serif 12 pt, some with line breaks.
void fillDocument(QTextDocument& doc, int paragraphs) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(12);
    doc.setDefaultFont(font);
    QTextCursor c(&doc);
    for (int i = 0; i < paragraphs; ++i) {
        if (i > 0)
            c.insertBlock();
        QString text = QStringLiteral("Odstavec %1: ").arg(i);
        for (int w = 0; w < (i * 7) % 60; ++w)
            text += QStringLiteral("bylina%1 ").arg(w);
        if (i % 5 == 0)
            text += QChar::LineSeparator + QStringLiteral("druhý řádek");
        c.insertText(text);
    }
}

// Cuts the whole document into pages; each entry is (start, end).
std::vector<std::pair<int, int>> paginate(PageLayout& layout, const QRect& rect) {
    std::vector<std::pair<int, int>> pages;
    for (int s = 0;;) {
        const int n = layout.formatRange(s, rect);
        pages.emplace_back(s, n);
        if (n >= layout.length() || pages.size() > 10000)
            break;
        s = n;
    }
    return pages;
}

struct LayoutCase {
    const char* name;
    int paragraphs;
    int pageHeightTwips;
    int lineWidthTwips;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class PaginationInvariants : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PaginationInvariants, PagesInOrderCoverTheTextExactly) {
    const LayoutCase p = GetParam();
    QTextDocument doc;
    fillDocument(doc, p.paragraphs);
    QImage device = printerPage();
    PageLayout layout(doc);
    layout.setTargetDevice(&device, p.lineWidthTwips);
    const QRect rect(1134, 1134, 9000, p.pageHeightTwips);
    const auto pages = paginate(layout, rect);

    ASSERT_FALSE(pages.empty());
    const QString& text = layout.positions().text();
    QString joined;
    for (const auto& [s, n] : pages)
        joined += text.mid(s, n - s);
    EXPECT_EQ(joined, text);
    EXPECT_EQ(pages.front().first, 0);
    EXPECT_EQ(pages.back().second, layout.length());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_LT(pages[i].first, pages[i].second) << "page " << i << " did not advance";
        if (i > 0) {
            EXPECT_EQ(pages[i].first, pages[i - 1].second);
        }
        // A page break falls at a line start (after a paragraph's CR LF, not inside it).
        if (i + 1 < pages.size()) {
            const int n = pages[i].second;
            const int before = text.at(n - 1) == u'\n' ? n - 2 : n - 1;
            EXPECT_EQ(layout.lineFromChar(n), layout.lineFromChar(before) + 1);
        }
    }
    EXPECT_GT(pages.size(), std::size_t(1));
}

INSTANTIATE_TEST_SUITE_P(Documents, PaginationInvariants,
                         ::testing::Values(LayoutCase{"ShortPages", 40, 4000, 0},
                                           LayoutCase{"FullPages", 120, 14000, 0},
                                           LayoutCase{"NarrowLines", 60, 2000, 5000},
                                           LayoutCase{"OneLinePages", 30, 300, 0}));

TEST(PageLayout, PagesHoldWholeLinesThatFit) {
    QTextDocument doc;
    fillDocument(doc, 50);
    QImage device = printerPage();
    PageLayout layout(doc);
    layout.setTargetDevice(&device, 0);
    const QRect rect(0, 0, 9000, 3000);
    const auto pages = paginate(layout, rect);
    const int lines = layout.lineCount();
    int counted = 0;
    for (const auto& [s, n] : pages) {
        const int first = layout.lineFromChar(s);
        const int last = n >= layout.length() ? lines - 1 : layout.lineFromChar(n) - 1;
        counted += last - first + 1;
        // 12 pt lines are about 280 twips high: at most ten of them fit in 3000 twips.
        EXPECT_LE(last - first + 1, 11);
        if (n < layout.length()) {
            EXPECT_GE(last - first + 1, 8);
        }
    }
    EXPECT_EQ(counted, lines);
}

TEST(PageLayout, LineTallerThanThePageStillAdvances) {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat big;
    big.setFontPointSize(72);
    c.insertText(QStringLiteral("A"), big);
    c.insertBlock();
    c.insertText(QStringLiteral("B"), big);
    QImage device = printerPage();
    PageLayout layout(doc);
    layout.setTargetDevice(&device, 0);
    const QRect tiny(0, 0, 5000, 100);
    EXPECT_EQ(layout.formatRange(0, tiny), 3);
    EXPECT_EQ(layout.formatRange(3, tiny), 4);
    EXPECT_EQ(layout.formatRange(4, tiny), 4);
}

TEST(PageLayout, PositionsCountLineBreaksTwice) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("jedna\ndva\ntři"));
    QImage device = printerPage();
    PageLayout layout(doc);
    layout.setTargetDevice(&device, 0);
    EXPECT_EQ(layout.length(), 15);
    // One line per page: the breaks are the box positions of "dva" and "tři".
    const QRect oneLine(0, 0, 5000, 300);
    EXPECT_EQ(layout.formatRange(0, oneLine), 7);
    EXPECT_EQ(layout.formatRange(7, oneLine), 12);
    EXPECT_EQ(layout.formatRange(12, oneLine), 15);
}

TEST(PageLayout, NarrowerLineWidthWrapsMoreAndLeavesTheSourceAlone) {
    QTextDocument doc;
    fillDocument(doc, 20);
    doc.setTextWidth(10000);
    QImage device = printerPage();
    PageLayout wide(doc), narrow(doc);
    wide.setTargetDevice(&device, 9000);
    narrow.setTargetDevice(&device, 3000);
    EXPECT_GT(narrow.lineCount(), wide.lineCount() * 2);
    EXPECT_EQ(doc.textWidth(), 10000);
}

TEST(PageLayout, OverlongWordsBreakInsteadOfRunningOff) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(QString(400, u'x'));
    QImage device = printerPage();
    PageLayout layout(doc);
    layout.setTargetDevice(&device, 2000);
    EXPECT_GT(layout.lineCount(), 3);
}

TEST(PageLayout, RendersOnlyInsideTheRectangle) {
    QTextDocument doc;
    fillDocument(doc, 30);
    QImage device = printerPage(10000, 6000);
    PageLayout layout(doc);
    layout.setTargetDevice(&device, 0);
    const QRect rect(1440, 1440, 7000, 4000);
    QPainter painter(&device);
    const int n = layout.formatRange(0, rect, &painter);
    painter.end();
    EXPECT_GT(n, 0);
    const QRect px(600, 600, 7000 * 600 / 1440, 4000 * 600 / 1440);
    int inside = 0, outside = 0;
    for (int y = 0; y < device.height(); y += 3) {
        for (int x = 0; x < device.width(); x += 3) {
            if (device.pixel(x, y) != qRgb(255, 255, 255))
                ++(px.adjusted(-1, -1, 1, 1).contains(x, y) ? inside : outside);
        }
    }
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0);
}

TEST(PageLayout, PrintsEveryPageOntoAPdfWriter) {
    QTextDocument doc;
    fillDocument(doc, 40);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tisk.pdf"));
    int pages = 0;
    {
        QPdfWriter writer(path);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        PageLayout layout(doc);
        layout.setTargetDevice(&writer, 9000);
        QPainter painter(&writer);
        const QRect rect(1134, 1134, 9000, 6000);
        for (int s = 0;;) {
            const int n = layout.formatRange(s, rect, &painter);
            ++pages;
            if (n >= layout.length())
                break;
            writer.newPage();
            s = n;
        }
    }
    EXPECT_GT(pages, 2);
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type /Page\\b"))), pages);
}

TEST(PageLayout, IndentsKeepTheirSizeOnTheDevice) {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextBlockFormat indented;
    indented.setLeftMargin(48); // 720 twips, in the screen pixels the reader keeps
    c.setBlockFormat(indented);
    c.insertText(QStringLiteral("odsazeno"));
    QImage device = printerPage();
    PageLayout layout(doc);
    layout.setTargetDevice(&device, 5000);
    layout.formatRange(0, QRect(0, 0, 5000, 5000));
    // Half an inch at 600 dpi; the source document is untouched.
    EXPECT_NEAR(layout.document().begin().layout()->lineAt(0).x(), 300, 1);
    EXPECT_EQ(doc.begin().blockFormat().leftMargin(), 48);
    layout.setTargetDevice(nullptr, 5000);
    layout.formatRange(0, QRect(0, 0, 5000, 5000));
    EXPECT_NEAR(layout.document().begin().layout()->lineAt(0).x(), 48, 1);
}

// Space after a paragraph (\sa240: 16 screen pixels) is 240 twips on the device too, not
// scaled twice (Qt's layout scales vertical block margins itself).
TEST(PageLayout, ParagraphSpacingKeepsItsSizeOnTheDevice) {
    const auto secondLineTop = [](double spaceAfter) {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextBlockFormat spaced;
        spaced.setBottomMargin(spaceAfter);
        c.setBlockFormat(spaced);
        c.insertText(QStringLiteral("první"));
        c.insertBlock(QTextBlockFormat());
        c.insertText(QStringLiteral("druhý"));
        QImage device = printerPage();
        PageLayout layout(doc);
        layout.setTargetDevice(&device, 5000);
        layout.formatRange(0, QRect(0, 0, 5000, 50000));
        return layout.lineTopTwips(1);
    };
    EXPECT_NEAR(secondLineTop(16) - secondLineTop(0), 240, 5);
}

TEST(PageLayout, EmptyDocumentIsOnePage) {
    QTextDocument doc;
    PageLayout layout(doc);
    EXPECT_EQ(layout.length(), 0);
    EXPECT_EQ(layout.formatRange(0, QRect(0, 0, 5000, 5000)), 0);
}

} // namespace
