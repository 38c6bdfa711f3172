#include "core/SettingsText.h"
#include "core/IndexedArray.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace lumo::settings;

namespace {

// Runs a test body under a given default locale and puts the previous one back.
class LocaleScope {
public:
    explicit LocaleScope(QLocale::Language language) : m_previous(QLocale()) {
        QLocale::setDefault(QLocale(language));
    }
    ~LocaleScope() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

} // namespace

TEST(SettingsText, Booleans) {
    const struct {
        const char* text;
        std::optional<bool> expected;
    } cases[] = {
        {"True", true}, {"TRUE", true}, {"true", true}, {" false ", false}, {"False", false},
        {"1", true},    {"-1", true},   {"0", false},   {"0,0", false},     {"2.5", true},
        {"abc", {}},    {"", {}},       {"Truex", {}},  {"yes", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseBool(QString::fromUtf8(c.text)), c.expected);
    }
    EXPECT_EQ(boolText(true), QStringLiteral("True"));
    EXPECT_EQ(boolText(false), QStringLiteral("False"));
}

TEST(SettingsText, WholeNumbersRoundHalfToEvenAndKeepTheirRange) {
    const struct {
        const char* text;
        std::optional<qint16> integer;
        std::optional<qint32> longValue;
    } cases[] = {
        {"0", 0, 0},          {" 240 ", 240, 240},    {"-15", -15, -15},
        {"12.5", 12, 12},     {"13,5", 14, 14},       {"32767", 32767, 32767},
        {"32768", {}, 32768}, {"-32769", {}, -32769}, {"2147483648", {}, {}},
        {"12x", {}, {}},      {"", {}, {}},           {"inf", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseInteger(QString::fromUtf8(c.text)), c.integer);
        EXPECT_EQ(parseLong(QString::fromUtf8(c.text)), c.longValue);
    }
}

TEST(SettingsText, MarginsAreWrittenInTheLocaleAndReadWithEitherSeparator) {
    for (QLocale::Language language : {QLocale::C, QLocale::Czech, QLocale::English, QLocale::German}) {
        LocaleScope scope(language);
        SCOPED_TRACE(QLocale().name().toStdString());
        EXPECT_EQ(parseSingle(QStringLiteral("12.5")), 12.5f);
        EXPECT_EQ(parseSingle(QStringLiteral("12,5")), 12.5f);
        EXPECT_EQ(parseSingle(QStringLiteral("10")), 10.0f);
        EXPECT_EQ(parseSingle(QStringLiteral("1.2.3")), std::nullopt);
        EXPECT_EQ(parseSingle(QStringLiteral("1e40")), std::nullopt); // beyond Single
        EXPECT_EQ(parseSingle(singleText(25.4f)), 25.4f);
        EXPECT_EQ(parseSingle(singleText(1234.5f)), 1234.5f); // no group separator in the way
    }
    {
        LocaleScope czech(QLocale::Czech);
        EXPECT_EQ(singleText(12.5f), QStringLiteral("12,5"));
        EXPECT_EQ(singleText(10.0f), QStringLiteral("10"));
        EXPECT_EQ(singleText(1234.5f), QStringLiteral("1234,5"));
        EXPECT_EQ(singleText(0.1f), QStringLiteral("0,1"));
    }
    LocaleScope english(QLocale::English);
    EXPECT_EQ(singleText(12.5f), QStringLiteral("12.5"));
    EXPECT_EQ(singleText(1234.5f), QStringLiteral("1234.5"));
}

TEST(IndexedArray, OutOfRangeIndexesRaiseSubscriptOrFallBack) {
    lumo::IndexedArray<QString, 1, 9> names;
    names[1] = QStringLiteral("first");
    names[9] = QStringLiteral("last");
    EXPECT_EQ(names.value(9), QStringLiteral("last"));
    for (long bad : {0L, 10L, -1L, 32767L}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(names.value(bad, QStringLiteral("none")), QStringLiteral("none"));
        try {
            (void)names[bad];
            ADD_FAILURE() << "no error raised";
        } catch (const lumo::err::VbError& e) {
            EXPECT_EQ(e.Number(), 9);
        }
    }
}
