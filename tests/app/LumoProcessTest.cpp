#include "platform/text/AnsiText.h"

#include "common/TempProgramDir.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Starts LUMO in a program folder of its own with a copy of the sample database.
// The instance lock lives in a runtime folder of the test's own, so a LUMO the
// developer has open does not count.
class LumoProcess : public ::testing::Test {
protected:
    void SetUp() override {
        const QString db = qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb");
        ASSERT_TRUE(QFile::copy(db, dir.file(QStringLiteral("Lumo.mdb"))));
    }
    void TearDown() override {
        for (QProcess* p : started) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
            delete p;
        }
    }

    QProcess* start() {
        auto* p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LUMO_PROGRAM_DIR"), dir.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(LUMO_EXE), {});
        started.push_back(p);
        return p;
    }
    // True when the process is still running after ms milliseconds.
    static bool stillRunningAfter(QProcess* p, int ms) { return !p->waitForFinished(ms); }
    QString errorLog() const { return lumo::text::decodeAnsi(dir.read(QStringLiteral("Errors.txt"))); }

    lumo::test::TempProgramDir dir;
    QTemporaryDir runtime;
    std::vector<QProcess*> started;
};

} // namespace

TEST_F(LumoProcess, StartsAndRefusesASecondInstance) {
    QProcess* first = start();
    ASSERT_TRUE(first->waitForStarted(10000));
    ASSERT_TRUE(stillRunningAfter(first, 3000)) << first->readAllStandardError().toStdString();
    EXPECT_TRUE(errorLog().isEmpty());
    // Without a screen the wave output module, and the multimedia libraries with it, stay unloaded.
    QFile maps(QStringLiteral("/proc/%1/maps").arg(first->processId()));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    EXPECT_TRUE(mapped.contains("libQt6Widgets"));
    EXPECT_FALSE(mapped.contains("LumoSound.so"));
    EXPECT_FALSE(mapped.contains("libQt6Multimedia"));

    QProcess* second = start();
    ASSERT_TRUE(second->waitForFinished(30000));
    EXPECT_EQ(second->exitCode(), 1);
    const QString log = errorLog();
    EXPECT_TRUE(log.contains(QStringLiteral("[Vícenásobné spuštění]"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-LumoMain-Main"))) << log.toStdString();
    EXPECT_EQ(first->state(), QProcess::Running);
}

TEST_F(LumoProcess, SeveralInstancesRunWhenAllowed) {
    dir.write(QStringLiteral("Lumo.ini"), "[Main]\r\nMultipleRun=True\r\n");
    QProcess* first = start();
    ASSERT_TRUE(stillRunningAfter(first, 3000));
    QProcess* second = start();
    EXPECT_TRUE(stillRunningAfter(second, 3000)) << second->readAllStandardError().toStdString();
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();
}

TEST_F(LumoProcess, AnUnreachableDatabaseEndsAfterTheSecondTry) {
    dir.write(QStringLiteral("Lumo.ini"), "[Main]\r\nDatabaseLocation=/nonexistent/Lumo.mdb\r\n");
    QProcess* p = start();
    ASSERT_TRUE(p->waitForFinished(30000));
    EXPECT_EQ(p->exitCode(), 1);
    EXPECT_EQ(errorLog().count(QStringLiteral("[Nelze připojit databázi]")), 2) << errorLog().toStdString();
    EXPECT_FALSE(QFile::exists(QStringLiteral("/nonexistent/Lumo.mdb")));
}
