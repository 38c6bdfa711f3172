#include "library/CKelSrv.h"

#include "library/FrmRTF.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/RtfJoin.h"
#include "platform/ui/Units.h"

#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace lumo {

namespace {

// Entry 16 (pure blue) follows the fifteen colours the records were written with, so that
// every palette colour has an entry of its own.
const QString kHeader = QStringLiteral(
    "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl {\\f0\\fnil MS Sans Serif;}"
    "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss\\fcharset238{\\*\\fname MS Sans Serif;}MS Shell Dlg;}"
    "{\\f3\\fswiss\\fcharset238{\\*\\fname Tahoma;}Tahoma;}"
    "{\\f4\\fnil\\fcharset238{\\*\\fname Times New Roman;}Times New Roman CE;}"
    "{\\f5\\fswiss\\fprq2\\fcharset238{\\*\\fname Arial;}Arial CE;}"
    "{\\f6\\fmodern\\fprq1\\fcharset238{\\*\\fname Courier New;}Courier New CE;}"
    "{\\f7\\fswiss\\fcharset238{\\*\\fname Verdana;}Verdana;}}\r\n"
    "{\\colortbl "
    ";\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red0\\green128\\blue0;\\red0\\green128\\blue128;"
    "\\red128\\green0\\blue0;\\red128\\green0\\blue128;\\red128\\green128\\blue0;\\red192\\green192\\blue192;"
    "\\red128\\green128\\blue128;\\red0\\green255\\blue0;\\red0\\green255\\blue255;\\red255\\green0\\blue0;"
    "\\red255\\green0\\blue255;\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue255;"
    "}");

// Palette number (0 black ... 8 dark grey, 9 blue, 10 lime ... 15 white) to the header's entry.
int colourEntry(int color) {
    if (color >= 0 && color <= 8)
        return color + 1;
    if (color == 9)
        return 16;
    if (color >= 10 && color <= 15)
        return color;
    return color + 1;
}

bool isWordStop(QChar c) {
    return c.unicode() < 33 || QStringLiteral(" !?.,:").contains(c);
}

// A toggle sets an attribute that is mixed over the selection.
bool toggled(ui::TriState state) {
    return state != ui::TriState::On;
}

} // namespace

QString CKelSrv::rtfHeader() const {
    return kHeader;
}

QString CKelSrv::RTFKod(const QString& Text, bool Bold, bool Italic, int Font, int Size, int Color,
                        bool NewPar) const {
    QString run = QStringLiteral("\\cf%1\\b%2\\i%3\\f%4\\fs%5 ")
                      .arg(colourEntry(Color))
                      .arg(Bold ? QString() : QStringLiteral("0"))
                      .arg(Italic ? QString() : QStringLiteral("0"))
                      .arg(Font)
                      .arg(Size);
    run.reserve(run.size() + Text.size() + 8);
    for (const QChar c : Text) {
        if (c == u'\\' || c == u'{' || c == u'}') {
            run += u'\\';
            run += c;
        } else if (c.unicode() < 128 || text::isAnsiRepresentable(QString(c))) {
            run += c;
        } else {
            // \u takes a signed 16-bit number; the "?" is what a reader without Unicode shows.
            run += QStringLiteral("\\u%1?").arg(int(qint16(c.unicode())));
        }
    }
    if (NewPar)
        run += QStringLiteral(" \\par ");
    return run;
}

long CKelSrv::GetRTFLines(const ui::RichTextBox& Box) const {
    return Box.lineCount() + 1;
}

long CKelSrv::GetRTFColumns(const ui::RichTextBox& Box) const {
    return Box.lineLength(Box.SelStart()) + 1;
}

long CKelSrv::GetRTFLineNumber(const ui::RichTextBox& Box) const {
    return Box.lineFromChar(Box.SelStart()) + 1;
}

long CKelSrv::GetRTFColNumber(const ui::RichTextBox& Box) const {
    const int start = Box.SelStart();
    return start - Box.lineIndex(Box.lineFromChar(start)) + 1;
}

QString CKelSrv::GetRTFLineText(const ui::RichTextBox& Box, long Line) const {
    return Box.lineText(int(Line));
}

long CKelSrv::GetRTFLineVisible(const ui::RichTextBox& Box) const {
    return Box.firstVisibleLine() + 1;
}

