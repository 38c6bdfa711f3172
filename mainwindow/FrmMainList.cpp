#include "mainwindow/FrmMain.h"

#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "mainwindow/FrmMainKeys.h"
#include "mainwindow/HerbListFiller.h"
#include "mainwindow/HerbListItem.h"
#include "mainwindow/HerbRecordView.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QTreeWidget>

namespace lumo {

namespace {

const QString kNotFound = QStringLiteral("Název nenalezen");
const QString kNamesTitle = QStringLiteral("Nelze načíst názvy bylin");
const QString kLanguagesTitle = QStringLiteral("Nelze načíst informace o podporovaných jazycích");

db::Connection& connection() {
    db::Connection* c = App().DbConnection.get();
    if (!c)
        err::Raise(err::errObjectNotSet);
    return *c;
}

} // namespace

void FrmMain::reportError(int number, const QString& message, const QString& title, const QString& location,
                          bool runTime) {
    CKelErr* errObj = App().ErrObj.get();
    if (!errObj)
        return;
    if (!runTime) {
        errObj->ErrView(number, message, title, location);
        return;
    }
    const err::ErrorRecord& e = err::CurrentError();
    errObj->ErrView(number, err::SystemText(message, e), title, location + e.Description);
}

void FrmMain::NactiJazyky() {
    Languages.clear();
    try {
        db::Recordset rs;
        rs.open(connection(), HerbListFiller::LanguagesSql());
        if (rs.recordCount() > 0) {
            for (; !rs.eof(); rs.moveNext())
                Languages.push_back(
                    {rs.field(QStringLiteral("Idx")).toLong(), rs.field(QStringLiteral("Nazev")).str()});
        } else {
            reportError(7,
                        QStringLiteral("Nejsou k dispozici žádné údaje o podporovaných jazycích, "
                                       "kontaktujte technickou podporu"),
                        kLanguagesTitle, QStringLiteral("LUMO-FrmMain-NactiJazyky"), false);
        }
        rs.close();
    } catch (...) {
        err::CaptureCurrentException();
        Languages.clear();
        reportError(
            6,
            QStringLiteral("Nelze načíst informace o podporovaných jazycích, kontaktujte technickou podporu"),
            kLanguagesTitle, QStringLiteral("LUMO-FrmMain-NactiJazyky-"), true);
    }
    LangCount = static_cast<long>(Languages.size());
}

void FrmMain::NactiNazvy(const QString& Sql, long Joined, bool reshow) {
    if (m_closed)
        return;
    ListMode = 1;
    NastavTb();
    RtfTemp->hide();
    STab->show();
    Lv->clear();
    // Every all-herbs list ends the last search, whatever its names language.
    const bool allHerbs = HerbListFiller::IsAllHerbsSql(Sql);
    if (allHerbs) {
        setPanelText(QStringLiteral("Podminka"), QString());
        // The marks only: the shown herb keeps its pictures.
        MarkedULCount = MarkedIndSkCount = MarkedIndCount = MarkedKombCount = MarkedMonthsCount = 0;
    }
    const auto rows = readHerbRows(Sql, allHerbs, Joined);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows->size()));
    QTreeWidgetItem* current = nullptr;
    for (const HerbListRow& row : *rows) {
        auto* item = new HerbListItem(row.Nazev, row.Idx);
        // A herb listed under several names (folk names) keeps the name it is shown under.
        if (row.Idx == CurrentHerb &&
            (!current || (current->text(0) != CurrentHerbName && row.Nazev == CurrentHerbName)))
            current = item;
        items.append(item);
    }
    Lv->addTopLevelItems(items);
    if (current)
        selectListItem(current);
    if (!Activated) {
        PrvniZalozka();
        // The herb shown stays selected in the new list; show it again, which also brings
        // a new search expression into its record.
        if (current && reshow) {
            UkazVybrane();
            // After a view command the box has the focus and still holds the last view's text:
            // it names the herb shown again, as the list and the record do.
            QTreeWidgetItem* shown = selectedListItem();
            if (shown && listId(shown) == CurrentHerb &&
                TxtByl->text().trimmed() != shown->text(0).trimmed()) {
                TxtByl->selectAll();
                TxtByl->insert(shown->text(0));
            }
        }
    }
}

