#include "library/CKelSrv.h"

#include "common/TempProgramDir.h"
#include "platform/DbFixture.h"
#include "platform/db/Connection.h"
#include "platform/err/VbError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

using lumo::CKelSrv;
using lumo::test::TempProgramDir;

namespace {

long errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const lumo::err::VbError& e) {
        return e.Number();
    }
    return 0;
}

// Stands for any control the focus members reach by property name.
class PropertyBox : public QObject {
    Q_OBJECT
    Q_PROPERTY(long BackColor MEMBER BackColor)
    Q_PROPERTY(long ForeColor MEMBER ForeColor)
    Q_PROPERTY(int SelStart MEMBER SelStart)
    Q_PROPERTY(int SelLength MEMBER SelLength)
    Q_PROPERTY(QString Text MEMBER Text)
public:
    long BackColor = 0;
    long ForeColor = 0;
    int SelStart = -1;
    int SelLength = -1;
    QString Text;
};

} // namespace

TEST(CKelSrvCore, ReadIniReturnsWholeValuesAndDefaults) {
    TempProgramDir dir;
    CKelSrv srv;
    const QString longValue(150, u'x');
    dir.write("Lumo.ini", "[Main]\r\nDatabaseLocation = \"/srv/lumo/Lumo.mdb\" \r\nCount=12abc\r\nLong=" +
                              longValue.toLatin1() + "\r\n");
    const QString ini = dir.path() + QStringLiteral("\\LUMO.INI");
    EXPECT_EQ(
        srv.ReadINI(ini, QStringLiteral("main"), QStringLiteral("DATABASELOCATION"), QStringLiteral("x")),
        QVariant(QStringLiteral("/srv/lumo/Lumo.mdb")));
    EXPECT_EQ(srv.ReadINI(ini, QStringLiteral("Main"), QStringLiteral("Long"), QString()).toString(),
              longValue);
    EXPECT_EQ(srv.ReadINI(ini, QStringLiteral("Main"), QStringLiteral("Missing"), QStringLiteral("x  ")),
              QVariant(QStringLiteral("x")));
    EXPECT_EQ(srv.ReadINI(QString(), QStringLiteral("Main"), QStringLiteral("Count"), QStringLiteral("d")),
              QVariant(QStringLiteral("d")));
    EXPECT_EQ(srv.ReadINI(ini, QStringLiteral("Main"), QStringLiteral("Missing"), true),
              QVariant(QStringLiteral("True")));

    EXPECT_EQ(srv.ReadINI(ini, QStringLiteral("Main"), QStringLiteral("Count"), 0, true).toLongLong(), 12);
    EXPECT_EQ(srv.ReadINI(ini, QStringLiteral("Main"), QStringLiteral("Missing"), QStringLiteral("7"), true)
                  .toLongLong(),
              7);
    EXPECT_EQ(srv.ReadINI(ini, QStringLiteral("Main"), QStringLiteral("Missing"), true, true).toLongLong(),
              -1);
    EXPECT_EQ(errorOf([&] {
                  srv.ReadINI(ini, QStringLiteral("Main"), QStringLiteral("X"), QStringLiteral("abc"), true);
              }),
              13);
}

