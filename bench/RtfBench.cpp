#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/text/AnsiText.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

const char* const kWords[] = {"Máta", "peprná",   "heřmánek", "pravý",     "šalvěj", "lékařská",
                              "Мята", "перечная", "třezalka", "tečkovaná", "čaj",    "(folium)"};

// A herb record as the program composes it and the rich-edit box writes it back:
// the fixed header, then runs with \'xx and \uN escapes, about size characters long.
QString makeRecord(int size) {
    QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl {\\f0\\fnil MS Sans Serif;}"
        "{\\f1\\froman\\fcharset2 Symbol;}{\\f5\\fswiss\\fprq2\\fcharset238{\\*\\fname Arial;}Arial CE;}"
        "{\\f4\\fnil\\fcharset238{\\*\\fname Times New Roman;}Times New Roman CE;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red0\\green128\\blue0;"
        "\\red0\\green128\\blue128;}\r\n\\viewkind4\\uc1\\pard ");
    for (int n = 0; rtf.size() < size; ++n) {
        if (n % 40 == 0)
            rtf += QStringLiteral("\\par\r\n\\pard%1\\cf%2\\b\\f5\\fs28 ")
                       .arg(n % 80 ? QStringLiteral("\\li360") : QStringLiteral("\\qc"))
                       .arg(n % 4 + 1);
        else if (n % 7 == 0)
            rtf += QStringLiteral("\\b0\\i\\f4\\fs20 ");
        else if (n % 7 == 3)
            rtf += QStringLiteral("\\i0\\ul ");
        else if (n % 7 == 5)
            rtf += QStringLiteral("\\ulnone ");
        for (QChar c : QString::fromUtf8(kWords[n % std::size(kWords)])) {
            if (c.unicode() < 0x80)
                rtf += c;
            else if (c.unicode() >= 0x400 && c.unicode() < 0x500)
                rtf += QStringLiteral("\\u%1?").arg(c.unicode());
            else
                rtf += QStringLiteral("\\'%1").arg(
                    QString::fromLatin1(lumo::text::encodeAnsi(QString(c)).toHex()));
        }
        rtf += u' ';
    }
    return rtf + QStringLiteral("\\par\r\n}");
}

void BM_ReadRtf100K(benchmark::State& state) {
    const QString rtf = makeRecord(100 * 1024);
    for (auto _ : state) {
        QTextDocument doc;
        benchmark::DoNotOptimize(lumo::rtf::ReadRtf(rtf, doc).ok);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * rtf.size());
}
BENCHMARK(BM_ReadRtf100K)->Unit(benchmark::kMillisecond);

void BM_WriteRtf100K(benchmark::State& state) {
    QTextDocument doc;
    lumo::rtf::ReadRtf(makeRecord(100 * 1024), doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(lumo::rtf::WriteRtf(doc).size());
}
BENCHMARK(BM_WriteRtf100K)->Unit(benchmark::kMillisecond);

} // namespace
