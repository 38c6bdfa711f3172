#include "platform/rtf/RtfWriter.h"

#include "platform/rtf/Charsets.h"
#include "platform/rtf/FontMap.h"
#include "platform/rtf/RtfUnits.h"

#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextDocument>

namespace lumo::rtf {

namespace {

constexpr int kDefaultCharset = 238;
constexpr int kSymbolCharset = 2;

struct FontEntry {
    QString face;
    QString alt;
    QString family;
    int charset = kDefaultCharset;
};

struct RunState {
    int font = 0;
    int halfPoints = 24;
    int color = 0;
    int highlight = 0;
    int vertical = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool symbol = false;
};

// The \f family word for a font we only know by its installed name.
QString guessFamily(const QString& face) {
    const QString f = face.toLower();
    if (f.contains(QLatin1StringView("mono")) || f.contains(QLatin1StringView("courier")))
        return QStringLiteral("modern");
    if (f.contains(QLatin1StringView("serif")) && !f.contains(QLatin1StringView("sans")))
        return QStringLiteral("roman");
    if (f.contains(QLatin1StringView("times")))
        return QStringLiteral("roman");
    return QStringLiteral("swiss");
}

QColor brushColor(const QTextFormat& f, int property) {
    if (!f.hasProperty(property))
        return QColor();
    const QBrush brush = f.brushProperty(property);
    return brush.style() == Qt::NoBrush ? QColor() : brush.color();
}

class RtfWriter {
public:
    RtfWriter(const QTextDocument& doc, int from, int to) : m_doc(doc), m_from(from), m_to(to) {
        m_out.reserve(qMax(256, (to - from) * 2 + 1024));
    }
    QString write();

private:
    template <typename Visit> void forEachRun(Visit visit) const;
    const RunState& runState(int formatIndex, const QTextCharFormat& format);
    int fontIndex(const QTextCharFormat& f);
    int colorIndex(const QColor& c);
    void writeHeader(QString& out) const;
    void writeBlockStart(const QTextBlockFormat& f, bool pageBreak);
    void writeChanges(const RunState& s);
    void writeText(QStringView text, bool symbol, QString& out) const;
    void word(const char* name, int value) {
        m_out += QLatin1Char('\\') + QLatin1StringView(name) + QString::number(value);
    }

