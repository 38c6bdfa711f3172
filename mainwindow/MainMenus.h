#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;

namespace lumo {

class FrmMain;
class FullTextPanel;

// The menu bar and the main toolbar Tb of the main window, and the commands behind them.
class MainMenus : public QObject {
    Q_OBJECT
public:
    MainMenus(FrmMain& form, FullTextPanel& search);

    // The item of a menu by name ("mnuByliny", "mnuProfil3" for profile item index 3); null
    // when there is none.
    QAction* item(const QString& name) const;
    QMenu* menu(const QString& name) const;

    // After the window's load: profile items from the profile menu state, the AISLP item, the
    // interface language marked.
    void NactiMenu();
    // The menu captions in the current interface language, from the database.
    void NactiTextyOkna();

    // --- toolbar (by button key) ---
    void Tb_ButtonClick(const QString& Key);
    void Tb_ButtonMenuClick(const QString& Key);

    // --- commands (MainMenusCommands.cpp) ---
    void mnuByliny_Click();
    // The category views: list mode 2..8 through the browsers' all-items fillers.
    void ShowCategoryView(int listMode);
    void mnuKonec_Click();
    void mnuVytisknout_Click();
    void mnuNahled_Click();
    void mnuSetupTisk_Click();
    void mnuSelect_Click();
    void mnuFullText_Click();
    void mnuNastaveni_Click();
    void mnuCestina_Click();
    void mnuSlovenstina_Click();
    void mnuProfil_Click(int Index);
    void mnuAISLP_Click();
    void mnuObsah_Click();
    void mnuIndex_Click();
    // Licence.rtf, Zmeny.rtf and Literatura.rtf in the preview.
    void ShowDocument(const QString& fileName, const QString& handler);
    void mnuPodpora_Click();
    void mnuAbout_Click();

    // The support mail's address and the mail URL of a user and version (percent-encoded).
    static QString SupportAddress();
    static QString SupportMailUrl(const QString& userName, const QString& version);

    // The desktop's mail handler (tests replace it).
    std::function<bool(const QString& url)> OpenUrl;

private:
    void createMenus();
    void createToolbar();
    QAction* addItem(QMenu* menu, const char* name, const char* caption, const char* shortcut,
                     const std::function<void()>& command);
    void afterView();
    void showHelp(long command, long context, int number, const QString& handler);
    void setLanguage(int language);
    void checkLanguage(int language);

    FrmMain& m_form;
    FullTextPanel& m_search;
};

} // namespace lumo