TEST(CKelSrvCore, WriteIniReportsFailure) {
    TempProgramDir dir;
    CKelSrv srv;
    EXPECT_TRUE(srv.WriteINI(dir.file("Lumo.ini"), QStringLiteral("Profiles"), QStringLiteral("Name1"),
                             QStringLiteral("Žluťák")));
    EXPECT_EQ(dir.read("Lumo.ini"), QByteArray("[Profiles]\r\nName1=\x8e\x6c\x75\x9d\xe1\x6b\r\n"));
    EXPECT_FALSE(srv.WriteINI(dir.file("no/such/folder/Lumo.ini"), QStringLiteral("A"), QStringLiteral("B"),
                              QStringLiteral("C")));
    EXPECT_FALSE(srv.WriteINI(QString(), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")));
}

TEST(CKelSrvCore, BitsAndCheckBoxes) {
    CKelSrv srv;
    EXPECT_EQ(srv.IBSET(0, 31), -2147483648L);
    EXPECT_TRUE(srv.BTEST(-1, 31));
    EXPECT_FALSE(srv.BTEST(5, 1));
    EXPECT_EQ(srv.IBCHNG(5, 0), 4);
    EXPECT_EQ(srv.IBCHNG(4, 0), 5);
    EXPECT_EQ(srv.IBCLR(-1, 31), 2147483647L);
    EXPECT_EQ(srv.IBCLR(-2147483648L, 31), 0);
    for (long bad : {32L, -1L}) {
        EXPECT_EQ(errorOf([&] { srv.IBSET(0, bad); }), 6) << bad;
        EXPECT_EQ(errorOf([&] { srv.BTEST(0, bad); }), 6) << bad;
    }
    EXPECT_EQ(errorOf([&] { srv.IBSET(4294967296L, 0); }), 6);
    EXPECT_TRUE(srv.CB(1));
    EXPECT_FALSE(srv.CB(2));
    EXPECT_FALSE(srv.CB(-1));
    EXPECT_EQ(srv.CC(true), 1);
    EXPECT_EQ(srv.CC(false), 0);
}

TEST(CKelSrvCore, NumToString) {
    CKelSrv srv;
    const std::tuple<long, long, const char*> cases[] = {
        {255, 16, "FF"}, {-10, 2, "-1010"}, {0, 10, "0"}, {35, 36, "Z"}, {-2147483648L, 16, "-80000000"},
        {7, 8, "7"},
    };
    for (const auto& [n, base, text] : cases)
        EXPECT_EQ(srv.NumToString(n, base), QString::fromLatin1(text)) << n << " base " << base;
    EXPECT_EQ(errorOf([&] { srv.NumToString(5, 0); }), 11);
    EXPECT_EQ(errorOf([&] { srv.NumToString(5, 1); }), 5);
    EXPECT_EQ(errorOf([&] { srv.NumToString(5, -2); }), 5);
}

TEST(CKelSrvCore, MaxAndMin) {
    CKelSrv srv;
    EXPECT_EQ(srv.Max({3, 7, 7, 1}), QVariant(7));
    EXPECT_EQ(srv.Min({QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("B")}),
              QVariant(QStringLiteral("B")));
    EXPECT_EQ(srv.Max({2.5, 10, QStringLiteral("9")}), QVariant(10));
    EXPECT_EQ(srv.Max({QStringLiteral("10"), QStringLiteral("9")}), QVariant(QStringLiteral("9")))
        << "texts as text";
    EXPECT_EQ(srv.Min({5, QStringLiteral("abc")}), QVariant(5)) << "a number is below a text";
    // The first of equal values wins.
    EXPECT_EQ(srv.Max({1.0, 1}).typeId(), QMetaType::Double);
    EXPECT_EQ(errorOf([&] { srv.Max(QVariantList{}); }), 9);
    EXPECT_EQ(srv.Max(3, 9, 4), 9);
    EXPECT_EQ(srv.Min(3.5, 1.25), 1.25);
    // Mixed numbers are not cut to the first one's type.
    EXPECT_EQ(srv.Max(3, 7.5), 7.5);
    EXPECT_EQ(srv.Min(3, 2.5), 2.5);
}

TEST(CKelSrvCore, ChangeCodePage) {
    CKelSrv srv;
    EXPECT_EQ(srv.ChangeCodePage(QStringLiteral("Žluťoučký kůň ÚPĚL"), 1, 3),
              QStringLiteral("Zlutoucky kun UPEL"));
    // Plain letters and signs are the same in every code page.
    EXPECT_EQ(srv.ChangeCodePage(QStringLiteral("ABA = a-b+c"), 3, 1), QStringLiteral("ABA = a-b+c"));
    EXPECT_EQ(srv.ChangeCodePage(QStringLiteral("x=y-z+1"), 1, 0), QStringLiteral("x=y-z+1"));
    // Windows-1250 to 852 and Kamenický bytes and back.
    const QString word = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy ŤĎŇ");
    for (int cp : {0, 2}) {
        const QString dos = srv.ChangeCodePage(word, 1, cp);
        EXPECT_NE(dos, word);
        EXPECT_EQ(srv.ChangeCodePage(dos, cp, 1), word) << cp;
    }
    EXPECT_EQ(srv.ChangeCodePage(QStringLiteral("ř"), 1, 0), QStringLiteral("ý"))
        << "852 byte FD as Windows-1250";
    // DOS box lines (852 bytes CD C4 BA B3 C5 read as Windows-1250) become plain signs.
    EXPECT_EQ(srv.ChangeCodePage(QStringLiteral("ÍÄşłĹ"), 0, 3), QStringLiteral("=-||+"));
    EXPECT_EQ(srv.ChangeCodePage(QStringLiteral("Straße"), 1, 3), QStringLiteral("Strase"));
    EXPECT_EQ(srv.ChangeCodePage(QStringLiteral("čáp"), 1, 7), QStringLiteral("čáp"));
    EXPECT_EQ(srv.ChangeCodePage(QStringLiteral("čáp"), -1, 3), QStringLiteral("čáp"));
}

TEST(CKelSrvCore, RgbColors) {
    CKelSrv srv;
    long r = 0, g = 0, b = 0;
    srv.RGBColors(0x123456, r, g, b);
    EXPECT_EQ(r, 0x56);
    EXPECT_EQ(g, 0x34);
    EXPECT_EQ(b, 0x12);
}

TEST(CKelSrvCore, FocusColoursAndSelection) {
    CKelSrv srv;
    QLineEdit line(QStringLiteral("abc  "));
    srv.TBoxGotFocus(&line, 0xFFFFFF, 0);
    EXPECT_EQ(line.palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(line.palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(line.selectionStart(), 0);
    EXPECT_EQ(line.selectedText(), QStringLiteral("abc"));
    srv.TBoxLostFocus(&line, 0, 0xFF);
    EXPECT_EQ(line.palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(line.palette().color(QPalette::Text), QColor(Qt::red));

    QPlainTextEdit plain(QStringLiteral("hello \n"));
    srv.TBoxGotFocus(&plain, 0xFFFFFF, 0);
    EXPECT_EQ(plain.textCursor().selectedText(), QStringLiteral("hello \u2029"))
        << "only trailing blanks are cut";

    PropertyBox box;
    box.Text = QStringLiteral("Máta   ");
    srv.TBoxGotFocus(&box, 0xFF0000, 0x8000);
    EXPECT_EQ(box.BackColor, 0xFF0000);
    EXPECT_EQ(box.ForeColor, 0x8000);
    EXPECT_EQ(box.SelStart, 0);
    EXPECT_EQ(box.SelLength, 4);
    srv.TBoxGotFocus(nullptr, 0, 0); // nothing to do, no crash
}

TEST(CKelSrvCore, FormLinkedAndGradientSeam) {
    CKelSrv::FormLinked() = true;
    CKelSrv srv;
    EXPECT_FALSE(CKelSrv::FormLinked()) << "the constructor clears the shared flag";
    EXPECT_EQ(errorOf([&] { srv.ColForm(0, 0xFFFFFF, 1); }), 91);
    QWidget form;
    form.resize(96, 48);
    srv.UsedForm(&form);
    EXPECT_TRUE(CKelSrv::FormLinked());
    EXPECT_EQ(srv.UsedForm(), &form);
    std::vector<long> seen;
    CKelSrv::SetGradientPainter(
        [&](QWidget& w, long x1, long y1, long x2, long y2, long c1, long c2, int mode) {
            EXPECT_EQ(&w, &form);
            seen = {x1, y1, x2, y2, c1, c2, mode};
        });
    srv.ColArea(1, 2, 3, 4, 5, 6, 7);
    EXPECT_EQ(seen, (std::vector<long>{1, 2, 3, 4, 5, 6, 7}));
    srv.ColForm(0, 0xFFFFFF, 2);
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_GT(seen[2], 0);
    EXPECT_EQ(seen[2], 2 * seen[3]) << "inner width and height, in twips";
    EXPECT_EQ(errorOf([&] { srv.ColArea(0, 0, 1, 1, 0, 0, 40000); }), 6);
    CKelSrv::SetGradientPainter({});
}

TEST(CKelSrvCore, RunAplAndExitAplication) {
    TempProgramDir dir;
    CKelSrv srv;
    dir.write("job.sh", "#!/bin/sh\nsleep 0.3\necho ok > \"$1\"\n");
    QFile::setPermissions(dir.file("job.sh"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QElapsedTimer t;
    t.start();
    srv.RunApl(QStringLiteral("%1\\JOB.SH \"%2\"  ").arg(dir.path(), dir.file("a b.txt")), true);
    EXPECT_GE(t.elapsed(), 250);
    EXPECT_EQ(dir.read("a b.txt"), QByteArray("ok\n"));
    EXPECT_EQ(errorOf([&] { srv.RunApl(QStringLiteral("/nonexistent/prog /pfa ,123"), false); }), 53);
    srv.ExitAplication(0);
    srv.ExitAplication(static_cast<long>(QCoreApplication::applicationPid())); // not ours: left alone
}

TEST(CKelSrvCore, SaveLogMessageAppendsAnsiLines) {
    TempProgramDir dir;
    CKelSrv srv;
    srv.SaveLogMessage(dir.path() + QStringLiteral("\\Lumo.log"),
                       QStringLiteral("Výběr byliny Máta - 0,05sec"));
    srv.SaveLogMessage(dir.file("LUMO.LOG"), QStringLiteral("druhý"));
    EXPECT_EQ(dir.read("Lumo.log"), QByteArray("V\xfd\x62\xec\x72 byliny M\xe1ta - 0,05sec\r\ndruh\xfd\r\n"));
    srv.SaveLogMessage(dir.file("missing/Lumo.log"), QStringLiteral("x"));
    EXPECT_FALSE(QFile::exists(dir.file("missing/Lumo.log")));
    srv.SaveLogMessage(QString(), QStringLiteral("x"));
}

TEST(CKelSrvCore, GetNewId) {
    TempProgramDir dir;
    const QString path = dir.file("ids.db");
    lumo::test::WriteDatabase(
        path, QString(),
        {QStringLiteral("CREATE TABLE Empty (Idx INTEGER)"),
         QStringLiteral("CREATE TABLE Herbs (Idx INTEGER, Name TEXT)"),
         QStringLiteral("INSERT INTO Herbs VALUES (41, 'Máta'), (7, 'Šalvěj'), (NULL, 'x')"),
         QStringLiteral("CREATE TABLE Blank (Idx INTEGER)"),
         QStringLiteral("INSERT INTO Blank VALUES (NULL)")});
    lumo::db::Connection db;
    db.open(path, QString());
    CKelSrv srv;
    EXPECT_EQ(srv.GetNewID(QStringLiteral("Empty"), db, QStringLiteral("Idx")), 1);
    EXPECT_EQ(srv.GetNewID(QStringLiteral("Herbs"), db, QStringLiteral("Idx")), 42);
    lumo::err::CurrentError().Number = 99;
    EXPECT_EQ(srv.GetNewID(QStringLiteral("Missing"), db, QStringLiteral("Idx")), 0);
    EXPECT_EQ(lumo::err::CurrentError().Number, 0);
    EXPECT_EQ(srv.GetNewID(QStringLiteral("Blank"), db, QStringLiteral("Idx")), 0);
}

#include "CKelSrvTest.moc"
