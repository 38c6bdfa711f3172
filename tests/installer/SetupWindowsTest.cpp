#include "installer/FrmCopy.h"
#include "installer/FrmErrSetup.h"
#include "installer/ReportError.h"
#include "installer/Shortcuts.h"
#include "installer/cLogo.h"
#include "installer/frmMain.h"
#include "platform/err/VbError.h"
#include "platform/ui/DialogPresenter.h"

#include "FakeProbe.h"
#include "SetupSandbox.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace lumo::setup;
using lumo::test::FakeProbe;
using lumo::test::SetupSandbox;

TEST(SetupWindows, ErrorReportTextButtonsAndTimer) {
    lumo::err::CurrentError().Clear();
    EXPECT_EQ(ReportText(94, QStringLiteral("X"), QStringLiteral("S")),
              QStringLiteral("Chyba číslo 94 v modulu S\r\nPopis chyby: X"));
    try {
        lumo::err::Raise(53);
    } catch (const lumo::err::VbError&) {
    }
    EXPECT_EQ(ReportText(11, QStringLiteral("X"), QStringLiteral("S")),
              QStringLiteral("Chyba číslo 11 v modulu S\r\nPopis chyby: X\r\nSystem: 53 - File not found"));
    lumo::err::CurrentError().Clear();

    FrmErrSetup plain(QStringLiteral("t"), QStringLiteral("T"), 8, 0xFF, 500);
    EXPECT_TRUE(plain.findChild<QPushButton*>(QStringLiteral("cmdErr0"))->isEnabled());
    EXPECT_TRUE(plain.findChild<QPushButton*>(QStringLiteral("cmdErr1"))->isEnabled());
    EXPECT_FALSE(plain.findChild<QPushButton*>(QStringLiteral("cmdErr2"))->isEnabled());
    EXPECT_EQ(plain.palette().color(QPalette::Window), QColor(255, 0, 0));
    // Any key closes the window, also one its focused button would take (an arrow, Tab).
    plain.show();
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(plain.findChild<QPushButton*>(QStringLiteral("cmdErr0")), &right);
    EXPECT_FALSE(plain.isVisible());
    EXPECT_EQ(plain.result(), QDialog::Accepted);
    FrmErrSetup noEnd(QStringLiteral("t"), QStringLiteral("T"), 4, 0xFF, 500);
    EXPECT_FALSE(noEnd.findChild<QPushButton*>(QStringLiteral("cmdErr1"))->isEnabled());

    // With flag 2 the window closes itself.
    lumo::ui::ScopedDialogHook hook([](QDialog&) { return std::nullopt; });
    FrmErrSetup timed(QStringLiteral("t"), QStringLiteral("T"), 2, 0xFF, 100);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(lumo::ui::DialogPresenter::exec(timed), QDialog::Accepted);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(SetupWindows, LogoShadesFromStartAtTheBottomToEndAtTheTop) {
    cLogo logo;
    logo.setStartColor(0);
    logo.setEndColor(0xFF00);
    const QImage image = logo.Paint(QSize(20, 100), QFont());
    ASSERT_EQ(image.height(), 100);
    EXPECT_EQ(QColor(image.pixel(19, 99)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(image.pixel(19, 98)), QColor(0, 0, 0));
    const QColor top(image.pixel(19, 0));
    EXPECT_EQ(top.red(), 0);
    EXPECT_EQ(top.blue(), 0);
    EXPECT_NEAR(top.green(), 250, 3);
    for (int y = 1; y < 100; ++y)
        ASSERT_GE(QColor(image.pixel(19, y - 1)).green(), QColor(image.pixel(19, y)).green());
    EXPECT_TRUE(logo.Paint(QSize(20, 0), QFont()).isNull());
}

TEST(SetupWindows, ShortcutsAreDesktopEntriesThatStartTheirTarget) {
    SetupSandbox box;
    const QString text = DesktopEntryText(QStringLiteral("Zefirak"), QStringLiteral("/opt/a b/LU\"MO$`x"),
                                          QStringLiteral("-p 5%"), QStringLiteral("/opt/a b/"));
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"/opt/a b/LU\\\\\"MO\\\\$\\\\`x\" \"-p\" \"5%%\"\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nPath=/opt/a b/\n")));

    ASSERT_TRUE(CreateDesktopShortcut(QStringLiteral("/opt/LUMO"), QStringLiteral("Zefirak"),
                                      QStringLiteral("/opt/"), 0, 0, QString()));
    ASSERT_TRUE(CreateDesktopShortcut(QStringLiteral("/opt/b/LUMO"), QStringLiteral("Zefirak"),
                                      QStringLiteral("/opt/b/"), 0, 0, QString()));
    const QString file = box.desktop() + QStringLiteral("/Zefirak.desktop");
    EXPECT_TRUE(box.read(file).contains("Exec=\"/opt/b/LUMO\""));
    EXPECT_TRUE(QFile::permissions(file) & QFile::ExeOwner);
    EXPECT_FALSE(
        CreateDesktopShortcut(QStringLiteral("/opt/LUMO"), QStringLiteral("../x"), QString(), 0, 0, {}));

    QFile::remove(file);
    QDir(box.desktop()).removeRecursively();
    EXPECT_FALSE(CreateDesktopShortcut(QStringLiteral("/opt/LUMO"), QStringLiteral("Zefirak"), {}, 0, 0, {}));
    EXPECT_FALSE(CreateToolkitShortcut(QStringLiteral("Zefirak"), QStringLiteral("/opt/LUMO"), 16, {}));
    EXPECT_TRUE(CreateToolkitShortcut(QStringLiteral("Zefirak"), QStringLiteral("/opt/LUMO"), 2, {}));
    EXPECT_TRUE(QFile::exists(box.dataHome() + QStringLiteral("/applications/Zefirak.desktop")));
}

