#include "core/AislpArticle.h"
#include "platform/err/VbError.h"
#include "platform/rtf/FontMap.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace lumo;

namespace {

const ArticleStyle kStyle{QStringLiteral("Arial CE"), 12, 10, QColor(0, 0, 128), 300};

bool raises(const std::function<void()>& f) {
    try {
        f();
    } catch (const err::VbError& e) {
        return e.Number() == 5;
    }
    return false;
}

} // namespace

TEST(AislpArticle, SectionsRenderInNumberOrderWithTheirMarkupCutAway) {
    const QString article = QStringLiteral(
        "<par value=\"02\"><title>Složení</title><content><div class=\"x\"><p>Léčivá látka<BR/>Pomocné "
        "látky</p></div></content></par><par value=\"04\"><title>  </title><content>skrytý "
        "text</content></par>"
        "<par value=\"01\"><TITLE>Název</TITLE><content>ABC "
        "<b>tablety</b></content></par><par id=\"03\"><name>Výdej</name><item>bez předpisu</item></par>"
        "<par id=\"100\"><name>Sto</name><item>nikdy</item></par><par value=\"7\"><title>Sedm</title></par>");
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Přípravek\n"));
    AppendArticle(doc, article, kStyle);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Přípravek\nNázev\nABC <b>tablety</b>\n\nSložení\nLéčivá "
                                                "látka\nPomocné látky\n\nVýdej\nbez předpisu\n\n"))
        << doc.toPlainText().toStdString();

    // Titles bold green in the subtitle size, bodies in the text style, all indented.
    const QTextBlock title =
        doc.findBlock(static_cast<int>(doc.toPlainText().indexOf(QStringLiteral("Název"))));
    const QTextCharFormat tf = title.begin().fragment().charFormat();
    EXPECT_EQ(tf.fontWeight(), QFont::Bold);
    EXPECT_EQ(tf.foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(tf.fontPointSize(), 12);
    EXPECT_EQ(rtf::FaceName(tf), QStringLiteral("Arial CE"));
    const QTextCharFormat bf = title.next().begin().fragment().charFormat();
    EXPECT_EQ(bf.fontWeight(), QFont::Normal);
    EXPECT_EQ(bf.foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(bf.fontPointSize(), 10);
    EXPECT_DOUBLE_EQ(title.blockFormat().leftMargin(), 20.0);
}

TEST(AislpArticle, MarkersAndDivStripping) {
    EXPECT_EQ(ZnackaParValue(7), QStringLiteral("<par value=\"07\">"));
    EXPECT_EQ(ZnackaParId(12), QStringLiteral("<par id=\"12\">"));
    EXPECT_EQ(ClanekBezDiv(QStringLiteral("<div class=x><p>Text</p></div>")), QStringLiteral("Text"));
    EXPECT_EQ(ClanekBezDiv(QStringLiteral("<p>a</p><div>b</div>")), QStringLiteral("<p>a</p><div>b</div>"));
    EXPECT_EQ(ClanekBezDiv(QStringLiteral("<DIV x>")), QString());
    // Searches start after the section's own marker, not at the article's start.
    const QString two = QStringLiteral("<par value=\"01\"><title>A</title><content>a</content>"
                                       "<par value=\"02\"><title>B</title><content>b</content>");
    EXPECT_EQ(ClanekNadpis(2, two), QStringLiteral("B"));
    EXPECT_EQ(ClanekText(2, two), QStringLiteral("b"));
}

TEST(AislpArticle, MalformedValueSectionFailsWholeButIdSectionOnlyEmpties) {
    // An id-marked section without its elements gives empty parts.
    EXPECT_EQ(ClanekNadpis(3, QStringLiteral("<par id=\"03\">nic")), QString());
    EXPECT_EQ(ClanekText(3, QStringLiteral("<par id=\"03\"><name>N</name></content>x<content>")), QString());
    // A value-marked one without its title or content end raises, and nothing is appended.
    EXPECT_TRUE(raises([] { ClanekNadpis(1, QStringLiteral("<par value=\"01\"><content>x</content>")); }));
    EXPECT_TRUE(raises([] { ClanekText(1, QStringLiteral("<par value=\"01\"><title>T</title>")); }));
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("před"));
    EXPECT_TRUE(raises([&] {
        AppendArticle(doc,
                      QStringLiteral("<par value=\"01\"><title>T</title><content>ok</content>"
                                     "<par value=\"02\"><title>U</title>"),
                      kStyle);
    }));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("před"));
}
