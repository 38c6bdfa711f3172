#pragma once

#include "browsers/CategorySearch.h"
#include "browsers/CheckList.h"
#include "browsers/SearchToolbar.h"

#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace lumo {

class FrmMain;

// The collection calendar: the shown herb's plant parts (LvCast) and the months the chosen
// part is collected in (LvMesic, marked months checked), the twelve months in the main list
// with the herbs collected in the chosen one, and the herb search by marked months.
class CalendarBrowser : public QObject {
public:
    explicit CalendarBrowser(FrmMain& form);

    CheckList& months() { return m_months; }
    SearchToolbar& toolbar() { return m_toolbar; }
    QMenu* menu() const { return m_menu; }

    // The herb's parts; the months of the first one.
    void NactiSber(long herb);
    // The months in which a herb's part is collected.
    void NactiMesiceSberu(long herb, long part);
    // Mode 1 the selected month, 2 the marked months, 3 every month of the list.
    void HledejSber(int mode);
    void HledejSberVse() { HledejSber(SearchAll); }
    // The twelve months in the main list.
    void NactiNazvySber();
    // Describes the month selected in the main list.
    void NactiPopisSber();
    // " (" + the parts of a herb collected in a month + ")", or "".
    QString SbiraneCasti(long herb, long month);
    void BylinySSber();
    void NastavTbSber();
    void mnuSberOznac_Click();
    void LvCast_Click();

private:
    void createMenu();
    void storeMarks(const std::vector<long>& ids);
    bool isMarked(long month) const;

    FrmMain& m_form;
    CheckList m_parts;
    CheckList m_months;
    SearchToolbar m_toolbar;
    SearchSpec m_spec;
    QMenu* m_menu = nullptr;
    QAction* m_markItem = nullptr;
};

} // namespace lumo