std::shared_ptr<const std::vector<HerbListRow>> FrmMain::readHerbRows(const QString& Sql, bool allHerbs,
                                                                      long Joined) {
    const bool czechFullList = Sql.trimmed().isEmpty();
    const QString statement = czechFullList ? HerbListFiller::AllHerbsSql() : Sql;
    // The key names the database file too: a connection may be reopened on another one.
    const db::Connection* open = App().DbConnection.get();
    const QString key = (open ? open->path() : QString()) + u'\n' + statement.trimmed();
    if (allHerbs) {
        const auto cached = m_listCache.find(key);
        if (cached != m_listCache.end())
            return cached->second;
    }
    auto rows = std::make_shared<std::vector<HerbListRow>>();
    try {
        const long count = HerbListFiller::ReadRows(connection(), statement, Joined != 0, *rows);
        if (czechFullList && count == 0)
            reportError(3, QStringLiteral("Databáze neobsahuje názvy bylin, kontaktujte technickou podporu"),
                        kNamesTitle, QStringLiteral("LUMO-FrmMain-NactiNazvy"), false);
    } catch (...) {
        err::CaptureCurrentException();
        reportError(2, QStringLiteral("Nelze načíst názvy bylin, kontaktujte technickou podporu"),
                    kNamesTitle, QStringLiteral("LUMO-FrmMain-NactiNazvy-"), true);
        return rows; // the rows read before the failure are listed, not kept
    }
    if (allHerbs && !rows->empty())
        m_listCache[key] = rows;
    return rows;
}

void FrmMain::NactiSeznamBylin(bool reshow) {
    const long language = HerbListFiller::NamesLanguage(App().Settings.NamesLang);
    if (language == 1)
        NactiNazvy(QString(), 0, reshow);
    else
        NactiNazvy(HerbListFiller::NamesLanguageSql(language), 1, reshow);
}

void FrmMain::PrepareSearch() {
    if (m_closed)
        return;
    refreshListIndex();
    if (!m_search.foreignLoaded())
        loadForeignNames(false);
}

bool FrmMain::loadForeignNames(bool report) {
    try {
        m_search.setForeignNames(HerbListFiller::ReadForeignNames(connection()));
        return true;
    } catch (...) {
        err::CaptureCurrentException();
        if (!report)
            return false;
        reportError(
            10, QStringLiteral("Nelze vyhledat alternativní název byliny, kontaktujte technickou podporu"),
            QStringLiteral("Nelze vyhledat alternativní název byliny"),
            QStringLiteral("LUMO-FrmMain-NajdiCiziNazev-"), true);
        return false;
    }
}

QString FrmMain::NajdiCiziNazev(const QString& Text) {
    // The names are read once; typed text is only ever compared, never put into a statement.
    if (!m_search.foreignLoaded() && !loadForeignNames())
        return {};
    const std::optional<ForeignName> found = m_search.findForeign(Text);
    if (!found)
        return {};
    CurrentHerb = found->IdxByliny;
    return found->Nazev;
}

void FrmMain::UkazVybrane() {
    if (ListMode == 1) {
        UkazBylinu();
        return;
    }
    if (ListMode >= 2 && ListMode <= 9 && Hooks.ShowItem[static_cast<size_t>(ListMode)])
        Hooks.ShowItem[static_cast<size_t>(ListMode)]();
}

void FrmMain::setRecordView(std::unique_ptr<HerbRecordView> view) {
    m_recordView = std::move(view);
}

void FrmMain::UkazBylinu() {
    if (m_recordView)
        m_recordView->UkazBylinu();
    else
        showSelectedHerbPlain();
}

// Without a record view the herb is only made current, as the record composer expects.
void FrmMain::showSelectedHerbPlain() {
    QTreeWidgetItem* item = selectedListItem();
    if (!item) {
        TxtByl->clear();
        CurrentHerb = 0;
        RtfByl->setText(QString());
        return;
    }
    CurrentHerb = listId(item);
    CurrentHerbName = item->text(0);
    RtfByl->setSelStart(0);
    if (focusWidget() != TxtByl)
        TxtByl->setText(CurrentHerbName);
    RefillHerbLists(CurrentHerb);
}

void FrmMain::RefillHerbLists(long Idx) {
    for (const auto& loader : Hooks.HerbListLoaders) {
        if (loader)
            loader(Idx);
    }
}

QTreeWidgetItem* FrmMain::addListItem(const QString& key, const QString& text) {
    auto* item = new QTreeWidgetItem(Lv, QStringList{text});
    item->setData(0, Qt::UserRole, key);
    return item;
}

void FrmMain::refreshListIndex() {
    if (m_search.listValid())
        return;
    const int n = Lv->topLevelItemCount();
    QStringList texts, keys;
    texts.reserve(n);
    keys.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QTreeWidgetItem* item = Lv->topLevelItem(i);
        texts << item->text(0);
        keys << listKey(item);
    }
    m_search.setList(texts, keys);
}

