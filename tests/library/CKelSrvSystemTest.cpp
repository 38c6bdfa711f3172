#include "library/CKelSrv.h"
#include "library/frmInfo.h"
#include "platform/err/VbError.h"
#include "platform/ui/DialogPresenter.h"

#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace lumo {
namespace {

TEST(CKelSrvSystemTest, SystemScreenAndMemoryFiguresComeFromTheMachine) {
    CKelSrv srv;
    const QString platform = srv.OSPlatform();
    EXPECT_FALSE(platform.isEmpty());
    // Records get the extra empty line only on the two old systems.
    EXPECT_NE(platform, QStringLiteral("Windows 95"));
    EXPECT_NE(platform, QStringLiteral("Windows 98"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(srv.OSVersion()).hasMatch())
        << srv.OSVersion().toStdString();

    EXPECT_EQ(srv.ScreenWidth(), 0);
    QWidget form;
    srv.UsedForm(&form);
    EXPECT_GT(srv.ScreenWidth(), 0);
    EXPECT_GT(srv.ScreenHeight(), 0);
    EXPECT_GT(srv.BitsPerPixel(), 0);
    QList<long> w, h, b;
    EXPECT_THROW(srv.GetVideoModes(w, h, b), err::VbError);
    w = h = b = QList<long>(srv.NumVideoModes(), 0);
    srv.GetVideoModes(w, h, b);
    EXPECT_GT(w[0], 0);

    // 64-bit figures: no cap at 2 or 4 GB.
    EXPECT_GT(srv.PhysTotal(), 0);
    EXPECT_LE(srv.PhysFree(), srv.PhysTotal());
    EXPECT_GE(srv.MemoryLoad(), 0);
    EXPECT_LE(srv.MemoryLoad(), 100);
    EXPECT_GE(srv.VirtualTotal(), srv.VirtualFree());
}

TEST(CKelSrvSystemTest, ProgressWindowKeepsItsBarUntilToldAndColourDialogKeepsTheInitialOnCancel) {
    CKelSrv srv;
    auto* window = static_cast<frmInfo*>(CKelSrv::ProgressWindow());
    srv.ShowProgress(QStringLiteral("Kopírování souboru"), QStringLiteral("Kopíruji Lumo.mdb"), 30.0f);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kopírování souboru"));
    EXPECT_EQ(window->lblInfo->text(), QStringLiteral("Kopíruji Lumo.mdb"));
    EXPECT_EQ(window->pgbInfo->value(), 30);
    srv.ShowProgress(QStringLiteral("Kopírování souboru"), QStringLiteral("Dokončuji"));
    EXPECT_EQ(window->pgbInfo->value(), 30);
    long value = 75;
    srv.ViewProgress(value);
    EXPECT_EQ(window->pgbInfo->value(), 75);
    EXPECT_GT(window->pgbInfo->y(), window->lblInfo->y() + window->lblInfo->height());
    srv.HideProgress();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(CKelSrv::ProgressWindow(), window);

    {
        ui::ScopedDialogHook cancel([](QDialog&) { return std::optional<int>(QDialog::Rejected); });
        EXPECT_EQ(srv.SelectColor(0x8000), 0x8000);
    }
    ui::ScopedDialogHook blue([](QDialog& d) {
        static_cast<QColorDialog&>(d).setCurrentColor(Qt::blue);
        d.accept();
        return std::optional<int>();
    });
    EXPECT_EQ(srv.SelectColor(0x8000), 0xFF0000);
}

} // namespace
} // namespace lumo
