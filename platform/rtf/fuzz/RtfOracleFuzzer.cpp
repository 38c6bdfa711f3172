#include "platform/rtf/RtfReader.h"
#include "platform/rtf/fuzz/RtfWordOracle.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

// The input steers a generator of documents made from known words; a reading that loses
// a word, or shows one from a skipped destination or from after the end, is a fault.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumo::rtf::fuzz::ChoiceSource choices(data, size);
    const lumo::rtf::fuzz::OracleDocument generated = lumo::rtf::fuzz::GenerateOracleDocument(choices);
    QTextDocument doc;
    lumo::rtf::ReadRtf(generated.rtf, doc);
    const QString difference = lumo::rtf::fuzz::CompareWords(generated.words, lumo::rtf::fuzz::WordsOf(doc));
    if (!difference.isEmpty()) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(difference), generated.rtf.toUtf8().constData());
        std::abort();
    }
    return 0;
}