TEST(SetupWindows, MissingComponentsLeaveOnlyTheirButtonAndTheEnd) {
    SetupSandbox box;
    frmMain window(
        std::make_unique<FakeProbe>(0x0A280105, false, QStringLiteral("2.8"), QStringLiteral("4.0")));
    window.Form_Activate();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(window.button(i)->isEnabled(), i == 0 || i == 5) << i;
    EXPECT_EQ(window.button(0)->text(), QStringLiteral("Instalovat komponentu DCOM"));
    EXPECT_EQ(window.focusWidget(), window.button(0));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("imgSet"))->toolTip(),
              QStringLiteral("Není nainstalována technologie DCOM"));
    EXPECT_TRUE(box.reports.isEmpty());

    frmMain jet(std::make_unique<FakeProbe>(0x0A280105, true, QStringLiteral("2.8"), QStringLiteral("3.51")));
    jet.Form_Activate();
    EXPECT_EQ(jet.button(0)->text(), QStringLiteral("Instalovat podporu JET"));
    EXPECT_EQ(jet.button(0)->toolTip(), QStringLiteral("Nainstalovat technologii JET"));
    EXPECT_EQ(jet.findChild<QLabel*>(QStringLiteral("LblOS"))->text(),
              QStringLiteral("MS Windows XP, MDAC 2.8, JET není instalován"));
    EXPECT_EQ(jet.versionLabel(14)->text(), QStringLiteral("nepřipraveno"));

    frmMain unknown(
        std::make_unique<FakeProbe>(0x00000306, true, QStringLiteral("2.8"), QStringLiteral("4.0")));
    unknown.Form_Activate();
    ASSERT_EQ(box.reports.size(), 1);
    EXPECT_TRUE(box.reports[0].startsWith(QStringLiteral("Chyba číslo 10 v modulu ZefSetup-TestProstredi")));
}

TEST(SetupWindows, CopyWindowCannotBeClosedWhileItCopies) {
    SetupSandbox box;
    box.write(box.path("src.bin"), QByteArray(300000, 'z'));
    // The source named in another case, as scripts may name it; a target deep in folders.
    const QString deep = box.path(QStringLiteral("velmi dlouhá složka/").repeated(12));
    QDir().mkpath(deep);
    FrmCopy window(box.path("SRC.bin"), deep + "dst.bin");
    window.show();
    EXPECT_LT(window.width(), 800); // on the screen
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("LblInf3"))->toolTip(), deep + "dst.bin");
    // Esc and a close request arrive while the copy runs (the window takes its events at
    // the end of the copy, still busy): both are refused and the copy completes.
    QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    QCoreApplication::postEvent(&window, new QCloseEvent);
    EXPECT_TRUE(window.CopyFile());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(box.read(deep + "dst.bin"), box.read(box.path("src.bin")));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("LblInf10"))->text(), QStringLiteral("300 000"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("LblInf5"))->text(), QStringLiteral("Byte"));
    // Afterwards the window closes as any other.
    QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}
