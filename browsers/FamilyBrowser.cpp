#include "browsers/FamilyBrowser.h"

#include "browsers/CategorySql.h"
#include "browsers/DescriptionWriter.h"
#include "browsers/MainListSteps.h"
#include "core/AppContext.h"
#include "mainwindow/FrmMain.h"
#include "platform/db/Recordset.h"
#include "platform/ui/RichTextBox.h"

namespace lumo {

namespace {

const LoadReport kEmpty{38, "Databáze neobsahuje názvy čeledí, kontaktujte technickou podporu",
                        "Nelze načíst názvy čeledí", "LUMO-FrmMain-NactiCeledi"};
const LoadReport kFailure{43, "Nelze načíst názvy čeledí, kontaktujte technickou podporu",
                          "Nelze načíst názvy čeledí", "LUMO-FrmMain-NactiCeledi-"};
const LoadReport kDescriptionFailure{44, "Nelze načíst popis čeledi, kontaktujte technickou podporu",
                                     "Nelze načíst popis čeledi", "LUMO-FrmMain-NactiPopisCeledi-"};

} // namespace

FamilyBrowser::FamilyBrowser(FrmMain& form) : QObject(&form), m_form(form) {}

void FamilyBrowser::NactiCeledi() {
    if (!FillItemList(m_form, 8, true, CategorySql::AllFamilies(), m_form.CurrentCeled, kEmpty, kFailure))
        return;
    m_form.Lv_Click();
    UkazCeledi();
}

void FamilyBrowser::UkazCeledi() {
    ShowMainListItem(m_form, m_form.CurrentCeled, [this] { NactiPopisCeledi(); });
}

void FamilyBrowser::NactiPopisCeledi() {
    try {
        const long family = m_form.CurrentCeled;
        DescriptionWriter writer(App().Settings);
        db::Recordset rs;
        OpenQuery(rs, CategorySql::Family(family));
        if (!rs.eof())
            writer.title(rs.field(QStringLiteral("Nazev")).str() + QStringLiteral(" (") +
                             rs.field(QStringLiteral("Latinsky")).str() + QStringLiteral(")"),
                         rs.field(QStringLiteral("Popis")).str());
        rs.close();
        const QStringList herbs =
            ReadHerbNames(m_form, CategorySql::FamilyHerbNames(family, DescriptionNamesLanguage()));
        if (!herbs.isEmpty()) {
            writer.linkList(QStringLiteral("Seznam bylin"), herbs);
            writer.applyFontName();
        }
        m_form.RtfTemp->setTextRTF(writer.rtf());
    } catch (...) {
        ReportFailure(kDescriptionFailure);
    }
}

void FamilyBrowser::BylinySCeledi() {
    ListHerbsOfShownItem(m_form, m_form.CurrentCeled, CategorySql::FamilyHerbs(m_form.CurrentCeled),
                         QStringLiteral("Byliny čeledi "));
}

} // namespace lumo
