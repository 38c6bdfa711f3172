#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/text/AnsiText.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {

QString paragraphs(const QTextDocument& doc) {
    QString out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out += b.text() + u'\n';
    return out;
}

// The text as a rich-text box gives it: CR LF between paragraphs and for line breaks.
QString boxText(const QTextDocument& doc) {
    QString out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        out += b.text().replace(QChar::LineSeparator, QStringLiteral("\r\n"));
        if (b.next().isValid())
            out += QStringLiteral("\r\n");
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

// Reads the input as a stored document would be read, inserts it into text, and checks
// that what was read survives writing and reading again and that the text-only pass agrees.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString rtf =
        lumo::text::decodeAnsi(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    QTextDocument doc;
    lumo::rtf::ReadRtf(rtf, doc);
    // The text-only pass (full-text search) reads exactly the text the document holds.
    if (lumo::rtf::ReadRtfText(rtf) != boxText(doc))
        std::abort();
    QTextDocument again;
    lumo::rtf::ReadRtf(lumo::rtf::WriteRtf(doc), again);
    if (paragraphs(doc) != paragraphs(again))
        std::abort();
    doc.setPlainText(QStringLiteral("před\nza"));
    QTextCursor cursor(&doc);
    cursor.setPosition(2);
    lumo::rtf::InsertRtf(cursor, rtf);
    lumo::rtf::WriteRtf(doc, 1, doc.characterCount() - 2);
    return 0;
}
