#include "browsers/LiteratureBrowser.h"

#include "browsers/CategorySql.h"
#include "browsers/DescriptionWriter.h"
#include "browsers/MainListSteps.h"
#include "core/AppContext.h"
#include "mainwindow/FrmMain.h"
#include "platform/db/Recordset.h"
#include "platform/ui/RichTextBox.h"

#include <QLineEdit>
#include <QTreeWidget>

namespace lumo {

namespace {

const char* const kTitle = "Nelze načíst seznam použité literatury";
const char* const kMessage = "Nelze načíst seznam použité literatury, kontaktujte technickou podporu";
const LoadReport kEmpty{45, "Databáze neobsahuje seznam použité literatury, kontaktujte technickou podporu",
                        kTitle, "LUMO-FrmMain-NactiNazvyLit"};
const LoadReport kFailure{47, kMessage, kTitle, "LUMO-FrmMain-NactiNazvyLit-"};
const LoadReport kDescriptionFailure{47, kMessage, kTitle, "LUMO-FrmMain-NactiPopisLit-"};

QString entryText(const db::Recordset& rs) {
    return rs.field(QStringLiteral("Autor")).str() + QStringLiteral(", ") +
           rs.field(QStringLiteral("Nazev")).str();
}

} // namespace

LiteratureBrowser::LiteratureBrowser(FrmMain& form) : QObject(&form), m_form(form) {}

void LiteratureBrowser::NactiNazvyLit() {
    const auto read = [](const db::Recordset& rs) {
        return MainListRow{rs.field(QStringLiteral("Idx")).toLong(), entryText(rs)};
    };
    if (FillItemList(m_form, 9, true, CategorySql::AllLiterature(), m_form.CurrentLit, kEmpty, kFailure,
                     read))
        m_form.Lv_Click();
}

void LiteratureBrowser::UkazLit() {
    QTreeWidgetItem* item = m_form.selectedListItem();
    if (!item) {
        m_form.TxtByl->setText(QString());
        m_form.RtfTemp->setText(QString());
        m_form.CurrentLit = 0;
        return;
    }
    m_form.CurrentLit = FrmMain::listId(item);
    NactiPopisLit();
    m_form.RtfTemp->setSelStart(0);
    PutShownItemInSearchBox(m_form, item->text(0));
}

void LiteratureBrowser::NactiPopisLit() {
    try {
        db::Recordset rs;
        OpenQuery(rs, CategorySql::LiteratureEntry(m_form.CurrentLit));
        if (!rs.eof()) {
            // The whole entry stays centred.
            DescriptionWriter writer(App().Settings);
            writer.title(entryText(rs), rs.field(QStringLiteral("Popis")).str(), false);
            m_form.RtfTemp->setTextRTF(writer.rtf());
        }
        rs.close();
    } catch (...) {
        ReportFailure(kDescriptionFailure);
    }
}

} // namespace lumo
