#pragma once

#include <QStringView>
#include <QTextBlockFormat>
#include <QTextCharFormat>

// Where the RTF reader puts what it reads: the document builder for a QTextDocument, or the
// text-only sink that gives the plain text alone.
namespace lumo::rtf {

class RtfSink {
public:
    virtual ~RtfSink() = default;

    // False when the sink ignores formats: the reader then builds none.
    virtual bool wantsFormats() const { return true; }
    // The format of the text appended from now on.
    virtual void setCharFormat(const QTextCharFormat& format) = 0;
    // Text free of control characters (tabs and U+2028 line breaks allowed).
    virtual void appendText(QStringView text) = 0;
    virtual void appendChar(QChar c) = 0;
    // Ends the current paragraph with the given paragraph format.
    virtual void endParagraph(const QTextBlockFormat& format) = 0;
    // Starts a new page: the current paragraph ends unless it is still empty.
    virtual void pageBreak(const QTextBlockFormat& format) = 0;
    // Ends the last paragraph (not terminated by \par) with the given format.
    virtual void finish(const QTextBlockFormat& format) = 0;
};

} // namespace lumo::rtf
