#include "browsers/CalendarBrowser.h"

#include "browsers/BrowserErrors.h"
#include "browsers/DescriptionWriter.h"
#include "browsers/MainListSteps.h"
#include "core/AppContext.h"
#include "mainwindow/FrmMain.h"
#include "platform/db/Recordset.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/ui/RichTextBox.h"

#include <QLineEdit>
#include <QMenu>
#include <QTreeWidget>

#include <algorithm>

namespace lumo {

namespace {

const char* const kMessage = "Nelze načíst sběr, kontaktujte technickou podporu";
const char* const kTitle = "Nelze načíst sběr";
const LoadReport kPartsFailure{36, kMessage, kTitle, "LUMO-FrmMain-NactiSber-"};
const LoadReport kMonthsFailure{37, kMessage, kTitle, "LUMO-FrmMain-NactiMesiceSberu-"};
const LoadReport kDescriptionFailure{37, kMessage, kTitle, "LUMO-FrmMain-NactiPopisSber-"};
const LoadReport kPartsInMonthFailure{36, kMessage, kTitle, "LUMO-FrmMain-SbiraneCasti-"};
// The list's error for a key it already holds.
constexpr long kKeyNotUnique = 35602;
const CategorySql::Link kSber{QStringLiteral("Sber"), QStringLiteral("Mesic")};

QString monthName(long month) {
    return App().MonthNames.value(month);
}

} // namespace

CalendarBrowser::CalendarBrowser(FrmMain& form)
    : QObject(&form), m_form(form), m_parts(form, form.LvCast, false), m_months(form, form.LvMesic, true),
      m_toolbar(form.TbSber, QStringLiteral("TbSber")) {
    m_spec = {kSber,
              QStringLiteral("Byliny sbírané v měsíci "),
              QStringLiteral("Byliny sbírané v měsících "),
              QStringLiteral("Byliny sbírané v měsících "),
              MarkFamily::Months,
              [this](const std::vector<long>& ids) { storeMarks(ids); }};
    form.LvCast->setHeaderLabels({QStringLiteral("Název části")});
    form.LvMesic->setHeaderLabels({QStringLiteral("Měsíc sběru")});
    createMenu();
    ConnectSearchPage(form,
                      {m_months, m_toolbar, m_menu, m_markItem, [this](int mode) { HledejSber(mode); },
                       [this] { NastavTbSber(); }},
                      QStringLiteral("Vyhledá byliny pro vybraný měsíc sběru"),
                      QStringLiteral("Vyhledá byliny pro označené měsíce sběru"),
                      QStringLiteral("Vyhledá byliny pro všechny měsíce sběru"));
    // A part chosen with the mouse or the keys shows its months; fills choose nothing.
    // Its handler is LvCast_Click, and a failure is reported under that name.
    m_parts.onSelectionChange = [this] {
        Guarded("LvCast_Click", [this] { LvCast_Click(); });
        // The months are new: what was chosen or marked among the old ones is gone.
        NastavTbSber();
    };
    m_parts.onKeyDown = [this](int keyCode, int shift) {
        if (ListKeyOf(keyCode, shift) != ListKey::ToSearchBox)
            return false;
        GoToSearchBox(m_form);
        return true;
    };
}

void CalendarBrowser::createMenu() {
    m_menu = new QMenu(&m_form);
    m_menu->setObjectName(QStringLiteral("mnuSberMes"));
    m_markItem =
        AddMenuItem(m_menu, "mnuSberOznac", QStringLiteral("Označit"), [this] { mnuSberOznac_Click(); });
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuD7"));
    AddMenuItem(m_menu, "mnuSberAct", QStringLiteral("Byliny sbírané ve vybraném měsíci"),
                [this] { HledejSber(SearchSelected); });
    AddMenuItem(m_menu, "mnuSberSel", QStringLiteral("Byliny sbírané v označených měsících"),
                [this] { HledejSber(SearchMarked); });
    AddMenuItem(m_menu, "mnuSberNone", QStringLiteral("Všechny byliny"),
                [this] { m_form.NactiNazvy(QString(), 0); });
}

void CalendarBrowser::storeMarks(const std::vector<long>& ids) {
    // Each month is listed once, so at most twelve are marked.
    const size_t n = std::min<size_t>(ids.size(), 12);
    for (size_t i = 0; i < n; ++i)
        m_form.MarkedMonths[i + 1] = static_cast<int>(ids[i]);
    m_form.MarkedMonthsCount = static_cast<long>(n);
}

bool CalendarBrowser::isMarked(long month) const {
    const long n = std::clamp<long>(m_form.MarkedMonthsCount, 0, 12);
    for (long i = 1; i <= n; ++i) {
        if (m_form.MarkedMonths[static_cast<size_t>(i)] == month)
            return true;
    }
    return false;
}

void CalendarBrowser::NactiSber(long herb) {
    m_parts.clear();
    try {
        db::Recordset rs;
        OpenQuery(rs, CategorySql::HerbParts(herb));
        if (rs.eof())
            m_months.clear();
        for (bool first = true; !rs.eof(); rs.moveNext(), first = false) {
            const long part = rs.field(QStringLiteral("IdxCast")).toLong();
            m_parts.add(part, rs.field(QStringLiteral("Nazev")).str());
            if (first)
                NactiMesiceSberu(herb, part);
        }
        rs.close();
    } catch (...) {
        ReportFailure(kPartsFailure);
    }
}

void CalendarBrowser::NactiMesiceSberu(long herb, long part) {
    m_months.clear();
    try {
        db::Recordset rs;
        OpenQuery(rs, CategorySql::PartMonths(herb, part));
        std::vector<long> seen;
        for (; !rs.eof(); rs.moveNext()) {
            const long month = rs.field(QStringLiteral("Mesic")).toLong();
            // A month out of range or listed twice is a fault of the data.
            if (month < 0 || month > 12)
                err::Raise(err::errSubscript);
            if (std::find(seen.begin(), seen.end(), month) != seen.end())
                err::Raise(kKeyNotUnique, {}, QStringLiteral("Key is not unique in collection"));
            seen.push_back(month);
            m_months.add(month, monthName(month), isMarked(month));
        }
        rs.close();
    } catch (...) {
        ReportFailure(kMonthsFailure);
    }
}

void CalendarBrowser::LvCast_Click() {
    if (QTreeWidgetItem* item = m_parts.selected())
        NactiMesiceSberu(m_form.CurrentHerb, FrmMain::listId(item));
}

void CalendarBrowser::HledejSber(int mode) {
    RunCategorySearch(m_form, m_months, m_spec, mode);
}

void CalendarBrowser::NactiNazvySber() {
    BeginItemList(m_form, 7);
    for (long month = 1; month <= 12; ++month)
        AddMainListItem(m_form, month, monthName(month), m_form.CurrentMonth);
    // As the other views do: the box, which has the focus after a view command, takes the
    // month chosen again instead of keeping the last view's item.
    m_form.Lv_Click();
    NactiPopisSber();
}

void CalendarBrowser::NactiPopisSber() {
    QTreeWidgetItem* item = m_form.selectedListItem();
    if (!item) {
        m_form.TxtByl->setText(QString());
        m_form.RtfByl->setText(QString());
        m_form.RtfTemp->setText(QString());
        return;
    }
    m_form.CurrentMonth = FrmMain::listId(item);
    const QString text = item->text(0);
    try {
        const long month = m_form.CurrentMonth;
        DescriptionWriter writer(App().Settings);
        writer.title(monthName(month), QString());
        db::Recordset rs;
        OpenQuery(rs, CategorySql::MonthHerbs(month));
        if (!rs.eof()) {
            writer.beginHerbLines();
            for (; !rs.eof(); rs.moveNext())
                writer.herbLine(rs.field(QStringLiteral("Nazev")).str(),
                                SbiraneCasti(rs.field(QStringLiteral("Idx")).toLong(), month));
            writer.applyFontName();
        }
        rs.close();
        m_form.RtfTemp->setTextRTF(writer.rtf());
    } catch (...) {
        ReportFailure(kDescriptionFailure);
    }
    // As in the other views, so that the box and the status bar name the month shown also
    // when it was reached with the arrow keys.
    PutShownItemInSearchBox(m_form, text);
}

QString CalendarBrowser::SbiraneCasti(long herb, long month) {
    try {
        const QStringList parts = ReadNames(CategorySql::PartsInMonth(herb, month));
        return parts.isEmpty() ? QString() : QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + u')';
    } catch (...) {
        ReportFailure(kPartsInMonthFailure);
        return {};
    }
}

void CalendarBrowser::BylinySSber() {
    ListHerbsOfShownItem(m_form, m_form.CurrentMonth, CategorySql::HerbsWithItem(kSber, m_form.CurrentMonth),
                         m_spec.selectedCaption);
}

void CalendarBrowser::NastavTbSber() {
    SetSearchButtons(m_toolbar, m_months);
}

void CalendarBrowser::mnuSberOznac_Click() {
    if (ToggleSelectedMark(m_months))
        NastavTbSber();
}

} // namespace lumo
