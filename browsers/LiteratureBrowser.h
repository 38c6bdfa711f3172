#pragma once

#include <QObject>

namespace lumo {

class FrmMain;

// The literature in the main list with the chosen entry's description (no herbs). No
// command of the window opens it: the literature menu previews the literature document.
class LiteratureBrowser : public QObject {
public:
    explicit LiteratureBrowser(FrmMain& form);

    void NactiNazvyLit();
    void UkazLit();
    void NactiPopisLit();

private:
    FrmMain& m_form;
};

} // namespace lumo
