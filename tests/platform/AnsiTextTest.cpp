#include "platform/text/AnsiText.h"

#include "common/TempProgramDir.h"

#include <gtest/gtest.h>

using namespace lumo::text;

TEST(AnsiText, AllBytesRoundTrip) {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    EXPECT_EQ(encodeAnsi(decodeAnsi(all)), all);
}

TEST(AnsiText, CzechLettersAndUnrepresentable) {
    const QString czech = QStringLiteral("Heřmánek pravý, Čechy, šťovík, ŽLUŤOUČKÝ kůň");
    EXPECT_EQ(decodeAnsi(encodeAnsi(czech)), czech);
    EXPECT_EQ(encodeAnsi(QStringLiteral("\u00e1")), QByteArray("\xe1"));
    EXPECT_EQ(encodeAnsi(QStringLiteral("Ромашка")), QByteArray("???????"));
    EXPECT_EQ(encodeAnsi(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    EXPECT_FALSE(isAnsiRepresentable(QStringLiteral("Ромашка")));
    EXPECT_TRUE(isAnsiRepresentable(czech));
}

TEST(AnsiText, LineEnds) {
    EXPECT_EQ(toCrLf(QStringLiteral("a\nb\r\nc\rd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(toLf(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\nb\nc"));
}

TEST(AnsiText, FilesAreAnsiWithCrLf) {
    lumo::test::TempProgramDir dir;
    ASSERT_TRUE(writeAnsiFile(dir.file("a.txt"), QStringLiteral("Čáp\nřeka\n")));
    EXPECT_EQ(dir.read("a.txt"), QByteArray("\xc8\xe1p\r\n\xf8"
                                            "eka\r\n"));
    ASSERT_TRUE(appendAnsiFile(dir.file("a.txt"), QStringLiteral("x\n")));
    QString text;
    ASSERT_TRUE(readAnsiFile(dir.file("a.txt"), text));
    EXPECT_EQ(text, QStringLiteral("Čáp\r\nřeka\r\nx\r\n"));
    QString err;
    EXPECT_FALSE(readAnsiFile(dir.file("missing.txt"), text, &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_FALSE(writeAnsiFile(dir.file("no/such/dir/a.txt"), QStringLiteral("x"), &err));
}
