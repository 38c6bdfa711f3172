#include "ErrFixture.h"
#include "common/FileSizeLimit.h"

#include "library/CKelErr.h"
#include "platform/err/VbError.h"

#include <QDir>
#include <QTimer>

using lumo::CKelErr;
using lumo::ErrState;
using lumo::test::ErrFixture;

namespace {

const QString kDbFailure = QStringLiteral("Nelze připojit databázi\r\nSystem: 53 - File not found");
const QString kDbTitle = QStringLiteral("Nelze připojit databázi");
const QString kDbSource = QStringLiteral("LUMO-LumoMain-OpenDatabase-");

// Windows-1250 bytes written out by hand, independent of the codec under test.
QByteArray headerBytes() {
    return "Varnosk VB Library Error Log" + QByteArray(33, ' ') + "07.03.2024-09:05:03\r\n" +
           QByteArray(80, '=') + "\r\n\r\n";
}

QByteArray entryBytes(const QByteArray& number, const QByteArray& title, const QByteArray& source,
                      const QByteArray& description) {
    return "Datum: 07.03.2024 - \xE8"
           "as: 09:05:03       {CKelErr.ErrView}\r\nChyba: " +
           number + QByteArray(30 - number.size(), ' ') + "[" + title + "]\r\nZdroj: " + source +
           "\r\nPopis: " + description + "\r\n*\r\n\r\n";
}

QByteArray dbEntryBytes() {
    const QByteArray text = "Nelze p\xF8"
                            "ipojit datab\xE1"
                            "zi";
    return entryBytes("1", text, "LUMO-LumoMain-OpenDatabase-", text + "\r\nSystem: 53 - File not found");
}

class CKelErrTest : public ErrFixture {};

} // namespace

TEST_F(CKelErrTest, ReportsLogExactBytesAndShowPlainMessage) {
    CKelErr err;
    EXPECT_EQ(err.ErrorLog(), dir.path() + QStringLiteral("/Errors.txt"));
    err.ErrView(1, kDbFailure, kDbTitle, kDbSource);
    EXPECT_EQ(dir.read(QStringLiteral("Errors.txt")), headerBytes() + dbEntryBytes());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, kDbTitle);
    EXPECT_EQ(seen[0].format, Qt::PlainText);
    EXPECT_EQ(seen[0].text,
              QStringLiteral("Chyba číslo 1 v modulu LUMO-LumoMain-OpenDatabase-\n"
                             "Popis chyby: Nelze připojit databázi\nSystem: 53 - File not found"));
    EXPECT_EQ(seen[0].buttons, (QStringList{QStringLiteral("cmdErr0"), QStringLiteral("cmdErr1")}));

    // Later reports append only their entry; a zero mask logs nothing but still shows.
    err.ErrView(-5, QStringLiteral("Druhá"), QStringLiteral("T"), QStringLiteral("LUMO-M-P-"));
    err.ErrView(2, QStringLiteral("x"), QStringLiteral("T"), QStringLiteral("S-"), 0);
    EXPECT_EQ(dir.read(QStringLiteral("Errors.txt")),
              headerBytes() + dbEntryBytes() + entryBytes("-5", "T", "LUMO-M-P-", "Druh\xE1"));
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(CKelErrTest, ExistingLogInAnotherCaseIsAppendedTo) {
    dir.write(QStringLiteral("ERRORS.TXT"), "old\r\n");
    CKelErr err;
    err.ErrView(1, kDbFailure, kDbTitle, kDbSource);
    EXPECT_EQ(dir.read(QStringLiteral("ERRORS.TXT")), "old\r\n" + dbEntryBytes());
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Errors.txt"))));
}

