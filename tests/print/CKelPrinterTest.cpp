#include "print/CKelPrinter.h"
#include "core/AppContext.h"
#include "core/FrmSetup.h"
#include "core/LumoMain.h"
#include "library/CKelSrv.h"
#include "platform/err/VbError.h"
#include "platform/ui/DialogPresenter.h"
#include "print/MPrint.h"
#include "print/PrintRegistration.h"
#include "print/Printers.h"

#include "common/TempProgramDir.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

using namespace lumo;

TEST(CKelPrinterTest, NewInstanceHoldsTheDefaultsAndFixedWidthTexts) {
    PrintSettings().LeftMargin = 33;
    CKelPrinter p;
    EXPECT_EQ(p.LeftMargin(), 10);
    EXPECT_EQ(p.RightMargin(), 10);
    EXPECT_EQ(p.TopMargin(), 10);
    EXPECT_EQ(p.BottomMargin(), 10);
    EXPECT_EQ(p.PageWidth(), 210);
    EXPECT_EQ(p.PageHeight(), 270);
    EXPECT_EQ(p.PageCopies(), 1);
    EXPECT_EQ(p.FirstPageOfset(), 1);
    EXPECT_EQ(p.PageNumberFrom(), 1);
    EXPECT_EQ(p.PageHeader(), QString(70, u' '));
    EXPECT_EQ(p.PageFooter(), QString(70, u' '));

    p.PageHeader(QString(80, u'x'));
    EXPECT_EQ(p.PageHeader(), QString(70, u'x'));
    // Characters, not bytes: diacritics count one each.
    p.PageHeader(QStringLiteral("Žluťoučký kůň"));
    EXPECT_EQ(p.PageHeader(), QStringLiteral("Žluťoučký kůň") + QString(57, u' '));

    // The record is shared by every instance.
    CKelPrinter other;
    other.HeaderAlign(2);
    EXPECT_EQ(p.HeaderAlign(), 2);
}

TEST(CKelPrinterTest, DialogsNeedAControllingFormAndNamesMatchLooselyOrNotAtAll) {
    CKelPrinter p;
    try {
        p.PageSetup();
        ADD_FAILURE() << "PageSetup without a form must raise";
    } catch (const err::VbError& e) {
        EXPECT_EQ(e.Number(), -2147220900L);
        EXPECT_EQ(e.Description(),
                  QStringLiteral("Nelze nastavit stránku, není vytvořena vazba na řídící formulář"));
        EXPECT_EQ(e.Source(), QStringLiteral("ZorPrinter-CKelPrinter-PageSetup"));
    }
    try {
        p.PrintSetup();
        ADD_FAILURE() << "PrintSetup without a form must raise";
    } catch (const err::VbError& e) {
        EXPECT_EQ(e.Number(), -2147220900L);
        EXPECT_EQ(e.Source(), QStringLiteral("ZorPrinter-CKelPrinter-PrintSetup"));
    }

    p.PrinterName(QStringLiteral("pdf  "));
    EXPECT_EQ(p.PrinterName(), print::PdfPrinterName());
    EXPECT_TRUE(print::CurrentIsPdf());
    p.PrinterName(QStringLiteral("Tiskárna, která není"));
    EXPECT_EQ(p.PrinterName(), print::PdfPrinterName());
    EXPECT_TRUE(print::CurrentIsPdf());
    // With a form, the properties of a printer that is not there show nothing and raise nothing.
    p.UsedForm(nullptr);
    EXPECT_EQ(p.PrintSetup(QStringLiteral("Tiskárna, která není")), 0);
    EXPECT_TRUE(print::CurrentIsPdf());
}

TEST(CKelPrinterTest, StartUpCreatesThePrinterWithTheMarginsOfTheSettings) {
    const QString db = qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb");
    ASSERT_TRUE(QFile::exists(db)) << "build the data target first";
    test::TempProgramDir dir;
    ASSERT_TRUE(QFile::copy(db, dir.file(QStringLiteral("Lumo.mdb"))));
    dir.write(QStringLiteral("Lumo.ini"),
              "[Page]\r\nLeftMargin=12\r\nTopMargin=15\r\nRightMargin=8\r\nBottomMargin=20\r\n");
    ui::ScopedDialogHook dialogs{[](QDialog&) { return std::optional<int>(0); }};
    RegisterPrint();
    StartupHooks hooks;
    hooks.anotherInstanceRunning = [] { return false; };
    bool shown = false;
    hooks.loadMainWindow = [&] {
        shown = true;
        ASSERT_TRUE(App().PrinterObj);
        EXPECT_EQ(App().PrinterObj->LeftMargin(), 12);
        EXPECT_EQ(App().PrinterObj->RightMargin(), 8);
        EXPECT_EQ(App().PrinterObj->TopMargin(), 15);
        EXPECT_EQ(App().PrinterObj->BottomMargin(), 20);
    };
    EXPECT_EQ(Main(hooks), StartOutcome::Started);
    EXPECT_TRUE(shown);

    // The settings dialog's margins are the printer's: typed and OK, then taken back by Cancel.
    {
        ui::ScopedDialogHook setup{[](QDialog& d) -> std::optional<int> {
            auto* form = qobject_cast<FrmSetup*>(&d);
            if (!form)
                return 0;
            if (form->TxtPrn[0]->text() == QStringLiteral("12")) {
                form->TxtPrn[0]->setText(QStringLiteral("25"));
                form->CmdRun[0]->click();
            } else {
                form->CmdRun[1]->click();
            }
            return std::nullopt;
        }};
        ShowFrmSetup();
        EXPECT_EQ(App().PrinterObj->LeftMargin(), 25);
        ShowFrmSetup();
        EXPECT_EQ(App().Settings.LeftMargin, 12);
        EXPECT_EQ(App().PrinterObj->LeftMargin(), 12);
    }
    App().ReleaseObjects();
    EXPECT_FALSE(App().PrinterObj);
}
