#pragma once

#include <QColor>
#include <QString>

class QTextDocument;

// AISLP articles: plain text with markup, cut into numbered sections
// (<par value="NN"> with <title>/<content>, or <par id="NN"> with <name>/<content> or
// <item>) and rendered as rich text, section by section in number order.
namespace lumo {

// The two section markers of section i (1..99): <par value="07">, <par id="07">.
QString ZnackaParValue(int i);
QString ZnackaParId(int i);

// Title and body of section i; "" when the section is not there. A value-marked section
// whose closing tag comes before its start (or is missing) raises error 5; an id-marked
// section without its elements gives "".
QString ClanekNadpis(int i, const QString& article);
QString ClanekText(int i, const QString& article);

// The body without its outer div and the paragraph tags inside it.
QString ClanekBezDiv(const QString& body);

// How the sections are written.
struct ArticleStyle {
    QString FontName;
    int SubTitleSize = 0; // titles, points
    int TextSize = 0;     // bodies, points
    QColor TextColor;
    int LeftIndent = 0; // twips
};

// Appends the titled sections 1..99 of article at the end of doc: a bold green title line,
// then the body and an empty line. Errors of the cutting propagate (nothing is appended then).
void AppendArticle(QTextDocument& doc, const QString& article, const ArticleStyle& style);

} // namespace lumo