void CKelSrv::MarkRTFSel(ui::RichTextBox& Box, long Flags, std::optional<long> Color) const {
    if (Flags == 0) {
        Box.setSelStrikeThru(false);
        Box.setSelUnderline(false);
        Box.setSelItalic(false);
        Box.setSelBold(false);
        Box.setSelColor(0x80000008L); // the system colour of window text
    } else {
        if (Flags & 32)
            Box.changeSelCase(false);
        if (Flags & 16)
            Box.changeSelCase(true);
        if (Flags & 8)
            Box.setSelStrikeThru(toggled(Box.SelStrikeThru()));
        if (Flags & 4)
            Box.setSelUnderline(toggled(Box.SelUnderline()));
        if (Flags & 2)
            Box.setSelItalic(toggled(Box.SelItalic()));
        if (Flags & 1)
            Box.setSelBold(toggled(Box.SelBold()));
        // Flags 0 resets to the window-text colour; a colour goes with the other flags only.
        if (Color)
            Box.setSelColor(*Color);
    }
}

QString CKelSrv::GetRTFWord(ui::RichTextBox& Box, float& X, float& Y, bool Mark) const {
    const int twipsPerPixel = std::max(1, int(std::lround(ui::kTwipsPerInch / ui::LogicalDpi())));
    // Integer division rounds its operands to whole numbers first, halves to even.
    X = float(long(std::nearbyint(X)) / twipsPerPixel);
    Y = float(long(std::nearbyint(Y)) / twipsPerPixel);
    const QString text = Box.Text();
    const int at = Box.charFromPos(QPoint(int(X), int(Y)));
    if (at < 0 || at >= text.size())
        return QString();
    int start = at, end = at;
    while (start > 0 && !isWordStop(text.at(start - 1)))
        --start;
    while (end < text.size() && !isWordStop(text.at(end)))
        ++end;
    if (Mark && end > start) {
        const int selStart = Box.SelStart(), selLength = Box.SelLength();
        Box.select(start, end - start);
        Box.setSelStrikeThru(toggled(Box.SelStrikeThru()));
        Box.select(selStart, selLength);
    }
    return text.mid(start, end - start);
}

QString CKelSrv::GetRTFMarkText(ui::RichTextBox& Box, bool Remove) const {
    const QString text = Box.Text();
    QString result;
    std::vector<std::pair<int, int>> runs;
    int runStart = -1;
    for (int p = 0; p <= text.size(); ++p) {
        // Line breaks are never marked; they end a run like any unmarked character.
        const bool struck = p < text.size() && text.at(p) != u'\r' && text.at(p) != u'\n' &&
                            Box.charFormatAt(p).fontStrikeOut();
        if (struck) {
            if (runStart < 0)
                runStart = p;
            result += text.at(p);
        } else if (runStart >= 0) {
            runs.emplace_back(runStart, p - runStart);
            runStart = -1;
            if (p < text.size())
                result += u' ';
        }
    }
    if (Remove && !runs.empty()) {
        const int selStart = Box.SelStart(), selLength = Box.SelLength();
        for (const auto& [start, length] : runs) {
            Box.select(start, length);
            Box.setSelStrikeThru(false);
        }
        Box.select(selStart, selLength);
    }
    return result;
}

QString CKelSrv::JoinRTF(const QString& First, const QString& Second) const {
    return ui::JoinRtf(First, Second);
}

QString CKelSrv::GetTextFromRTF(const QString& RTF, bool Restyle, const QString& FontName, int FontSize,
                                long Color) const {
    ui::RichTextBox box;
    box.setTextRTF(RTF);
    if (!Restyle)
        return box.Text();
    box.select(0, box.TextLength());
    if (!FontName.trimmed().isEmpty())
        box.setSelFontName(FontName.trimmed());
    if (FontSize > 0)
        box.setSelFontSize(FontSize);
    if (Color >= 0)
        box.setSelColor(Color);
    return box.TextRTF();
}

QString CKelSrv::TextOver(const ui::RichTextBox& Box) const {
    // Reads formats in place, so the selection, the scroll position and the signals stay
    // as they were. A run cannot start at 0: the walk stops at 1, and descriptions always
    // begin with a heading.
    const int p = Box.SelStart();
    const QString text = Box.Text();
    auto linked = [&](int i) {
        return i < text.size() && text.at(i).unicode() >= 32 && Box.charFormatAt(i).fontUnderline();
    };
    if (p < 1 || !linked(p))
        return QString();
    int start = p, end = p;
    while (start > 1 && linked(start - 1))
        --start;
    while (linked(end + 1))
        ++end;
    return text.mid(start, end - start + 1);
}

FrmRTF& CKelSrv::frmRTF() {
    if (!m_frmRTF)
        m_frmRTF = std::make_shared<FrmRTF>();
    return *m_frmRTF;
}

} // namespace lumo
