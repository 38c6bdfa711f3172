#pragma once

#include <QObject>
#include <QString>

class QMenu;
class QAction;

namespace lumo {

class FrmMain;
class CheckList;
class SearchToolbar;

// The preparations: the shown herb's preparations on their page (name and AISLP code), the
// herbs of one, AISLP's program started on one, and every preparation in the main list
// (list mode 4) with its description, in which the AISLP article is rendered when the link
// is connected.
class PreparationBrowser : public QObject {
public:
    explicit PreparationBrowser(FrmMain& form);

    // The one on a window (created on first use).
    static PreparationBrowser& Install(FrmMain& form);

    void NactiPripravky(long herb);
    void NastavTbPrip();
    void mnuPripByl_Click();
    void mnuPripAISLP_Click();
    void NactiNazvyPrip(const QString& Sql);
    void UkazPrip();
    void NactiPopisPrip();
    void BylinySPrip();

    CheckList& list() const { return *m_list; }
    SearchToolbar& toolbar() const { return *m_toolbar; }
    QMenu* mnuPrip = nullptr;

private:
    bool onKeyDown(int keyCode, int shift);

    FrmMain& m_form;
    CheckList* m_list = nullptr;
    SearchToolbar* m_toolbar = nullptr;
    bool m_describing = false;
};

} // namespace lumo
