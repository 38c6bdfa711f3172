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
    BeginItemList(m_form, 8);
    m_form.setPanelText(QStringLiteral("Podminka"), QString());
    try {
        db::Recordset rs;
        OpenQuery(rs, CategorySql::AllFamilies());
        if (rs.recordCount() == 0)
            ReportEmpty(kEmpty);
        for (; !rs.eof(); rs.moveNext())
            AddMainListItem(m_form, rs.field(QStringLiteral("Idx")).toLong(),
                            rs.field(QStringLiteral("Nazev")).str(), m_form.CurrentCeled);
        rs.close();
    } catch (...) {
        ReportFailure(kFailure);
        return;
    }
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
        const QStringList herbs = ReadNames(CategorySql::FamilyHerbNames(family, DescriptionNamesLanguage()));
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
