#include "browsers/IndicationBrowser.h"

#include "browsers/DescriptionWriter.h"
#include "browsers/MainListSteps.h"
#include "core/AppContext.h"
#include "mainwindow/FrmMain.h"
#include "platform/db/Recordset.h"
#include "platform/ui/RichTextBox.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

namespace lumo {

namespace {

const QString kEntity = QStringLiteral("Indikace");
const CategorySql::Link kLink{QStringLiteral("IndikaceByliny"), QStringLiteral("IdxIndikace")};
const QString kOne = QStringLiteral("Byliny s indikací ");
constexpr long kTopLevelColour = 0x806020;
const LoadReport kTopFailure{25, "Nelze načíst indikace, kontaktujte technickou podporu",
                             "Nelze načíst indikace", "LUMO-FrmMain-NactiIndikace-"};
const LoadReport kSubFailure{26, "Nelze načíst indikace, kontaktujte technickou podporu",
                             "Nelze načíst indikace", "LUMO-FrmMain-NactiSubIndikace-"};
const LoadReport kAllEmpty{27, "Databáze neobsahuje názvy indikací, kontaktujte technickou podporu",
                           "Nelze načíst názvy indikací", "LUMO-FrmMain-NactiNazvyInd"};
const LoadReport kAllFailure{28, "Nelze načíst názvy indikací, kontaktujte technickou podporu",
                             "Nelze načíst názvy indikací", "LUMO-FrmMain-NactiNazvyInd-"};
const LoadReport kDescriptionFailure{29, "Nelze načíst popis indikace, kontaktujte technickou podporu",
                                     "Nelze načíst popis indikace", "LUMO-FrmMain-NactiPopisInd-"};

} // namespace

IndicationBrowser::IndicationBrowser(FrmMain& form)
    : QObject(&form), m_form(form), m_top(form, form.LvInd, true), m_sub(form, form.LvSub, true),
      m_toolbar(form.TbInd, QStringLiteral("TbInd")) {
    form.LvInd->setHeaderLabels({QStringLiteral("Indikace")});
    form.LvSub->setHeaderLabels({QStringLiteral("Podřízené indikace")});
    m_toolbar.add(QStringLiteral("Select"), QStringLiteral("Aktuální"),
                  QStringLiteral("Vyhledá byliny pro vybranou indikaci"));
    m_toolbar.add(QStringLiteral("SelectMore"), QStringLiteral("Označené"),
                  QStringLiteral("Vyhledá byliny pro označené indikace"));
    m_toolbar.add(QStringLiteral("SelectAll"), QStringLiteral("Všechny"), QString()); // no action here
    m_toolbar.onClick = [this](const QString& key) {
        if (key == QStringLiteral("Select"))
            HledejInd(SearchSelected);
        else if (key == QStringLiteral("SelectMore"))
            HledejInd(SearchMarked);
    };
    createMenu();
    connectList(m_top, false);
    connectList(m_sub, true);
    m_sub.onSelectionChange = [this] { NastavTbInd(); };
    // A top-level indication chosen with the mouse or the keys shows its sub-indications.
    m_top.onSelectionChange = [this] {
        if (QTreeWidgetItem* item = m_top.selected())
            NactiSubIndikace(m_form.CurrentHerb, FrmMain::listId(item));
        NastavTbInd();
    };
}

void IndicationBrowser::createMenu() {
    m_menu = new QMenu(QStringLiteral("Indikace"), &m_form);
    m_menu->setObjectName(QStringLiteral("mnuInd"));
    m_markItem =
        AddMenuItem(m_menu, "mnuIndOznac", QStringLiteral("Označit"), [this] { mnuIndOznac_Click(); });
    m_menu->addSeparator();
    AddMenuItem(m_menu, "mnuIndAct", QStringLiteral("Byliny s aktuální indikací"),
                [this] { HledejInd(SearchSelected); });
    AddMenuItem(m_menu, "mnuIndSel", QStringLiteral("Byliny s označenými indikacemi"),
                [this] { HledejInd(SearchMarked); });
    AddMenuItem(m_menu, "mnuIndAll", QStringLiteral("Byliny se všemi indikacemi"), [] {})->setEnabled(false);
    AddMenuItem(m_menu, "mnuIndNone", QStringLiteral("Všechny byliny"),
                [this] { m_form.NactiNazvy(QString(), 0); });
}

void IndicationBrowser::connectList(CheckList& list, bool sub) {
    list.onGotFocus = [this, sub] { m_form.ActiveIndList = sub; };
    list.onItemCheck = [this](QTreeWidgetItem* item) {
        ColourByMark(item, CheckList::isChecked(item));
        NastavTbInd();
    };
    list.onItemClick = [this](QTreeWidgetItem* item) { PopupOnRightClick(m_form, item, m_markItem, m_menu); };
    list.onDblClick = [this] { HledejInd(SearchSelected); };
    list.onKeyDown = [this](int keyCode, int shift) { return keyDown(keyCode, shift); };
}

bool IndicationBrowser::keyDown(int keyCode, int shift) {
    switch (ListKeyOf(keyCode, shift)) {
    case ListKey::SearchSelected:
        HledejInd(SearchSelected);
        return true;
    case ListKey::SearchMarked:
        HledejInd(SearchMarked);
        return true;
    case ListKey::ToSearchBox:
        GoToSearchBox(m_form);
        return true;
    case ListKey::SearchAll: // no search on all indications
    case ListKey::None:
        break;
    }
    return false;
}

CheckList& IndicationBrowser::activeList() {
    return m_form.ActiveIndList ? m_sub : m_top;
}

void IndicationBrowser::NactiIndikace(long herb) {
    m_top.clear();
    try {
        db::Recordset rs;
        OpenQuery(rs, CategorySql::HerbIndications(herb, 0));
        if (rs.eof()) {
            m_sub.clear();
            return;
        }
        for (bool first = true; !rs.eof(); rs.moveNext(), first = false) {
            const long id = rs.field(QStringLiteral("Idx")).toLong();
            m_top.add(id, rs.field(QStringLiteral("Nazev")).str(),
                      IsMarked(m_form.MarkedInd, m_form.MarkedIndCount, id));
            if (first)
                NactiSubIndikace(herb, rs.field(QStringLiteral("b.IdxIndikace")).toLong());
        }
        rs.close();
    } catch (...) {
        ReportFailure(kTopFailure);
    }
}

void IndicationBrowser::NactiSubIndikace(long herb, long parent) {
    m_sub.clear();
    try {
        db::Recordset rs;
        OpenQuery(rs, CategorySql::HerbIndications(herb, parent));
        for (; !rs.eof(); rs.moveNext()) {
            const long id = rs.field(QStringLiteral("Idx")).toLong();
            m_sub.add(id, rs.field(QStringLiteral("Nazev")).str(),
                      IsMarked(m_form.MarkedSubInd, m_form.MarkedSubIndCount, id));
        }
        rs.close();
    } catch (...) {
        ReportFailure(kSubFailure);
    }
}

void IndicationBrowser::HledejInd(int mode) {
    QString sql;
    if (mode == SearchSelected) {
        const bool sub = m_form.ActiveIndList;
        QTreeWidgetItem* item = activeList().selected();
        if (!item)
            return;
        const long id = FrmMain::listId(item);
        if (sub)
            StoreMarks(m_form.MarkedSubInd, m_form.MarkedSubIndCount, {id});
        else
            StoreMarks(m_form.MarkedInd, m_form.MarkedIndCount, {id});
        sql = CategorySql::HerbsWithOne(kLink, id);
        m_form.setPanelText(QStringLiteral("Podminka"), kOne + item->text(0));
    } else {
        // The top-level marks come first, then the sub-indications', in one condition.
        const auto ids = [](const std::vector<std::pair<long, QString>>& items) {
            std::vector<long> out;
            for (const auto& item : items)
                out.push_back(item.first);
            return out;
        };
        auto items = m_top.items(true);
        const auto subItems = m_sub.items(true);
        StoreMarks(m_form.MarkedInd, m_form.MarkedIndCount, ids(items));
        StoreMarks(m_form.MarkedSubInd, m_form.MarkedSubIndCount, ids(subItems));
        items.insert(items.end(), subItems.begin(), subItems.end());
        const CategorySql::MarkedSearch both =
            CategorySql::Marked(kLink, QStringLiteral("Byliny s indikacemi "), items);
        if (both.ids.empty())
            return;
        sql = both.sql;
        m_form.setPanelText(QStringLiteral("Podminka"), both.condition);
    }
    ClearOtherMarks(m_form, MarkFamily::Indications);
    m_form.NactiNazvy(CategorySql::Ordered(sql), 0);
}

void IndicationBrowser::NactiNazvyInd(const QString& sql) {
    // A top-level indication is drawn in a colour of its own.
    const auto read = [](const db::Recordset& rs) {
        MainListRow row = EntityRow(rs);
        if (rs.field(QStringLiteral("IdxIndikace")).toLong() == 0)
            row.oleColor = kTopLevelColour;
        return row;
    };
    ListEntityItems(
        m_form, 5, kEntity, sql, m_form.CurrentInd, kAllEmpty, kAllFailure, [this] { UkazInd(); }, read);
}

void IndicationBrowser::UkazInd() {
    ShowMainListItem(m_form, m_form.CurrentInd, [this] { NactiPopisInd(); });
}

void IndicationBrowser::NactiPopisInd() {
    try {
        const long current = m_form.CurrentInd;
        DescriptionWriter writer(App().Settings);
        long parent = 0;
        db::Recordset rs;
        OpenQuery(rs, CategorySql::Item(kEntity, current));
        if (!rs.eof()) {
            parent = rs.field(QStringLiteral("IdxIndikace")).toLong();
            writer.title(rs.field(QStringLiteral("Nazev")).str(), rs.field(QStringLiteral("Popis")).str());
        }
        rs.close();
        if (parent > 0) {
            const QStringList broader = ReadNames(CategorySql::Item(kEntity, parent));
            if (!broader.isEmpty())
                writer.linkList(QStringLiteral("Širší indikace"), broader.mid(0, 1), true);
        }
        const QStringList related = ReadNames(CategorySql::ChildIndications(current));
        if (!related.isEmpty())
            writer.linkList(QStringLiteral("Související indikace"), related, true);
        const QStringList herbs =
            ReadHerbNames(m_form, CategorySql::HerbNames(kLink, current, DescriptionNamesLanguage()));
        if (!herbs.isEmpty())
            writer.linkList(QStringLiteral("Seznam bylin"), herbs);
        writer.applyFontName();
        m_form.RtfTemp->setTextRTF(writer.rtf());
    } catch (...) {
        ReportFailure(kDescriptionFailure);
    }
}

void IndicationBrowser::BylinySInd() {
    ListHerbsOfShownItem(m_form, m_form.CurrentInd, CategorySql::HerbsWithItem(kLink, m_form.CurrentInd),
                         kOne);
}

void IndicationBrowser::NastavTbInd() {
    m_toolbar.setEnabled(QStringLiteral("Select"), m_top.selected() || m_sub.selected());
    m_toolbar.setEnabled(QStringLiteral("SelectMore"), m_top.anyChecked() || m_sub.anyChecked());
}

void IndicationBrowser::mnuIndOznac_Click() {
    if (ToggleSelectedMark(activeList()))
        NastavTbInd();
}

} // namespace lumo
