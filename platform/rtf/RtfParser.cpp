#include "platform/rtf/RtfParser.h"

#include "platform/rtf/Charsets.h"
#include "platform/rtf/FontMap.h"
#include "platform/rtf/RtfKeywords.h"
#include "platform/rtf/RtfUnits.h"

#include <QTextBlockFormat>

#include <utility>

namespace lumo::rtf {

namespace {

// Real documents nest a few dozen groups; deeper input is garbage or an attack.
constexpr std::size_t kMaxDepth = 200;
// Fallback texts after \uN are one or two characters; a huge \uc must not eat the document.
constexpr int kMaxFallback = 16;
// Indents and spacing beyond 22 inches have no meaning on any page.
constexpr int kMaxTwips = 31680;
constexpr int kMaxHalfPoints = 3276;

int clampTwips(int value, int low = -kMaxTwips) {
    return qBound(low, value, kMaxTwips);
}

bool isBlank(QStringView text) {
    for (QChar c : text) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

} // namespace

RtfParser::RtfParser(QStringView rtf, RtfSink& builder)
    : m_tokens(rtf), m_builder(builder), m_formats(builder.wantsFormats()), m_ansiCodePage(kDefaultCodePage) {
    m_stack.reserve(64);
}

bool RtfParser::parse() {
    for (;;) {
        const RtfToken t = m_tokens.next();
        if (t.type == RtfToken::End)
            break;
        if (m_stack.empty()) {
            if (!outsideDocument(t))
                break;
            continue;
        }
        if (!m_pendingBytes.isEmpty() && t.type != RtfToken::HexByte &&
            !(t.type == RtfToken::Text && literalBytesRecoded() && IsMultiByteCodePage(codePage())))
            flushBytes();
        m_afterOpen = std::exchange(m_groupStart, false);
        switch (t.type) {
        case RtfToken::GroupOpen:
            onGroupOpen();
            break;
        case RtfToken::GroupClose:
            onGroupClose();
            break;
        case RtfToken::ControlWord:
            onControlWord(t);
            break;
        case RtfToken::ControlSymbol:
            onControlSymbol(t);
            break;
        case RtfToken::HexByte:
            onHexByte(t.param);
            break;
        case RtfToken::Text:
            onText(t.word);
            break;
        case RtfToken::End:
            break;
        }
    }
    flushBytes();
    if (!m_stack.empty()) {
        fail(QStringLiteral("Dokument RTF není úplný: chybí uzavírací závorka."));
        m_rootAfterEnd = m_stack.front();
        m_rootAfterEnd.par = state().par;
    }
    m_builder.finish(parFormat(m_stack.empty() ? m_rootAfterEnd.par : state().par));
    return m_error.isEmpty();
}

// Before the document's first brace nothing counts. The brace that closes the document
// ends it, as the rich-edit box reads it: only blanks may follow, and anything else there
// (a stray brace, a second document, junk after a stored document) is not read but named
// in the error. Returns false when reading stops.
bool RtfParser::outsideDocument(const RtfToken& t) {
    if (!m_ended) {
        if (t.type == RtfToken::GroupOpen) {
            m_stack.emplace_back();
            m_groupStart = true;
        }
        return true;
    }
    if (t.type == RtfToken::Text && isBlank(t.word))
        return true;
    if (t.type == RtfToken::GroupClose) {
        fail(QStringLiteral("Dokument RTF má nadbytečnou uzavírací závorku; text za ní se nečte."));
    } else if (t.type == RtfToken::GroupOpen && m_tokens.next().word == QLatin1StringView("rtf")) {
        fail(QStringLiteral("Za koncem dokumentu RTF následuje další dokument; čte se jen první."));
    } else {
        fail(QStringLiteral("Za koncem dokumentu RTF následuje text, který k dokumentu nepatří."));
    }
    return false;
}

void RtfParser::fail(const QString& message) {
    if (m_error.isEmpty())
        m_error = message;
}

void RtfParser::onGroupOpen() {
    m_skipFallback = 0;
    m_starPending = false;
    m_groupStart = true;
    if (m_stack.size() >= kMaxDepth) {
        ++m_overflow;
        fail(QStringLiteral("Dokument RTF je vnořen příliš hluboko."));
        return;
    }
    GroupState inner = state();
    inner.starred = false;
    m_stack.push_back(inner);
}

void RtfParser::onGroupClose() {
    m_skipFallback = 0;
    m_starPending = false;
    if (m_overflow > 0) {
        if (m_overflowSkip == m_overflow)
            m_overflowSkip = 0;
        --m_overflow;
        return;
    }
    const Destination dest = state().dest;
    const Destination outer = m_stack.size() > 1 ? m_stack[m_stack.size() - 2].dest : Destination::Text;
    if (dest == Destination::FontAltName && outer != Destination::FontAltName)
        commitAltName();
    if (dest == Destination::FontTable)
        commitFontName();
    if (dest != Destination::Text && dest != Destination::Skip) {
        // The tables may have changed what a font or colour number stands for.
        m_formatValid = false;
        m_builderHasFormat = false;
    }
    if (m_stack.size() == 1) {
        m_rootAfterEnd = state();
        m_ended = true;
    }
    m_stack.pop_back();
}

void RtfParser::onControlWord(const RtfToken& t) {
    const KeywordInfo* info = FindKeyword(t.word);
    const bool starred = m_starPending;
    m_starPending = false;
    if (info && info->kind == Keyword::Binary) {
        m_tokens.skipRaw(t.hasParam ? qMax(0, t.param) : 0);
        return;
    }
    Destination& dest = state().dest;
    if (dest == Destination::Skip || m_overflowSkip > 0)
        return;
    if (m_overflow > 0 && !keepDeepWord(info, starred))
        return;
    if (info && info->kind == Keyword::FontAltName && dest == Destination::FontTable) {
        dest = Destination::FontAltName;
        m_altBuffer.clear();
        return;
    }
    if (starred) {
        // An optional destination this reader does not know: its text is not ours.
        dest = Destination::Skip;
        return;
    }
    if (!info)
        return;
    if (dest == Destination::Text && skipFallback())
        return;
    const int kind = int(info->kind);
    if (dest == Destination::FontTable)
        onFontTableWord(kind, t);
    else if (dest == Destination::ColorTable)
        onColorTableWord(kind, t);
    else if (dest == Destination::Text && !onDocumentWord(kind, t) && !onFormatWord(kind, t) &&
             !onParagraphWord(kind, t))
        onTableWord(kind, t);
}

// Past the depth limit a group has no state of its own: a destination there is skipped
// up to its own closing brace, and words that would change the formatting of the
// enclosing group are ignored, so nothing leaks out of the deep group. Words that give
// text are kept.
bool RtfParser::keepDeepWord(const KeywordInfo* info, bool starred) {
    if (starred) {
        m_overflowSkip = m_overflow;
        return false;
    }
    if (!info)
        return false;
    switch (info->kind) {
    case Keyword::FontTable:
    case Keyword::ColorTable:
    case Keyword::FontAltName:
    case Keyword::SkipDestination:
        m_overflowSkip = m_overflow;
        return false;
    case Keyword::Par:
    case Keyword::Section:
    case Keyword::Row:
    case Keyword::Page:
    case Keyword::Cell:
    case Keyword::Line:
    case Keyword::Tab:
    case Keyword::Special:
    case Keyword::Unicode:
        return true;
    default:
        return false;
    }
}

void RtfParser::onFontTableWord(int kind, const RtfToken& t) {
    const bool inEntry = m_fonts.contains(m_fontNumber);
    switch (Keyword(kind)) {
    case Keyword::FontNumber:
        commitFontName();
        m_fontNumber = t.param;
        m_fonts[m_fontNumber] = FontEntry{};
        ++m_tables;
        break;
    case Keyword::FontCharset:
        if (inEntry)
            m_fonts[m_fontNumber].charset = t.param;
        ++m_tables;
        break;
    case Keyword::FontCodePage:
        if (inEntry)
            m_fonts[m_fontNumber].codePage = t.param;
        ++m_tables;
        break;
    case Keyword::FontFamily:
        if (inEntry)
            m_fonts[m_fontNumber].family = t.word.mid(1).toString();
        break;
    case Keyword::Unicode:
        onUnicode(t.param);
        break;
    default:
        break;
    }
}

void RtfParser::onColorTableWord(int kind, const RtfToken& t) {
    const int v = qBound(0, t.param, 255);
    if (Keyword(kind) == Keyword::Red)
        m_red = v;
    else if (Keyword(kind) == Keyword::Green)
        m_green = v;
    else if (Keyword(kind) == Keyword::Blue)
        m_blue = v;
}

bool RtfParser::onDocumentWord(int kind, const RtfToken& t) {
    switch (Keyword(kind)) {
    case Keyword::AnsiCodePage:
        m_ansiCodePage = SupportedCodePage(t.param);
        ++m_tables;
        return true;
    case Keyword::CharacterSet:
        m_ansiCodePage = SupportedCodePage(FindKeyword(t.word)->ch);
        ++m_tables;
        return true;
    case Keyword::DefaultFont:
        m_defaultFont = t.param;
        ++m_tables;
        return true;
    case Keyword::FontTable:
        state().dest = Destination::FontTable;
        m_fontNumber = -1;
        m_nameBuffer.clear();
        return true;
    case Keyword::ColorTable:
        state().dest = Destination::ColorTable;
        m_colors.clear();
        m_red = m_green = m_blue = -1;
        return true;
    case Keyword::SkipDestination:
    case Keyword::FontAltName:
        state().dest = Destination::Skip;
        return true;
    case Keyword::UnicodeSkip:
        state().uc = qBound(0, t.hasParam ? t.param : 1, kMaxFallback);
        return true;
    case Keyword::Unicode:
        onUnicode(t.param);
        return true;
    default:
        return false;
    }
}

bool RtfParser::onFormatWord(int kind, const RtfToken& t) {
    CharState& c = state().chr;
    const bool on = !t.hasParam || t.param != 0;
    switch (Keyword(kind)) {
    case Keyword::Plain:
        c = CharState{};
        return true;
    case Keyword::Bold:
        c.bold = on;
        return true;
    case Keyword::Italic:
        c.italic = on;
        return true;
    case Keyword::Underline:
        c.underline = on;
        return true;
    case Keyword::UnderlineNone:
        c.underline = false;
        return true;
    case Keyword::Strike:
        c.strike = on;
        return true;
    case Keyword::Color:
        c.color = t.hasParam ? t.param : 0;
        return true;
    case Keyword::Highlight:
        c.highlight = t.hasParam ? t.param : 0;
        return true;
    case Keyword::FontNumber:
        c.font = t.hasParam ? t.param : -1;
        return true;
    case Keyword::FontSize:
        c.halfPoints = t.hasParam ? qBound(1, t.param, kMaxHalfPoints) : 24;
        return true;
    case Keyword::Superscript:
        c.vertical = on ? 1 : 0;
        return true;
    case Keyword::Subscript:
        c.vertical = on ? -1 : 0;
        return true;
    case Keyword::NoSuperSub:
        c.vertical = 0;
        return true;
    default:
        return false;
    }
}

bool RtfParser::onParagraphWord(int kind, const RtfToken& t) {
    ParState& p = state().par;
    const int v = t.hasParam ? t.param : 0;
    switch (Keyword(kind)) {
    case Keyword::Pard:
        p = ParState{};
        return true;
    case Keyword::LeftIndent:
        p.left = clampTwips(v);
        return true;
    case Keyword::RightIndent:
        p.right = clampTwips(v);
        return true;
    case Keyword::FirstIndent:
        p.first = clampTwips(v);
        return true;
    case Keyword::SpaceBefore:
        p.before = clampTwips(v, 0);
        return true;
    case Keyword::SpaceAfter:
        p.after = clampTwips(v, 0);
        return true;
    case Keyword::AlignLeft:
        p.align = Align::Left;
        return true;
    case Keyword::AlignCenter:
        p.align = Align::Center;
        return true;
    case Keyword::AlignRight:
        p.align = Align::Right;
        return true;
    case Keyword::AlignJustify:
        p.align = Align::Justify;
        return true;
    default:
        return false;
    }
}

void RtfParser::onTableWord(int kind, const RtfToken& t) {
    switch (Keyword(kind)) {
    case Keyword::Par:
    case Keyword::Section:
    case Keyword::Row:
        m_cellPending = false;
        syncFormat();
        m_builder.endParagraph(parFormat(state().par));
        break;
    case Keyword::Page:
        m_cellPending = false;
        syncFormat();
        m_builder.pageBreak(parFormat(state().par));
        break;
    case Keyword::Cell:
        // Cells become tab-separated text; the tab is written once the next cell has text.
        m_cellPending = true;
        break;
    case Keyword::Line:
        emitRaw(QChar(QChar::LineSeparator));
        break;
    case Keyword::Tab:
        emitRaw(QChar(u'\t'));
        break;
    case Keyword::Special: {
        const KeywordInfo* info = FindKeyword(t.word);
        emitRaw(QChar(info->ch));
        break;
    }
    default:
        break;
    }
}

void RtfParser::onControlSymbol(const RtfToken& t) {
    if (t.malformed)
        fail(QStringLiteral("Dokument RTF obsahuje neúplnou řídicí sekvenci."));
    const char16_t s = t.symbol.unicode();
    if (s == '*') {
        // Only "{\*" marks an optional destination; a star elsewhere means nothing.
        m_starPending = m_afterOpen;
        return;
    }
    m_starPending = false;
    const Destination dest = state().dest;
    if (t.malformed || dest == Destination::Skip || dest == Destination::ColorTable || m_overflowSkip > 0)
        return;
    if (s == '\\' || s == '{' || s == '}') {
        if (dest == Destination::Text)
            emitText(QStringView(&t.symbol, 1));
        else
            onText(QStringView(&t.symbol, 1));
        return;
    }
    if (dest != Destination::Text || skipFallback())
        return;
    switch (s) {
    case '~':
        emitRaw(QChar(0x00A0));
        break;
    case '-':
        emitRaw(QChar(0x00AD));
        break;
    case '_':
        emitRaw(QChar(0x2011));
        break;
    case '\r':
    case '\n':
        syncFormat();
        m_builder.endParagraph(parFormat(state().par));
        break;
    default:
        break;
    }
}

void RtfParser::syncFormat() {
    if (!m_formats)
        return;
    const CharState& s = state().chr;
    if (m_builderHasFormat && s == m_builderState)
        return;
    m_builder.setCharFormat(charFormat());
    m_builderState = s;
    m_builderHasFormat = true;
}

void RtfParser::commitFontName() {
    QString name = m_nameBuffer.trimmed();
    m_nameBuffer.clear();
    if (name.isEmpty() || !m_fonts.contains(m_fontNumber))
        return;
    FontEntry& e = m_fonts[m_fontNumber];
    if (e.name.isEmpty())
        e.name = name;
}

void RtfParser::commitAltName() {
    QString name = m_altBuffer.trimmed();
    m_altBuffer.clear();
    while (name.endsWith(u';'))
        name.chop(1);
    if (!name.isEmpty() && m_fonts.contains(m_fontNumber))
        m_fonts[m_fontNumber].altName = name.trimmed();
}

const QTextCharFormat& RtfParser::charFormat() {
    const CharState& s = state().chr;
    if (m_formatValid && s == m_formatState)
        return m_format;
    QTextCharFormat f;
    const auto it = m_fonts.constFind(s.font >= 0 ? s.font : m_defaultFont);
    if (it != m_fonts.constEnd()) {
        const FontEntry& e = *it;
        const QString face = e.name.isEmpty() ? e.altName : e.name;
        if (!face.isEmpty()) {
            QString family = SubstituteFont(face);
            if (family == face && !e.altName.isEmpty())
                family = SubstituteFont(e.altName);
            f.setFontFamilies(QStringList{family});
            f.setProperty(FaceNameProperty, face);
            if (!e.altName.isEmpty() && e.altName != face)
                f.setProperty(FaceAltNameProperty, e.altName);
            if (e.charset >= 0)
                f.setProperty(FaceCharsetProperty, e.charset);
            if (!e.family.isEmpty())
                f.setProperty(FaceFamilyProperty, e.family);
        }
    }
    f.setFontPointSize(s.halfPoints / 2.0);
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    f.setFontStrikeOut(s.strike);
    if (s.color >= 0 && s.color < m_colors.size() && m_colors[s.color].isValid())
        f.setForeground(m_colors[s.color]);
    if (s.highlight > 0 && s.highlight < m_colors.size() && m_colors[s.highlight].isValid())
        f.setBackground(m_colors[s.highlight]);
    if (s.vertical != 0)
        f.setVerticalAlignment(s.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                              : QTextCharFormat::AlignSubScript);
    m_format = f;
    m_formatState = s;
    m_formatValid = true;
    return m_format;
}

QTextBlockFormat RtfParser::parFormat(const ParState& p) const {
    static const QTextBlockFormat none;
    return m_formats ? blockFormat(p) : none;
}

QTextBlockFormat RtfParser::blockFormat(const ParState& p) const {
    QTextBlockFormat b;
    switch (p.align) {
    case Align::Left:
        b.setAlignment(Qt::AlignLeft);
        break;
    case Align::Center:
        b.setAlignment(Qt::AlignHCenter);
        break;
    case Align::Right:
        b.setAlignment(Qt::AlignRight);
        break;
    case Align::Justify:
        b.setAlignment(Qt::AlignJustify);
        break;
    }
    // RTF gives twips; the document's block margins are in points.
    b.setLeftMargin(BlockUnitsFromTwips(p.left));
    b.setRightMargin(BlockUnitsFromTwips(p.right));
    b.setTextIndent(BlockUnitsFromTwips(p.first));
    // A hanging indent is a tab stop, as word processors take it: the tab after a lead-in
    // such as "\bullet\tab" reaches the paragraph's left indent, where its other lines start.
    // Qt measures tab positions from where the first line starts.
    if (p.first < 0)
        b.setTabPositions({QTextOption::Tab(BlockUnitsFromTwips(-p.first), QTextOption::LeftTab)});
    b.setTopMargin(BlockUnitsFromTwips(p.before));
    b.setBottomMargin(BlockUnitsFromTwips(p.after));
    return b;
}

} // namespace lumo::rtf
