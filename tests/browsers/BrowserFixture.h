#pragma once

#include "mainwindow/FrmMainFixture.h"

#include <QString>
#include <QStringList>

class QTreeWidget;

namespace lumo {
class Browsers;
}

namespace lumo::test {

// The real schema with a few Czech rows in every category:
// herbs 1 Heřmánek, 2 Chmel, 3 Černucha, 4 Cibule, 5 Šalvěj (English names for 1, 2, 5 and a
// blank one for 3; families 1 Hvězdnicovité for 1, 3, 5 and 2 Konopovité for 2);
// active substances 10 Silice (1, 2, 3, 5), 11 Flavonoidy (1, 3, 5), 12 Třísloviny (5);
// indication groups 20 Trávení (1, 5), 21 Dýchání (2); combinations 40 Čajová směs (1, 5);
// parts 20 kořen, 21 list, 22 květ collected (herb, part, month) (1,20,3), (1,22,3),
// (1,22,5), (3,20,3), (5,21,5); indications 30 Zažívací potíže, 31 Nadýmání (under 30),
// 32 Průjem (under 30), 33 Kašel linked (1,30), (1,31), (1,33), (2,30), (2,32), (3,33);
// two literature entries. Every description ends with a line break.
QStringList CategoryDatabase();

// The window with the browsers installed on CategoryDatabase (herb list as the record view
// records it).
class BrowserFixture : public FrmMainFixture {
protected:
    void loadBrowsers(const QStringList& statements = CategoryDatabase());
    // Makes a herb current and refills the per-herb lists, as a composed record does.
    void showHerb(long idx);
    // Texts of a list's items in order.
    static QStringList texts(const QTreeWidget* list);
    // Texts of a list's checked items in order.
    static QStringList checkedTexts(const QTreeWidget* list);
    // Selects a list's item by its text (no events).
    static void select(QTreeWidget* list, const QString& text);
    // Checks a list's item as a click on its check box does.
    static void check(QTreeWidget* list, const QString& text, bool on = true);
    QString condition() const;
    // Selects the main list's item by its text and shows it as a click does.
    void choose(const QString& text);

    Browsers* browsers = nullptr;
};

} // namespace lumo::test
