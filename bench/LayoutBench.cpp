#include "platform/ui/PageLayout.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

// About fifty A4 pages of a record: headings and body paragraphs in two fonts.
void fillRecord(QTextDocument& doc) {
    QTextCursor c(&doc);
    QTextCharFormat heading, body;
    heading.setFontFamilies({QStringLiteral("Liberation Sans")});
    heading.setFontPointSize(14);
    heading.setFontWeight(QFont::Bold);
    body.setFontFamilies({QStringLiteral("Liberation Serif")});
    body.setFontPointSize(11);
    for (int section = 0; section < 155; ++section) {
        if (section > 0)
            c.insertBlock();
        c.insertText(QStringLiteral("Oddíl %1: Účinné látky a použití").arg(section), heading);
        for (int p = 0; p < 3; ++p) {
            c.insertBlock();
            QString text;
            for (int w = 0; w < 40 + (section * 7 + p * 13) % 50; ++w)
                text += QStringLiteral("šalvěj%1 ").arg(w);
            c.insertText(text, body);
        }
    }
}

QImage printer() {
    QImage img(1, 1, QImage::Format_RGB32);
    img.setDotsPerMeterX(23622); // 600 dpi
    img.setDotsPerMeterY(23622);
    return img;
}

const QRect kPage(1134, 1134, 9638, 14570); // A4 within 2 cm margins, twips

void BM_PaginateFiftyPages(benchmark::State& state) {
    QTextDocument doc;
    fillRecord(doc);
    QImage device = printer();
    int pages = 0;
    for (auto _ : state) {
        lumo::ui::PageLayout layout(doc);
        layout.setTargetDevice(&device, kPage.width());
        pages = 0;
        for (int s = 0;;) {
            const int n = layout.formatRange(s, kPage);
            ++pages;
            if (n >= layout.length())
                break;
            s = n;
        }
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PaginateFiftyPages)->Unit(benchmark::kMillisecond);

void BM_RenderOnePage(benchmark::State& state) {
    QTextDocument doc;
    fillRecord(doc);
    QImage page(kPage.width() * 150 / 1440 + 300, kPage.height() * 150 / 1440 + 300, QImage::Format_RGB32);
    page.setDotsPerMeterX(5906); // 150 dpi keeps the image small
    page.setDotsPerMeterY(5906);
    lumo::ui::PageLayout layout(doc);
    layout.setTargetDevice(&page, kPage.width());
    const int second = layout.formatRange(0, kPage);
    for (auto _ : state) {
        page.fill(Qt::white);
        QPainter painter(&page);
        benchmark::DoNotOptimize(layout.formatRange(second, kPage, &painter));
    }
}
BENCHMARK(BM_RenderOnePage)->Unit(benchmark::kMillisecond);

} // namespace