TEST_F(CKelErrTest, UnwritableLogStillShowsTheReportOnceWithTheReason) {
    // A missing folder and a folder in the log's place: both fail even for root.
    QDir(dir.path()).mkdir(QStringLiteral("Errors.txt"));
    const QString missing = dir.file(QStringLiteral("missing/Errors.txt"));
    for (const QString& log : {missing, dir.file(QStringLiteral("Errors.txt"))}) {
        seen.clear();
        CKelErr err;
        err.ErrorLog(log);
        err.ErrView(3, QStringLiteral("Popis"), QStringLiteral("Titulek"), QStringLiteral("LUMO-M-P-"));
        ASSERT_EQ(seen.size(), 1u) << log.toStdString();
        EXPECT_EQ(seen[0].title, QStringLiteral("Titulek  ~ Varování! - nelze zapsat do knihy chyb ") + log);
        EXPECT_TRUE(seen[0].text.startsWith(
            QStringLiteral("Chyba číslo 3 v modulu LUMO-M-P-\nPopis chyby: Popis\nErrorLog: ")));
        EXPECT_FALSE(seen[0].text.endsWith(QStringLiteral("ErrorLog: "))) << "the reason is missing";
    }
    CKelErr err;
    err.ErrorLog(missing);
    QString reason;
    EXPECT_FALSE(
        err.WriteErrorLog(1, QStringLiteral("d"), QStringLiteral("t"), QStringLiteral("s"), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("missing"))));

    // A full disk leaves the new log empty; the first entry written later comes with the header.
    err.ErrorLog(dir.file(QStringLiteral("full/Errors.txt")));
    QDir(dir.path()).mkdir(QStringLiteral("full"));
    {
        const lumo::test::FileSizeLimit full(0);
        err.ErrView(1, kDbFailure, kDbTitle, kDbSource);
    }
    err.ErrView(1, kDbFailure, kDbTitle, kDbSource);
    EXPECT_EQ(dir.read(QStringLiteral("full/Errors.txt")), headerBytes() + dbEntryBytes());
}

