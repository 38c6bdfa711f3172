#include "data/builder/RtfWriter.h"

#include <gtest/gtest.h>

using lumo::data::isWellFormedRtf;
using lumo::data::RtfWriter;

namespace {

struct EscapeCase {
    const char* text;
    const char* rtf;
};

// Names the test case by its expected notation, which is plain ASCII.
void PrintTo(const EscapeCase& c, std::ostream* os) {
    *os << c.rtf;
}

class RtfEscape : public testing::TestWithParam<EscapeCase> {};

TEST_P(RtfEscape, WritesRichEditNotation) {
    EXPECT_EQ(RtfWriter::escape(QString::fromUtf8(GetParam().text)), QString::fromUtf8(GetParam().rtf));
}

INSTANTIATE_TEST_SUITE_P(
    Letters, RtfEscape,
    testing::Values(EscapeCase{"abc 12", "abc 12"}, EscapeCase{"Heřmánek", "He\\'f8m\\'e1nek"},
                    EscapeCase{"Účinné látky", "\\'da\\'e8inn\\'e9 l\\'e1tky"},
                    EscapeCase{"ČŘŠŽ čřšž ůě", "\\'c8\\'d8\\'8a\\'8e \\'e8\\'f8\\'9a\\'9e \\'f9\\'ec"},
                    EscapeCase{"a{b}c\\d", "a\\{b\\}c\\\\d"},
                    EscapeCase{"40 °C – 50 %", "40 \\'b0C \\'96 50 %"}, EscapeCase{"„ano“", "\\'84ano\\'93"},
                    EscapeCase{"Мята", "\\u1052?\\u1103?\\u1090?\\u1072?"},
                    EscapeCase{"a\tb\x01", "a\\tab b"}));

TEST(RtfWriter, SectionHasGreenHeadingThenBody) {
    RtfWriter w;
    w.heading(QStringLiteral("Výskyt:"));
    ASSERT_TRUE(w.paragraph(QStringLiteral("Roste **hojně** na loukách.")));
    const QString rtf = w.finish();
    EXPECT_TRUE(rtf.startsWith(QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\deff0")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial CE;}}")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\red0\\green128\\blue0;")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\cf1\\b V\\'fdskyt:\\cf0\\b0\\par\r\n")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("Roste \\b hojn\\'ec\\b0  na loukách.")
                                 .replace(QStringLiteral("á"), QStringLiteral("\\'e1"))));
    EXPECT_TRUE(rtf.endsWith(QStringLiteral("\\par\r\n}\r\n")));
    EXPECT_TRUE(isWellFormedRtf(rtf));
}

TEST(RtfWriter, LinksAreBlueUnderlinedAndCollected) {
    RtfWriter w;
    ASSERT_TRUE(w.paragraph(QStringLiteral("viz __Máta peprná__ a //Mentha//")));
    EXPECT_EQ(w.links(), QStringList{QStringLiteral("Máta peprná")});
    const QString rtf = w.finish();
    EXPECT_TRUE(rtf.contains(
        QStringLiteral("viz \\cf2\\ul M\\'e1ta peprn\\'e1\\cf0\\ulnone  a \\i Mentha\\i0\\par")));
}

TEST(RtfWriter, UnbalancedMarkupIsRefused) {
    const char* bad[] = {"**tučně", "__odkaz", "//kurzíva", "a ** b ** c **"};
    for (const char* text : bad) {
        RtfWriter w;
        EXPECT_FALSE(w.paragraph(QString::fromUtf8(text))) << text;
        EXPECT_FALSE(w.error().isEmpty());
    }
}

TEST(RtfWriter, WellFormedCheck) {
    EXPECT_TRUE(isWellFormedRtf(QStringLiteral("{\\rtf1 a\\{b}")));
    EXPECT_TRUE(isWellFormedRtf(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 x;}} \\\\}\r\n")));
    EXPECT_FALSE(isWellFormedRtf(QStringLiteral("{\\rtf1 {a}")));
    EXPECT_FALSE(isWellFormedRtf(QStringLiteral("{\\rtf1 a}}")));
    EXPECT_FALSE(isWellFormedRtf(QStringLiteral("{\\rtf1 a} b")));
    EXPECT_FALSE(isWellFormedRtf(QStringLiteral("{\\rtf a}")));
    EXPECT_FALSE(isWellFormedRtf(QString()));
}

} // namespace