    const QTextDocument& m_doc;
    int m_from;
    int m_to;
    QString m_out;
    QList<FontEntry> m_fonts;
    QHash<QString, int> m_fontByKey;
    QList<QColor> m_colors;
    QHash<QRgb, int> m_colorByRgb;
    QHash<int, RunState> m_runStates;
    RunState m_written;
};

// Calls visit(block, fragment-or-invalid, clippedText) for each part of the range, block by
// block; blocks come with an invalid fragment first, so that empty ones are seen too.
template <typename Visit> void RtfWriter::forEachRun(Visit visit) const {
    for (QTextBlock b = m_doc.findBlock(m_from); b.isValid() && b.position() <= m_to; b = b.next()) {
        visit(b, QTextFragment(), QStringView());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const int start = qMax(m_from, frag.position());
            const int end = qMin(m_to, frag.position() + frag.length());
            if (end <= start)
                continue;
            const QString text = frag.text();
            visit(b, frag, QStringView(text).mid(start - frag.position(), end - start));
        }
        if (b.position() + b.length() - 1 >= m_to)
            break;
    }
}

QString RtfWriter::write() {
    bool firstBlock = true;
    bool breakAfter = false;
    forEachRun([&](const QTextBlock& b, const QTextFragment& frag, QStringView text) {
        if (!frag.isValid()) {
            if (!firstBlock)
                m_out += QLatin1StringView("\\par\r\n");
            const QTextBlockFormat bf = b.blockFormat();
            const bool pageBreak = breakAfter || (bf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
            writeBlockStart(bf, pageBreak && b.position() >= m_from);
            breakAfter = bf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter;
            firstBlock = false;
            // An empty paragraph keeps its height: its mark's character format.
            if (b.length() == 1)
                writeChanges(runState(b.charFormatIndex(), b.charFormat()));
            return;
        }
        const RunState s = runState(frag.charFormatIndex(), frag.charFormat());
        writeChanges(s);
        writeText(text, s.symbol, m_out);
    });
    QString header;
    writeHeader(header);
    return header + m_out + QLatin1Char('}');
}

const RunState& RtfWriter::runState(int key, const QTextCharFormat& f) {
    auto it = m_runStates.find(key);
    if (it != m_runStates.end())
        return *it;
    RunState s;
    s.font = fontIndex(f);
    s.symbol = m_fonts[s.font].charset == kSymbolCharset;
    double pt = f.fontPointSize();
    if (pt <= 0)
        pt = m_doc.defaultFont().pointSizeF();
    s.halfPoints = pt > 0 ? qRound(pt * 2) : 24;
    s.bold = f.fontWeight() > QFont::Medium;
    s.italic = f.fontItalic();
    s.underline = f.fontUnderline();
    s.strike = f.fontStrikeOut();
    s.color = colorIndex(brushColor(f, QTextFormat::ForegroundBrush));
    s.highlight = colorIndex(brushColor(f, QTextFormat::BackgroundBrush));
    const auto va = f.verticalAlignment();
    s.vertical = va == QTextCharFormat::AlignSuperScript ? 1 : va == QTextCharFormat::AlignSubScript ? -1 : 0;
    return *m_runStates.insert(key, s);
}

int RtfWriter::fontIndex(const QTextCharFormat& f) {
    FontEntry e;
    e.face = FaceName(f);
    const bool original = !e.face.isEmpty() && e.face == f.stringProperty(FaceNameProperty);
    if (e.face.isEmpty())
        e.face = m_doc.defaultFont().family();
    if (original) {
        e.alt = f.stringProperty(FaceAltNameProperty);
        e.family = f.stringProperty(FaceFamilyProperty);
        if (f.hasProperty(FaceCharsetProperty) && f.intProperty(FaceCharsetProperty) == kSymbolCharset)
            e.charset = kSymbolCharset;
    }
    if (e.family.isEmpty())
        e.family = guessFamily(SubstituteFont(e.face));
    const QString key = e.face + QChar(0) + e.alt + QChar(0) + QString::number(e.charset);
    auto it = m_fontByKey.constFind(key);
    if (it != m_fontByKey.constEnd())
        return *it;
    m_fonts.append(e);
    m_fontByKey.insert(key, int(m_fonts.size() - 1));
    return int(m_fonts.size() - 1);
}

// Entry 0 of the colour table is "automatic", so real colours start at 1.
int RtfWriter::colorIndex(const QColor& c) {
    if (!c.isValid())
        return 0;
    const QRgb rgb = c.rgb();
    auto it = m_colorByRgb.constFind(rgb);
    if (it != m_colorByRgb.constEnd())
        return *it;
    m_colors.append(c);
    const int index = int(m_colors.size());
    m_colorByRgb.insert(rgb, index);
    return index;
}

void RtfWriter::writeHeader(QString& out) const {
    out += QLatin1StringView("{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl");
    for (int i = 0; i < m_fonts.size(); ++i) {
        const FontEntry& e = m_fonts[i];
        out += QStringLiteral("{\\f%1\\f%2\\fcharset%3").arg(i).arg(e.family).arg(e.charset);
        if (!e.alt.isEmpty()) {
            out += QLatin1StringView("{\\*\\fname ");
            writeText(e.alt, false, out);
            out += QLatin1StringView(";}");
        } else {
            out += QLatin1Char(' ');
        }
        writeText(e.face, false, out);
        out += QLatin1StringView(";}");
    }
    out += QLatin1StringView("}\r\n{\\colortbl ;");
    for (const QColor& c : m_colors)
        out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
    out += QLatin1StringView("}\r\n\\uc1");
}

void RtfWriter::writeBlockStart(const QTextBlockFormat& f, bool pageBreak) {
    if (pageBreak)
        m_out += QLatin1StringView("\\page");
    m_out += QLatin1StringView("\\pard");
    const Qt::Alignment a = f.alignment();
    if (a & Qt::AlignHCenter)
        m_out += QLatin1StringView("\\qc");
    else if (a & Qt::AlignRight)
        m_out += QLatin1StringView("\\qr");
    else if (a & Qt::AlignJustify)
        m_out += QLatin1StringView("\\qj");
    const auto twips = [](qreal units) { return TwipsFromBlockUnits(units); };
    if (const int v = twips(f.leftMargin()))
        word("li", v);
    if (const int v = twips(f.rightMargin()))
        word("ri", v);
    if (const int v = twips(f.textIndent()))
        word("fi", v);
    if (const int v = twips(f.topMargin()))
        word("sb", v);
    if (const int v = twips(f.bottomMargin()))
        word("sa", v);
    m_out += QLatin1Char(' ');
}

void RtfWriter::writeChanges(const RunState& s) {
    const RunState& w = m_written;
    const qsizetype before = m_out.size();
    if (s.font != w.font)
        word("f", s.font);
    if (s.halfPoints != w.halfPoints)
        word("fs", s.halfPoints);
    if (s.bold != w.bold)
        m_out += s.bold ? QLatin1StringView("\\b") : QLatin1StringView("\\b0");
    if (s.italic != w.italic)
        m_out += s.italic ? QLatin1StringView("\\i") : QLatin1StringView("\\i0");
    if (s.underline != w.underline)
        m_out += s.underline ? QLatin1StringView("\\ul") : QLatin1StringView("\\ulnone");
    if (s.strike != w.strike)
        m_out += s.strike ? QLatin1StringView("\\strike") : QLatin1StringView("\\strike0");
    if (s.color != w.color)
        word("cf", s.color);
    if (s.highlight != w.highlight)
        word("highlight", s.highlight);
    if (s.vertical != w.vertical)
        m_out += s.vertical > 0   ? QLatin1StringView("\\super")
                 : s.vertical < 0 ? QLatin1StringView("\\sub")
                                  : QLatin1StringView("\\nosupersub");
    if (m_out.size() != before)
        m_out += QLatin1Char(' ');
    m_written = s;
}

void RtfWriter::writeText(QStringView text, bool symbol, QString& out) const {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // A symbol font reads ASCII letters (and the backslash) as Greek and signs, so only
        // its unchanged codes may stay literal.
        if (symbol && u >= 0x20 && u < 0x80 && SymbolToUnicode(c) != c) {
            out += QLatin1StringView("\\u") + QString::number(u) + QLatin1Char('?');
            continue;
        }
        switch (u) {
        case '\\':
            out += QLatin1StringView("\\\\");
            continue;
        case '{':
            out += QLatin1StringView("\\{");
            continue;
        case '}':
            out += QLatin1StringView("\\}");
            continue;
        case '\t':
            out += QLatin1StringView("\\tab ");
            continue;
        case 0x2028:
            out += QLatin1StringView("\\line ");
            continue;
        case 0x00A0:
            out += QLatin1StringView("\\~");
            continue;
        case 0x00AD:
            out += QLatin1StringView("\\-");
            continue;
        case 0x2011:
            out += QLatin1StringView("\\_");
            continue;
        default:
            break;
        }
        if (IsControlCharacter(u))
            continue;
        if (u < 0x80) {
            out += c;
            continue;
        }
        const int byte = symbol ? -1 : EncodeCp1250(c);
        if (byte >= 0x80) {
            static const char kHex[] = "0123456789abcdef";
            out += QLatin1StringView("\\'");
            out += QLatin1Char(kHex[byte >> 4]);
            out += QLatin1Char(kHex[byte & 15]);
        } else {
            out += QLatin1StringView("\\u") + QString::number(qint16(u)) + QLatin1Char('?');
        }
    }
}

} // namespace

QString WriteRtf(const QTextDocument& doc) {
    return WriteRtf(doc, 0, doc.characterCount());
}

QString WriteRtf(const QTextDocument& doc, int from, int to) {
    const int last = qMax(0, doc.characterCount() - 1);
    from = qBound(0, from, last);
    to = qBound(from, to, last);
    return RtfWriter(doc, from, to).write();
}

} // namespace lumo::rtf
