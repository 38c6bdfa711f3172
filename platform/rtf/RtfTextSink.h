#pragma once

#include "platform/rtf/RtfSink.h"

#include <QString>

// The text-only pass of the RTF reader: collects exactly what a rich-text box's Text gives
// for the document (paragraphs and line breaks as CR LF), with no document and no formats.
namespace lumo::rtf {

class RtfTextSink : public RtfSink {
public:
    RtfTextSink();

    bool wantsFormats() const override { return false; }
    void setCharFormat(const QTextCharFormat&) override {}
    void appendText(QStringView text) override;
    void appendChar(QChar c) override;
    void endParagraph(const QTextBlockFormat&) override;
    void pageBreak(const QTextBlockFormat& format) override;
    void finish(const QTextBlockFormat&) override {}

    const QString& text() const { return m_text; }

private:
    QString m_text;
    bool m_blockHasText = false;
};

} // namespace lumo::rtf
