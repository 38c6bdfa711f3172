#include "installer/CopyEngine.h"

#include "common/TempProgramDir.h"
#include "platform/err/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lumo::setup;
using lumo::test::TempProgramDir;

namespace {

QByteArray pattern(qint64 n) {
    QByteArray b(n, '\0');
    for (qint64 i = 0; i < n; ++i)
        b[i] = static_cast<char>((i * 131 + i / 4096) & 0xFF);
    return b;
}

long raisedNumber(const QString& source, const QString& target) {
    try {
        CopyFileWithProgress(source, target);
    } catch (const lumo::err::VbError& e) {
        return e.Number();
    }
    return 0;
}

} // namespace

TEST(CopyEngine, TargetHoldsExactlyTheSourceBytesWithItsPermissions) {
    TempProgramDir dir;
    for (const qint64 size : {qint64(0), qint64(5000), qint64(8192), qint64(3 * 1024 * 1024 + 17)}) {
        SCOPED_TRACE(size);
        const QByteArray bytes = pattern(size);
        dir.write("src", bytes);
        dir.write("dst", QByteArray(2 * 1024 * 1024, 'x')); // a longer old target
        CopyFileWithProgress(dir.file("src"), dir.file("dst"));
        EXPECT_EQ(dir.read("dst"), bytes);
    }
    QFile::setPermissions(dir.file("src"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadOther | QFile::ExeOther);
    CopyFileWithProgress(dir.file("src"), dir.file("prog"));
    EXPECT_TRUE(QFileInfo(dir.file("prog")).isExecutable());
    EXPECT_TRUE(QFile::permissions(dir.file("prog")) & QFile::ExeOther);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(".zefpart"), QStringList());
}

TEST(CopyEngine, NeverCopiesAFileOntoItselfAndKeepsTheOldTargetOnFailure) {
    TempProgramDir dir;
    const QByteArray bytes = pattern(10000);
    dir.write("Lumo.mdb", bytes);
    // The same file under another spelling of its name.
    CopyFileWithProgress(dir.file("Lumo.mdb"), dir.path() + QStringLiteral("/LUMO.MDB"));
    EXPECT_EQ(dir.read("Lumo.mdb"), bytes);

    EXPECT_EQ(raisedNumber(dir.file("missing"), dir.file("Lumo.mdb")), 53);
    QDir().mkdir(dir.file("folder"));
    EXPECT_EQ(raisedNumber(dir.file("folder"), dir.file("Lumo.mdb")), 75);
    EXPECT_EQ(raisedNumber(dir.file("Lumo.mdb"), dir.file("no/such/folder/x")), 53);
    EXPECT_EQ(dir.read("Lumo.mdb"), bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Lumo.mdb"});
}

TEST(CopyEngine, ProgressCountsBlocksAndUpdatesAtMostTwiceASecond) {
    TempProgramDir dir;
    const qint64 n = 100 * kCopyBlock + 904;
    dir.write("src", pattern(n));
    double now = 10.0;
    std::vector<CopyFigures> seen;
    int finishedAt = -1;
    CopyHooks hooks;
    hooks.barWidth = 5000;
    hooks.clock = [&now] { return now += 1.0 / 64; }; // each block takes 1/64 s
    hooks.update = [&seen](const CopyFigures& f) { seen.push_back(f); };
    hooks.finished = [&finishedAt](int pos) { finishedAt = pos; };
    CopyFileWithProgress(dir.file("src"), dir.file("dst"), hooks);

    // An update once more than 0.5 s have passed: after blocks 33, 66 and 99; the rest
    // of 904 bytes shows none.
    ASSERT_EQ(seen.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        const int block = 33 * (k + 1);
        EXPECT_EQ(seen[k].barPos, qRound(double(block) * 4096 * 5000 / n));
        EXPECT_DOUBLE_EQ(seen[k].elapsed, block / 64.0);
        EXPECT_DOUBLE_EQ(seen[k].speedKBps, 256.0);
    }
    EXPECT_EQ(finishedAt, 5000 - 30);
    EXPECT_EQ(QFileInfo(dir.file("dst")).size(), n);
}

TEST(CopyEngine, FiguresAreShownAsTheWindowShowsThem) {
    const QChar comma(u',');
    const auto shown = [](const SizeText& t) { return t.value + u' ' + t.unit; };
    EXPECT_EQ(shown(FormatSize(0, comma)), QStringLiteral("0 Byte"));
    EXPECT_EQ(shown(FormatSize(1024000, comma)), QStringLiteral("1024 000 Byte"));
    EXPECT_EQ(shown(FormatSize(1024001, comma)), QStringLiteral("1 000,00 kB"));
    EXPECT_EQ(shown(FormatSize(200000000, comma)), QStringLiteral("195,31 MB"));
    EXPECT_EQ(shown(FormatSpeed(8.5, comma)), QStringLiteral("8 500,00 B/s"));
    EXPECT_EQ(shown(FormatSpeed(250, comma)), QStringLiteral("250,00 kB/s"));
    EXPECT_EQ(shown(FormatSpeed(25000, comma)), QStringLiteral("25,00 MB/s"));
    EXPECT_EQ(FormatElapsed(65.4), QStringLiteral("00:01:05"));
    EXPECT_EQ(FormatElapsed(3725.6), QStringLiteral("01:02:06"));
    EXPECT_EQ(FormatElapsed(59.5), QStringLiteral("00:01:00"));
}
