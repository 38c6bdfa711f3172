#include "core/frmAbout.h"
#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "platform/registry/Registry.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/DialogPresenter.h"

#include "common/TempProgramDir.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace lumo;

namespace {

class FrmAboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
        previousConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        App().ErrObj = std::make_unique<CKelErr>();
        App().SrvObj = std::make_unique<CKelSrv>();
        App().DbVersion = DbVersionRecord{QDate(2012, 3, 5), 5, QStringLiteral("Jaro 2012  ")};
    }
    void TearDown() override {
        App().ReleaseObjects();
        App().DbVersion = DbVersionRecord{};
        QLocale::setDefault(previousLocale);
        qputenv("XDG_CONFIG_HOME", previousConfig);
    }
    QString errorLog() const { return text::decodeAnsi(dir.read(QStringLiteral("Errors.txt"))); }

    test::TempProgramDir dir;
    QTemporaryDir config;
    QLocale previousLocale;
    QByteArray previousConfig;
};

TEST_F(FrmAboutTest, ShowsVersionEditionAndDateAndReportsAMissingSystemInformationProgram) {
    QStringList shown;
    ui::ScopedDialogHook hook([&](QDialog& d) -> std::optional<int> {
        if (auto* box = qobject_cast<frmAbout*>(&d)) {
            shown << box->windowTitle() << box->lblVersion[0]->text() << box->lblVersion[1]->text();
            box->cmdSysInfo->click();
            EXPECT_TRUE(box->isVisible());
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &esc);
            EXPECT_FALSE(box->isVisible());
            return std::nullopt;
        }
        shown << d.windowTitle();
        return 0;
    });
    ShowFrmAbout();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0], QStringLiteral("O programu LUMO"));
    EXPECT_TRUE(shown[1].startsWith(QStringLiteral("Verze ")));
    EXPECT_TRUE(shown[1].endsWith(QStringLiteral(" - Jaro 2012")));
    EXPECT_EQ(shown[2], QStringLiteral("Datum vydání: 5.březen 2012"));
    EXPECT_EQ(shown[3], QStringLiteral("System Info"));
    const QString log = errorLog();
    EXPECT_TRUE(log.contains(QStringLiteral("105"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Nelze zobrazit systémové informace")));
    EXPECT_TRUE(log.contains(QStringLiteral("neznámý")));

    // Without a version row there is no edition and no date.
    EXPECT_EQ(AboutVersionLine(QStringLiteral("5.1.0"), QString()), QStringLiteral("Verze 5.1.0"));
    EXPECT_EQ(AboutDateLine(QDate()), QString());
}

TEST_F(FrmAboutTest, TheSystemInformationProgramIsTakenFromTheRegistryStore) {
    dir.write(QStringLiteral("msinfo"), "#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n");
    QFile::setPermissions(dir.file(QStringLiteral("msinfo")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(
        registry::WriteValue(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                             QStringLiteral("PATH"), dir.file(QStringLiteral("msinfo"))));
    StartSysInfo();
    for (int i = 0; i < 200 && !QFile::exists(dir.file(QStringLiteral("started"))); ++i)
        QThread::msleep(10);
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("started"))));
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();

    // The stamp beside the database: 16 bits, little-endian.
    App().Settings.DatabaseLocation = dir.file(QStringLiteral("Lumo.mdb"));
    frmAbout box;
    EXPECT_EQ(box.DBVersion(), 0);
    dir.write(QStringLiteral("Lumo.INF"), QByteArray("\x31\x01", 2));
    EXPECT_EQ(box.DBVersion(), 305);
}

} // namespace
