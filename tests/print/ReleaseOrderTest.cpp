#include "core/AppContext.h"
#include "core/CAISLP.h"
#include "core/LumoMain.h"
#include "library/CKelHelp.h"
#include "library/CKelSound.h"
#include "platform/ui/DialogPresenter.h"
#include "print/CKelPrinter.h"
#include "print/PrintRegistration.h"

#include "common/TempProgramDir.h"
#include "core/aislp/AislpTestPlugin.h"

#include <QFile>

#include <gtest/gtest.h>

#include <vector>

// Shut-down releases the seven service objects of a real start in one fixed order.
namespace lumo {
namespace {

std::vector<QString> g_released;

// Which of the slots without a deleter of their own are still filled: error object,
// service object, database connection.
QString stillHeld() {
    const AppContext& app = App();
    return QString::fromLatin1(app.ErrObj ? "E" : "-") + QString::fromLatin1(app.SrvObj ? "S" : "-") +
           QString::fromLatin1(app.DbConnection ? "D" : "-");
}

template <class T> void record(ServiceSlot<T>& slot, const char* name) {
    ASSERT_NE(slot, nullptr) << name << " was not filled at start-up";
    static const char* s_name = nullptr;
    s_name = name;
    slot.get_deleter() = [](T* object) {
        g_released.push_back(QString::fromLatin1(s_name) + u' ' + stillHeld());
        delete object;
    };
}

TEST(ReleaseOrder, EveryServiceObjectOfARealStartGoesInTheFixedOrder) {
    test::TempProgramDir dir;
    const QString database = qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb");
    ASSERT_TRUE(QFile::copy(database, dir.file(QStringLiteral("Lumo.mdb"))));
    const test::AislpInstall aislp(dir.file(QStringLiteral("AISLP")));
    dir.write(QStringLiteral("Lumo.ini"), "[Main]\r\nAISLPCmd=" + aislp.program().toUtf8() + "\r\n");
    const ui::ScopedDialogHook dialogs{[](QDialog&) { return std::optional<int>(0); }};
    RegisterPrint();

    StartupHooks hooks;
    hooks.anotherInstanceRunning = [] { return false; };
    hooks.loadMainWindow = [] {};
    ASSERT_EQ(Main(hooks), StartOutcome::Started);
    AppContext& app = App();
    ASSERT_TRUE(app.ErrObj && app.SrvObj && app.DbConnection);
    record(app.HelpObj, "HelpObj");
    record(app.PrinterObj, "PrinterObj");
    record(app.SoundObj, "SoundObj");
    record(app.AISLPObj, "AISLPObj");

    g_released.clear();
    ReleaseObjects();
    // HelpObj, ErrObj, PrinterObj, SoundObj, SrvObj, DbConnection, AISLPObj.
    EXPECT_EQ(g_released,
              (std::vector<QString>{QStringLiteral("HelpObj ESD"), QStringLiteral("PrinterObj -SD"),
                                    QStringLiteral("SoundObj -SD"), QStringLiteral("AISLPObj ---")}));
    EXPECT_EQ(stillHeld(), QStringLiteral("---"));
    EXPECT_FALSE(app.AISLPConnected);
}

} // namespace
} // namespace lumo
