#include "core/AislpArticle.h"

#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/rtf/FontMap.h"
#include "platform/rtf/RtfUnits.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/Units.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>
#include <vector>

namespace lumo {

namespace {

constexpr long kTitleColor = 0x8000; // green

// 1-based position of what in text from the 1-based start, case-insensitive; 0 when missing.
qsizetype inStr(qsizetype start, const QString& text, const QString& what) {
    const qsizetype at = text.indexOf(what, start - 1, Qt::CaseInsensitive);
    return at < 0 ? 0 : at + 1;
}

// The count characters from the 1-based position from; a negative count raises error 5.
QString mid(const QString& text, qsizetype from, qsizetype count) {
    if (count < 0)
        err::Raise(err::errInvalidCall);
    return text.mid(from - 1, count);
}

// 1-based position just after the marker, 0 when the article lacks it.
qsizetype afterMarker(const QString& article, const QString& marker) {
    const qsizetype at = inStr(1, article, marker);
    return at == 0 ? 0 : at + marker.size();
}

// The text between open and close from start; an opening tag that is missing counts as
// position 0 and a closing tag before the start raises.
QString strictElement(const QString& article, qsizetype start, const QString& open, const QString& close) {
    const qsizetype s = inStr(start, article, open) + open.size();
    const qsizetype e = inStr(start, article, close);
    return mid(article, s, e - s);
}

// The text between open and close from start; "" when either is missing or out of order.
QString lenientElement(const QString& article, qsizetype start, const QString& open, const QString& close) {
    const qsizetype at = inStr(start, article, open);
    if (at == 0)
        return QString();
    const qsizetype s = at + open.size();
    const qsizetype e = inStr(start, article, close);
    return e >= s ? mid(article, s, e - s) : QString();
}

QString marker(const char* kind, int i) {
    return QStringLiteral("<par %1=\"%2\">").arg(QLatin1String(kind)).arg(i, 2, 10, QLatin1Char('0'));
}

QString withBreaks(QString text) {
    static const QRegularExpression br(QStringLiteral("<BR/>"), QRegularExpression::CaseInsensitiveOption);
    return text.replace(br, QStringLiteral("\r\n"));
}

QTextCharFormat runFormat(const QString& fontName, int points, bool bold, const QColor& color) {
    QTextCharFormat f;
    rtf::SetFaceName(f, fontName);
    if (points > 0)
        f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setForeground(color);
    return f;
}

} // namespace

QString ZnackaParValue(int i) {
    return marker("value", i);
}

QString ZnackaParId(int i) {
    return marker("id", i);
}

QString ClanekNadpis(int i, const QString& article) {
    if (const qsizetype start = afterMarker(article, ZnackaParValue(i)))
        return strictElement(article, start, QStringLiteral("<title>"), QStringLiteral("</title>"));
    if (const qsizetype start = afterMarker(article, ZnackaParId(i)))
        return lenientElement(article, start, QStringLiteral("<name>"), QStringLiteral("</name>"));
    return QString();
}

QString ClanekText(int i, const QString& article) {
    if (const qsizetype start = afterMarker(article, ZnackaParValue(i)))
        return strictElement(article, start, QStringLiteral("<content>"), QStringLiteral("</content>"));
    if (const qsizetype start = afterMarker(article, ZnackaParId(i))) {
        if (inStr(start, article, QStringLiteral("<content>")))
            return lenientElement(article, start, QStringLiteral("<content>"), QStringLiteral("</content>"));
        return lenientElement(article, start, QStringLiteral("<item>"), QStringLiteral("</item>"));
    }
    return QString();
}

QString ClanekBezDiv(const QString& body) {
    const qsizetype d = inStr(1, body, QStringLiteral("<div"));
    const qsizetype g = inStr(1, body, QStringLiteral(">"));
    if (d == 0 || g <= d)
        return body;
    if (g == body.size())
        return QString();
    QString rest = body.mid(g);
    for (const QString& tag : {QStringLiteral("<p>"), QStringLiteral("</p>"), QStringLiteral("</div>")})
        rest.remove(tag, Qt::CaseInsensitive);
    return rest;
}

void AppendArticle(QTextDocument& doc, const QString& article, const ArticleStyle& style) {
    // Cut first, so that a malformed section leaves the document as it was.
    std::vector<std::pair<QString, QString>> sections;
    for (int i = 1; i <= 99; ++i) {
        const QString title = withBreaks(ClanekNadpis(i, article));
        const QString body = ClanekBezDiv(withBreaks(ClanekText(i, article)));
        if (!text::rightTrimBlanks(title).isEmpty())
            sections.emplace_back(title, body);
    }
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    QTextBlockFormat block = c.blockFormat();
    block.setLeftMargin(rtf::BlockUnitsFromTwips(style.LeftIndent) - block.textIndent());
    c.setBlockFormat(block);
    const QTextCharFormat titleFormat =
        runFormat(style.FontName, style.SubTitleSize, true, ui::OleToColor(kTitleColor));
    const QTextCharFormat bodyFormat = runFormat(style.FontName, style.TextSize, false, style.TextColor);
    for (const auto& [title, body] : sections) {
        c.insertText(text::toLf(title + QStringLiteral("\r\n")), titleFormat);
        c.insertText(text::toLf(body + QStringLiteral("\r\n\r\n")), bodyFormat);
    }
}

} // namespace lumo
