#pragma once

#include "browsers/BrowserErrors.h"
#include "browsers/CategorySql.h"
#include "browsers/MarkRules.h"

#include <QString>

#include <vector>

class QToolBar;
class QTreeWidget;

namespace lumo {

class FrmMain;

// Everything in which the members of the category browser family differ: their tables,
// the window's controls and state they use, and their texts.
struct CategoryMember {
    const char* suffix; // of the procedure names: "UL" (NactiNazvyUL, LvUL_DblClick, ...)
    QString entity;
    CategorySql::Link link;
    QTreeWidget* FrmMain::*list;
    QToolBar* FrmMain::*toolbar;
    long listMode;
    MarkFamily family;
    long FrmMain::*current;
    std::vector<long> FrmMain::*marks;
    long FrmMain::*markCount;

    // Condition captions of the searches on the selected, the marked and all items.
    QString selectedCaption, markedCaption, allCaption;

    // The popup menu and its items: mark, separator, selected, marked, all, all herbs.
    const char* menuName;
    const char* menuItemNames[6];
    QString actCaption, selCaption, allItemsCaption;
    // Tool tips of the buttons "Select", "SelectMore", "SelectAll".
    QString selectTip, moreTip, allTip;

    LoadReport perHerbFailure, allEmpty, allFailure, descriptionFailure;
};

const CategoryMember& ActiveSubstances();
const CategoryMember& IndicationGroups();
const CategoryMember& Combinations();

} // namespace lumo
