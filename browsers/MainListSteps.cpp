#include "browsers/MainListSteps.h"

#include "browsers/CategorySql.h"
#include "core/AppContext.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/HerbListFiller.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"

#include <QLineEdit>
#include <QTreeWidget>

namespace lumo {

void BeginItemList(FrmMain& form, long listMode) {
    form.ListMode = listMode;
    form.STab->hide();
    form.RtfTemp->show();
    form.RtfTemp->raise();
    form.Lv->clear();
}

void AddMainListItem(FrmMain& form, long id, const QString& text, long current, long oleColor) {
    QTreeWidgetItem* item = form.addListItem(QStringLiteral("K") + QString::number(id), text);
    if (oleColor >= 0)
        item->setForeground(0, ui::OleToColor(oleColor));
    if (id == current && !form.selectedListItem())
        form.selectListItem(item);
}

MainListRow EntityRow(const db::Recordset& rs) {
    return {rs.field(QStringLiteral("Idx")).toLong(), rs.field(QStringLiteral("Nazev")).str()};
}

bool FillItemList(FrmMain& form, long listMode, bool clearCondition, const QString& sql, long current,
                  const LoadReport& empty, const LoadReport& failure, const MainListRowReader& read) {
    BeginItemList(form, listMode);
    if (clearCondition)
        form.setPanelText(QStringLiteral("Podminka"), QString());
    try {
        db::Recordset rs;
        OpenQuery(rs, sql);
        if (rs.recordCount() == 0)
            ReportEmpty(empty);
        for (; !rs.eof(); rs.moveNext()) {
            const MainListRow row = read(rs);
            AddMainListItem(form, row.id, row.text, current, row.oleColor);
        }
        rs.close();
        return true;
    } catch (...) {
        ReportFailure(failure);
        return false;
    }
}

void ListEntityItems(FrmMain& form, long listMode, const QString& entity, const QString& sql, long current,
                     const LoadReport& empty, const LoadReport& failure, const std::function<void()>& show,
                     const MainListRowReader& read) {
    const bool allItems = text::rightTrimBlanks(sql).isEmpty();
    if (!FillItemList(form, listMode, allItems, allItems ? CategorySql::AllItems(entity) : sql, current,
                      empty, failure, read))
        return;
    form.Lv_Click();
    if (allItems)
        show();
}

void ShowMainListItem(FrmMain& form, long& current, const std::function<void()>& describe) {
    QTreeWidgetItem* item = form.selectedListItem();
    if (!item) {
        form.TxtByl->setText(QString());
        current = 0;
        form.RtfByl->setText(QString());
        // The description of an item no longer shown goes too.
        form.RtfTemp->setText(QString());
        return;
    }
    const QString text = item->text(0);
    current = FrmMain::listId(item);
    describe();
    form.RtfByl->setSelStart(0);
    PutShownItemInSearchBox(form, text);
}

void PutShownItemInSearchBox(FrmMain& form, const QString& text) {
    if (form.focusWidget() != form.TxtByl) {
        form.TxtByl->selectAll();
        form.TxtByl->setText(text);
    }
}

void ListHerbsOfShownItem(FrmMain& form, long current, const QString& sql, const QString& caption) {
    QTreeWidgetItem* item = form.selectedListItem();
    if (!item || current == 0)
        return;
    form.setPanelText(QStringLiteral("Podminka"), caption + item->text(0));
    form.NactiNazvy(sql, 0);
}

std::function<void(long)> RefillOnPage(FrmMain& form, size_t tab, std::function<void(long)> fill) {
    return [&form, tab, fill = std::move(fill)](long idx) {
        fill(idx);
        if (form.tabIndex() == int(tab) && form.Hooks.TabChosen[tab])
            form.Hooks.TabChosen[tab]();
    };
}

long DescriptionNamesLanguage() {
    return HerbListFiller::NamesLanguage(App().Settings.NamesLang);
}

void OpenQuery(db::Recordset& rs, const QString& sql) {
    rs.open(App().DbConnection.get(), sql);
}

QStringList ReadHerbNames(FrmMain& form, const QString& sql) {
    form.DescriptionHerbs.clear();
    db::Recordset rs;
    OpenQuery(rs, sql);
    QStringList names;
    for (; !rs.eof(); rs.moveNext()) {
        names << rs.field(QStringLiteral("Nazev")).str();
        form.DescriptionHerbs.push_back(rs.field(1).toLong());
    }
    rs.close();
    return names;
}

QStringList ReadNames(const QString& sql) {
    db::Recordset rs;
    OpenQuery(rs, sql);
    QStringList names;
    for (; !rs.eof(); rs.moveNext())
        names << rs.field(QStringLiteral("Nazev")).str();
    rs.close();
    return names;
}

} // namespace lumo