TEST_F(CKelErrTest, ReportDuringAnOpenDialogGetsItsOwnDialogAndBothLog) {
    CKelErr err;
    bool innerRetry = false;
    onDialog = [&](QDialog& d) -> std::optional<int> {
        if (d.windowTitle() == QStringLiteral("Vnitřní")) {
            EXPECT_TRUE(lumo::ui::DialogPresenter::clickButton(d, QStringLiteral("&Opakovat")));
            return std::nullopt;
        }
        // A timer of another window fires while the outer dialog is open.
        QTimer::singleShot(0, &d, [&, dialog = &d] {
            err.ErrView(2, QStringLiteral("B"), QStringLiteral("Vnitřní"), QStringLiteral("S-"), 8 + 32);
            innerRetry = err.ResumeErr();
            lumo::ui::DialogPresenter::clickButton(*dialog, QStringLiteral("cmdErr0"));
        });
        return std::nullopt;
    };
    err.ErrView(1, QStringLiteral("A"), QStringLiteral("Vnější"), QStringLiteral("S-"));

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(innerRetry);
    // The outer report's answer is what its caller reads afterwards.
    EXPECT_FALSE(err.ResumeErr());
    EXPECT_EQ(ErrState().Report.Title, QStringLiteral("Vnější"));
    const QString log = QString::fromLatin1(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_EQ(log.count(QStringLiteral("{CKelErr.ErrView}")), 2);
    EXPECT_LT(log.indexOf(QStringLiteral("Popis: A")), log.indexOf(QStringLiteral("Popis: B")));
    EXPECT_EQ(ErrState().ErrDialogHwnd, nullptr);
}

TEST_F(CKelErrTest, ButtonsSetTheirResultFlagsAndForbiddenExitDemandsShutdown) {
    struct Case {
        long mask;
        QString button;
        bool retry, ignore, action, abort;
    };
    const Case cases[] = {
        {8, QStringLiteral("Esc - Pokračovat"), false, false, false, false},
        {8 + 32, QStringLiteral("Opakovat"), true, false, false, false},
        {8 + 64, QStringLiteral("Ignorovat"), false, true, false, false},
        {8 + 256, QStringLiteral("Zkusit jinak"), false, false, true, false},
        {8 + 128, QStringLiteral("Ctrl-C - Ukončit program"), false, false, false, true},
        {8 + 128, QStringLiteral("cmdErr0"), false, false, false, false},
    };
    CKelErr err;
    std::vector<long> codes;
    err.onDemandShutdown([&](long& code) {
        codes.push_back(code);
        code = 9; // the handler may change the exit code
    });
    for (const Case& c : cases) {
        answer = c.button;
        codes.clear();
        err.ErrView(1, QStringLiteral("d"), QStringLiteral("t"), QStringLiteral("s"), c.mask, QString(), 0,
                    255, 0xFFFFFF, 500, 1, QString(), QStringLiteral("Zkusit jinak"));
        EXPECT_EQ(err.ResumeErr(), c.retry) << c.mask;
        EXPECT_EQ(err.ResumeNext(), c.ignore) << c.mask;
        EXPECT_EQ(err.UserAction(), c.action) << c.mask;
        EXPECT_EQ(err.ErrAbort(), c.abort) << c.mask;
        EXPECT_EQ(codes, c.abort ? std::vector<long>{1} : std::vector<long>{}) << c.mask;
        EXPECT_EQ(ErrState().Report.ExitCode, c.abort ? 9 : 1) << c.mask;
    }
}

using CKelErrDeathTest = CKelErrTest;

TEST_F(CKelErrDeathTest, ExitButtonEndsTheProcessWithTheCodeAfterLogging) {
    for (int code : {1, 3}) {
        CKelErr err;
        answer = QStringLiteral("Ctrl-C - &Ukončit program");
        EXPECT_EXIT(err.ErrView(1, kDbFailure, kDbTitle, kDbSource, 8, QStringLiteral("KelErr.Hlp"), 0, 255,
                                0xFFFFFF, 500, code),
                    ::testing::ExitedWithCode(code), "");
    }
    // The child wrote its entries before ending.
    EXPECT_EQ(dir.read(QStringLiteral("Errors.txt")), headerBytes() + dbEntryBytes() + dbEntryBytes());
}

TEST_F(CKelErrTest, ErrorStackRestoresAndNeverLosesItsBottomEntry) {
    CKelErr err;
    auto& cur = lumo::err::CurrentError();
    err.Number(53);
    err.Description(QStringLiteral("File not found"));
    err.Source(QStringLiteral("A"));
    err.Push();
    err.Clear();
    EXPECT_EQ(cur.Number, 0);
    EXPECT_TRUE(cur.Description.isEmpty());
    err.Number(7);
    err.Push();
    err.Pop();
    EXPECT_EQ(err.Number(), 7);
    err.Pop();
    EXPECT_EQ(err.Number(), 53);
    EXPECT_EQ(err.Description(), QStringLiteral("File not found"));
    EXPECT_EQ(err.Source(), QStringLiteral("A"));
    for (int round = 0; round < 2; ++round) {
        try {
            err.Pop();
            ADD_FAILURE() << "Pop on the bottom entry must raise";
        } catch (const lumo::err::VbError& e) {
            EXPECT_EQ(e.Number(), 28);
        }
    }
}

TEST_F(CKelErrTest, LogClearDeletesTheLogAndRaises53WhenMissing) {
    CKelErr err;
    err.ErrView(1, kDbFailure, kDbTitle, kDbSource);
    ASSERT_TRUE(QFile::exists(err.ErrorLog()));
    err.LogClear();
    EXPECT_FALSE(QFile::exists(err.ErrorLog()));
    try {
        err.LogClear();
        ADD_FAILURE() << "LogClear on a missing log must raise";
    } catch (const lumo::err::VbError& e) {
        EXPECT_EQ(e.Number(), 53);
    }
}
