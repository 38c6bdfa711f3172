#include "browsers/CategoryBrowser.h"

#include "browsers/CategoryMember.h"
#include "browsers/DescriptionWriter.h"
#include "browsers/MainListSteps.h"
#include "core/AppContext.h"
#include "mainwindow/FrmMain.h"
#include "platform/db/Recordset.h"
#include "platform/ui/RichTextBox.h"

#include <QMenu>
#include <QToolBar>
#include <QTreeWidget>

namespace lumo {

namespace {

const QString kHerbList = QStringLiteral("Seznam bylin");

} // namespace

CategoryBrowser::CategoryBrowser(FrmMain& form, const CategoryMember& member)
    : QObject(&form), m_form(form), m_member(member), m_list(form, form.*member.list, true),
      m_toolbar(form.*member.toolbar, QStringLiteral("Tb") + QString::fromLatin1(member.suffix)) {
    m_spec = {member.link,
              member.selectedCaption,
              member.markedCaption,
              member.allCaption,
              member.family,
              [this](const std::vector<long>& ids) {
                  StoreMarks(m_form.*m_member.marks, m_form.*m_member.markCount, ids);
              }};
    m_list.list()->setHeaderLabels({QStringLiteral("Název")});
    createMenu();
    ConnectSearchPage(
        form,
        {m_list, m_toolbar, m_menu, m_markItem, [this](int mode) { Hledej(mode); }, [this] { NastavTb(); }},
        member.selectTip, member.moreTip, member.allTip);
}

void CategoryBrowser::createMenu() {
    m_menu = new QMenu(&m_form);
    m_menu->setObjectName(QString::fromLatin1(m_member.menuName));
    const char* const* names = m_member.menuItemNames;
    m_markItem = AddMenuItem(m_menu, names[0], QStringLiteral("Označit"), [this] { Oznac(); });
    m_menu->addSeparator()->setObjectName(QString::fromLatin1(names[1]));
    AddMenuItem(m_menu, names[2], m_member.actCaption, [this] { Hledej(SearchSelected); });
    AddMenuItem(m_menu, names[3], m_member.selCaption, [this] { Hledej(SearchMarked); });
    AddMenuItem(m_menu, names[4], m_member.allItemsCaption, [this] { Hledej(SearchAll); });
    AddMenuItem(m_menu, names[5], QStringLiteral("Všechny byliny"),
                [this] { m_form.NactiNazvy(QString(), 0); });
}

long& CategoryBrowser::current() {
    return m_form.*m_member.current;
}

void CategoryBrowser::Nacti(long herb) {
    m_list.clear();
    try {
        db::Recordset rs;
        OpenQuery(rs, CategorySql::PerHerb(m_member.entity, m_member.link, herb));
        const std::vector<long>& marks = m_form.*m_member.marks;
        const long markCount = m_form.*m_member.markCount;
        for (; !rs.eof(); rs.moveNext()) {
            const long id = rs.field(QStringLiteral("Idx")).toLong();
            m_list.add(id, rs.field(QStringLiteral("Nazev")).str(), IsMarked(marks, markCount, id));
        }
        rs.close();
    } catch (...) {
        ReportFailure(m_member.perHerbFailure);
    }
}

void CategoryBrowser::Hledej(int mode) {
    RunCategorySearch(m_form, m_list, m_spec, mode);
}

void CategoryBrowser::NactiNazvy(const QString& sql) {
    ListEntityItems(m_form, m_member.listMode, m_member.entity, sql, current(), m_member.allEmpty,
                    m_member.allFailure, [this] { Ukaz(); });
}

void CategoryBrowser::Ukaz() {
    ShowMainListItem(m_form, current(), [this] { NactiPopis(); });
}

void CategoryBrowser::NactiPopis() {
    try {
        DescriptionWriter writer(App().Settings);
        db::Recordset rs;
        OpenQuery(rs, CategorySql::Item(m_member.entity, current()));
        if (!rs.eof())
            writer.title(rs.field(QStringLiteral("Nazev")).str(), rs.field(QStringLiteral("Popis")).str());
        rs.close();
        const QStringList names = ReadHerbNames(
            m_form, CategorySql::HerbNames(m_member.link, current(), DescriptionNamesLanguage()));
        if (!names.isEmpty()) {
            writer.linkList(kHerbList, names);
            writer.applyFontName();
        }
        m_form.RtfTemp->setTextRTF(writer.rtf());
    } catch (...) {
        ReportFailure(m_member.descriptionFailure);
    }
}

void CategoryBrowser::BylinyS() {
    ListHerbsOfShownItem(m_form, current(), CategorySql::HerbsWithItem(m_member.link, current()),
                         m_member.selectedCaption);
}

void CategoryBrowser::NastavTb() {
    SetSearchButtons(m_toolbar, m_list);
}

void CategoryBrowser::Oznac() {
    if (ToggleSelectedMark(m_list))
        NastavTb();
}

} // namespace lumo