QTreeWidgetItem* FrmMain::findListKey(const QString& key) const {
    const_cast<FrmMain*>(this)->refreshListIndex();
    const int row = m_search.rowOfKey(key);
    return row >= 0 ? Lv->topLevelItem(row) : nullptr;
}

QTreeWidgetItem* FrmMain::selectedListItem() const {
    const QList<QTreeWidgetItem*> selected = Lv->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void FrmMain::selectListItem(QTreeWidgetItem* item, bool scroll) {
    if (!item)
        return;
    Lv->setCurrentItem(item);
    if (scroll)
        Lv->scrollToItem(item);
}

QString FrmMain::listKey(const QTreeWidgetItem* item) {
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

long FrmMain::listId(const QTreeWidgetItem* item) {
    return listKey(item).mid(1).toLong();
}

void FrmMain::setSearchBoxColors(BoxColors colors) {
    QPalette p = TxtByl->palette();
    p.setColor(QPalette::Base, ui::OleToColor(colors.back));
    p.setColor(QPalette::Text, ui::OleToColor(colors.fore));
    TxtByl->setPalette(p);
}

BoxColors FrmMain::searchBoxColors() const {
    const QPalette& p = TxtByl->palette();
    return {ui::ColorToOle(p.color(QPalette::Base)), ui::ColorToOle(p.color(QPalette::Text))};
}

void FrmMain::TxtByl_Change() {
    if (m_closed)
        return;
    try {
        refreshListIndex();
        const QString text = TxtByl->text();
        const int row = m_search.findInList(text);
        if (row >= 0) {
            QTreeWidgetItem* item = Lv->topLevelItem(row);
            // Items of the same text (one folk name of two herbs) all match: the one selected
            // stays, so that the list, the box and the record name one herb.
            QTreeWidgetItem* selected = selectedListItem();
            if (selected && selected != item &&
                FoldName(selected->text(0).trimmed()) == FoldName(item->text(0).trimmed()))
                item = selected;
            selectListItem(item);
            setSearchBoxColors(SearchBoxColors(SearchBoxState::Normal));
            setPanelText(QStringLiteral("Popis"), ListMode == 1 ? CurrentHerbName : item->text(0));
            return;
        }
        if (ListMode == 1) {
            const QString name = NajdiCiziNazev(text);
            if (!name.trimmed().isEmpty()) {
                setPanelText(QStringLiteral("Popis"), name);
                QTreeWidgetItem* item = findListKey(QStringLiteral("K") + QString::number(CurrentHerb));
                selectListItem(item);
                setSearchBoxColors(
                    SearchBoxColors(item ? SearchBoxState::ForeignInList : SearchBoxState::ForeignNotInList));
                return;
            }
        }
        setSearchBoxColors(SearchBoxColors(SearchBoxState::NotFound));
        setPanelText(QStringLiteral("Popis"), kNotFound);
    } catch (...) {
        // The search box never reports; whatever failed is skipped.
    }
}

void FrmMain::clearCurrentOfMode() {
    long* const current[10] = {nullptr,     &CurrentHerb, &CurrentUL,    &CurrentIndSk, &CurrentPrip,
                               &CurrentInd, &CurrentKomb, &CurrentMonth, &CurrentCeled, nullptr};
    if (ListMode >= 1 && ListMode <= 9 && current[ListMode])
        *current[ListMode] = 0;
}

void FrmMain::moveListSelection(int KeyCode) {
    const int count = Lv->topLevelItemCount();
    if (count == 0)
        return;
    QTreeWidgetItem* item = selectedListItem();
    const int row = item ? Lv->indexOfTopLevelItem(item) : 0;
    const int rowHeight = std::max(1, Lv->visualItemRect(Lv->topLevelItem(row)).height());
    const int page = std::max(1, Lv->viewport()->height() / rowHeight - 1);
    int target = row;
    if (KeyCode == vbKeyUp)
        target = row - 1;
    else if (KeyCode == vbKeyPageUp)
        target = row - page;
    else if (KeyCode == vbKeyPageDown)
        target = row + page;
    selectListItem(Lv->topLevelItem(std::clamp(target, 0, count - 1)));
}

bool FrmMain::TxtByl_KeyDown(int KeyCode, int Shift) {
    if (Shift != 0)
        return false;
    if (KeyCode == vbKeyReturn || KeyCode == vbKeyDown) {
        Lv->setFocus();
        clearCurrentOfMode(); // shown again even when it is the item already shown
        // A refilled list without the item shown selects nothing: its first item, the one a
        // blank search would take, is shown, so that list, box and record name one item.
        if (!selectedListItem())
            selectListItem(Lv->topLevelItem(0));
        UkazVybrane();
        return true;
    }
    if (KeyCode == vbKeyUp || KeyCode == vbKeyPageUp || KeyCode == vbKeyPageDown) {
        Lv->setFocus();
        moveListSelection(KeyCode);
        // As a key let go in the list: shown only when there is an item to show.
        if (selectedListItem())
            UkazVybrane();
        return true;
    }
    return false;
}

void FrmMain::TxtByl_Click() {
    if (TxtByl->cursorPosition() == TxtByl->text().size() && !TxtByl->hasSelectedText())
        TxtByl->selectAll();
}

void FrmMain::TxtByl_LostFocus() {
    if (CKelSrv* srv = App().SrvObj.get())
        srv->TBoxLostFocus(TxtByl, 0xFFFFFF, 0);
    else
        setSearchBoxColors(SearchBoxColors(SearchBoxState::Normal));
}

bool FrmMain::Lv_KeyDown(int KeyCode, int Shift) {
    if (KeyCode == vbKeyReturn && Shift == 0) {
        if (ListMode >= 2 && ListMode <= 8) {
            if (Hooks.HerbsWithItem[static_cast<size_t>(ListMode)])
                Hooks.HerbsWithItem[static_cast<size_t>(ListMode)]();
        } else if (ListMode == 1) {
            if (tabIndex() == 0)
                RtfByl->setFocus();
            else
                PrvniZalozka();
        }
        CurrentTab = tabIndex() + 1;
        NastavTb();
        return true;
    }
    if (KeyCode == vbKeyPageUp || KeyCode == vbKeyPageDown || KeyCode == vbKeyUp || KeyCode == vbKeyDown) {
        KeyNavigation = true;
        return false;
    }
    if (KeyCode == vbKeyLeft || KeyCode == vbKeyRight) {
        // On the pictures page Left and Right step through the pictures, wrapping at the ends
        // where the toolbar's Prev and Next are off.
        if (tabIndex() == 3) {
            const auto& step = KeyCode == vbKeyLeft ? Hooks.PicturePrev : Hooks.PictureNext;
            if (step)
                step();
        }
        return true; // never moves the list
    }
    return false;
}

void FrmMain::Lv_KeyUp(int KeyCode, int Shift) {
    if (!selectedListItem()) {
        // Nothing to show, and nothing pending: the next click in a refilled list counts.
        KeyNavigation = false;
        return;
    }
    if (KeyCode == vbKeyUp && Shift == vbCtrlMask) {
        focusSearchBox();
    } else if (KeyNavigation) {
        // A held arrow only moves the selection; the item is shown once the key is let go.
        KeyNavigation = false;
        UkazVybrane();
    }
}

// Home, End and the list's type-ahead select an item as a click does; the arrows and page
// keys show theirs through Lv_KeyUp.
void FrmMain::Lv_KeySelection(int key, bool navigating) {
    // Ctrl let go before End (Ctrl+End) leaves End's choice pending.
    if (IsModifierKey(key))
        return;
    const bool pending = key != 0 && key == m_lvKey;
    QTreeWidgetItem* const before = m_lvKeyItem;
    m_lvKey = 0;
    m_lvKeyItem = nullptr;
    QTreeWidgetItem* item = selectedListItem();
    if (!pending || navigating || !item || item == before)
        return;
    RightClick = false; // a key never opens the popup menu
    Lv_ItemClick(item);
}

void FrmMain::Lv_Click() {
    ForceLoad = true;
    if (QTreeWidgetItem* item = selectedListItem()) {
        const QString text = item->text(0);
        TxtByl->setText(text);
        TxtByl->setSelection(0, static_cast<int>(text::rightTrimBlanks(text).size()));
    }
}

void FrmMain::Lv_ItemClick(QTreeWidgetItem* item) {
    if (KeyNavigation || !item)
        return;
    selectListItem(item, false);
    if (ListMode == 1) {
        ForceLoad = true;
        UkazBylinu();
        if (RightClick) {
            RightClick = false;
            PopupHerbMenu(QCursor::pos());
        }
    } else if (ListMode >= 2 && ListMode <= 8) {
        if (Hooks.ShowItem[static_cast<size_t>(ListMode)])
            Hooks.ShowItem[static_cast<size_t>(ListMode)]();
        RightClick = false;
    }
}

void FrmMain::Lv_DblClick() {
    if (ListMode >= 2 && ListMode <= 8 && Hooks.HerbsWithItem[static_cast<size_t>(ListMode)])
        Hooks.HerbsWithItem[static_cast<size_t>(ListMode)]();
    CurrentTab = tabIndex() + 1;
    NastavTb();
}

} // namespace lumo
