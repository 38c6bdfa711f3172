#pragma once

#include <QObject>

#include <memory>

namespace lumo {

class FrmMain;
class CategoryBrowser;
class CalendarBrowser;
class IndicationBrowser;
class FamilyBrowser;
class LiteratureBrowser;

// The browsers of one main window, owned by it.
class Browsers : public QObject {
public:
    explicit Browsers(FrmMain& form);
    ~Browsers() override;

    CategoryBrowser* UL = nullptr;
    CategoryBrowser* IndSk = nullptr;
    CategoryBrowser* Komb = nullptr;
    CalendarBrowser* Sber = nullptr;
    IndicationBrowser* Ind = nullptr;
    FamilyBrowser* Celedi = nullptr;
    LiteratureBrowser* Lit = nullptr;

private:
    void fillHooks(FrmMain& form);
};

} // namespace lumo
