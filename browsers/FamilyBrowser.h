#pragma once

#include <QObject>

namespace lumo {

class FrmMain;

// The botanical families in the main list: the chosen family's description with its herbs,
// and the herbs of the family.
class FamilyBrowser : public QObject {
public:
    explicit FamilyBrowser(FrmMain& form);

    void NactiCeledi();
    void UkazCeledi();
    void NactiPopisCeledi();
    void BylinySCeledi();

private:
    FrmMain& m_form;
};

} // namespace lumo
