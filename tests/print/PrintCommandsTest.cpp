#include "PrintFixture.h"

#include "core/AppContext.h"
#include "core/PrinterSeam.h"
#include "library/CKelSrv.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/MainMenusRegistration.h"
#include "mainwindow/MainWindowRegistry.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"
#include "print/CKelPrinter.h"
#include "print/MPrint.h"
#include "print/PrintRegistration.h"
#include "print/Printers.h"
#include "print/frmView.h"

#include <QFile>
#include <QPrintDialog>
#include <QTreeWidget>

using namespace lumo;

namespace {

class PrintCommandsTest : public test::PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        ClearMainWindowHooks();
        RegisterMainMenus();
        RegisterPrint();
        CreatePrinterObject();
        form = std::make_unique<FrmMain>();
        RunMainWindowHooks(*form);
        form->ListMode = 1;
        form->CurrentHerbName = QStringLiteral("Máta peprná");
        form->RtfByl->setText(QStringLiteral("Máta peprná\r\nČervený text záznamu"));
        form->RtfByl->select(0, form->RtfByl->TextLength());
        form->RtfByl->setSelColor(0x0000FF); // red
    }
    void TearDown() override {
        form.reset();
        ClearMainWindowHooks();
        PrintFixture::TearDown();
    }
    std::unique_ptr<FrmMain> form;
};

} // namespace

// The record popup's print command: the print dialog first (cancel prints nothing), then the
// record without a preview, its colours untouched on the screen.
TEST_F(PrintCommandsTest, PrintingTheRecordAsksFirstAndLeavesTheScreenAsItWas) {
    const QString pdf = dir.file(QStringLiteral("record.pdf"));
    print::SetPdfOutputFile(pdf);
    int printDialogs = 0;
    dialogs.emplace([&](QDialog& d) -> std::optional<int> {
        if (qobject_cast<QPrintDialog*>(&d))
            ++printDialogs;
        return QDialog::Rejected;
    });
    form->mnuBylTisk_Click();
    EXPECT_EQ(printDialogs, 1);
    EXPECT_FALSE(QFile::exists(pdf));

    App().Settings.DisableColors = true;
    dialogs.emplace([](QDialog&) -> std::optional<int> { return QDialog::Accepted; });
    form->mnuBylTisk_Click();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(ui::ColorToOle(form->RtfByl->charFormatAt(3).foreground().color()), 0x0000FF);
    EXPECT_EQ(PrintSettings().PageHeader, FixedPageText(QStringLiteral("Máta peprná")));
    EXPECT_EQ(PrintSettings().HeaderAlign, 2);
    EXPECT_EQ(PrintSettings().FirstPageOfset, 0);
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Errors.txt"))));

    // A category's description is headed by its item, not by the herb shown before.
    form->ListMode = 2;
    auto* item = new QTreeWidgetItem(form->Lv, {QStringLiteral("flavonoidy")});
    item->setSelected(true);
    form->RtfTemp->setText(QStringLiteral("flavonoidy\r\nSeznam bylin"));
    form->mnuBylTisk_Click();
    EXPECT_EQ(PrintSettings().PageHeader, FixedPageText(QStringLiteral("flavonoidy")));
}

TEST_F(PrintCommandsTest, ADocumentPreviewTakesItsMenuCaptionAsHeader) {
    dir.write(QStringLiteral("Licence.rtf"), "{\\rtf1\\ansi Licen\\'e8n\\'ed podm\\'ednky\\par}");
    QString header;
    dialogs.emplace([&](QDialog& d) -> std::optional<int> {
        if (qobject_cast<print::frmView*>(&d))
            header = PrintSettings().PageHeader;
        return QDialog::Rejected;
    });
    App().SrvObj = std::make_unique<CKelSrv>();
    auto* menus = form->findChild<MainMenus*>();
    ASSERT_NE(menus, nullptr);
    menus->ShowDocument(QStringLiteral("Licence.rtf"), QStringLiteral("mnuLicence_Click"));
    EXPECT_EQ(header, FixedPageText(QStringLiteral("Licenční ujednání")));
}
