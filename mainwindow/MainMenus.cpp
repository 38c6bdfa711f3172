#include "mainwindow/MainMenus.h"

#include "core/AppContext.h"
#include "core/LangText.h"
#include "core/Settings.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/FullTextPanel.h"
#include "platform/ui/ToolbarKeys.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace lumo {

namespace {

// The menu items whose captions come from the interface-language texts, in the order set.
struct LangCaption {
    const char* item;
    long id;
};
constexpr LangCaption kLangCaptions[] = {
    {"mnuVyber", 201},     {"mnuByliny", 202},    {"mnuUcLatky", 203},    {"mnuIndSkup", 204},
    {"mnuPripravky", 205}, {"mnuIndikace", 206},  {"mnuKombinace", 207},  {"mnuSber", 208},
    {"mnuCeledi", 209},    {"mnuKonec", 210},     {"mnuTisk", 211},       {"mnuVytisknout", 212},
    {"mnuNahled", 213},    {"mnuSetupTisk", 214}, {"mnuHledani", 215},    {"mnuSelect", 216},
    {"mnuFullText", 217},  {"mnuNastroje", 218},  {"mnuNastaveni", 219},  {"mnuJazyk", 220},
    {"mnuProfily", 221},   {"mnuObsah", 223},     {"mnuIndex", 224},      {"mnuLicence", 225},
    {"mnuZmeny", 227},     {"mnuPodpora", 228},   {"mnuLiteratura", 229}, {"mnuAbout", 230}};

// The names-language drop-down of the herbs button: key, caption, NamesLang.
struct NamesLanguage {
    const char* key;
    const char* caption;
    qint16 namesLang;
};
constexpr NamesLanguage kNamesLanguages[] = {
    {"Czech", "České názvy", 1},     {"Latin", "Latinské názvy", 2},   {"Slovak", "Slovenské názvy", 3},
    {"Deutsch", "Německé názvy", 4}, {"English", "Anglické názvy", 5}, {"Franc", "Francouzské názvy", 6},
    {"Spain", "Španělské názvy", 7}, {"Rusky", "Ruské názvy", 8},      {"Lid", nullptr, 9}};

// Main toolbar buttons in order: caption, key, tooltip (a null key is a separator).
struct ToolButton {
    const char* caption;
    const char* key;
    const char* tooltip;
};
constexpr ToolButton kToolButtons[] = {{"Byliny", "Byliny", "Výběr dle názvu byliny"},
                                       {nullptr, nullptr, nullptr},
                                       {"Úč. látky", "UL", "Výběr dle účinné látky"},
                                       {"Ind. Sk.", "IndSk", "Výběr dle indikační skupiny"},
                                       {"Přípravky", "Prip", "Výběr dle přípravku"},
                                       {"Indikace", "Indik", "Výběr dle indikace"},
                                       {"Kombinace", "Komb", "Výběr dle kombinace"},
                                       {"Sběr", "Sber", "Výběr dle měsíce sběru"},
                                       {"Čeledi", "Celed", "Výběr dle čeledi"},
                                       {nullptr, nullptr, nullptr},
                                       {"Tisk", "Tisk", "Tisk článku"},
                                       {nullptr, nullptr, nullptr},
                                       {"Najít", "Find", "Najít zadaný text"},
                                       {nullptr, nullptr, nullptr},
                                       {"Nastavení", "Setup", "Nastavení programu"},
                                       {nullptr, nullptr, nullptr},
                                       {"Nápověda", "Help", "Nápověda"}};

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The top-level menu an item belongs to.
QMenu* topMenu(QMenu* menu) {
    while (menu) {
        auto* parent = qobject_cast<QMenu*>(menu->parentWidget());
        if (!parent)
            return menu;
        menu = parent;
    }
    return nullptr;
}

} // namespace

MainMenus::MainMenus(FrmMain& form, FullTextPanel& search) : QObject(&form), m_form(form), m_search(search) {
    setObjectName(QStringLiteral("MainMenus"));
    createMenus();
    createToolbar();
}

QAction* MainMenus::item(const QString& name) const {
    return m_form.findChild<QAction*>(name);
}

QMenu* MainMenus::menu(const QString& name) const {
    return m_form.findChild<QMenu*>(name);
}

QAction* MainMenus::addItem(QMenu* menu, const char* name, const char* caption, const char* shortcut,
                            const std::function<void()>& command) {
    auto* action = new QAction(utf8(caption), menu);
    action->setObjectName(QString::fromLatin1(name));
    if (shortcut)
        action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    menu->addAction(action);
    // A disabled menu's items do nothing, also through their shortcuts.
    QMenu* top = topMenu(menu);
    connect(action, &QAction::triggered, this, [top, command] {
        if (top->menuAction()->isEnabled() && command)
            command();
    });
    return action;
}

void MainMenus::createMenus() {
    QMenuBar* bar = m_form.menuBar();
    const auto newMenu = [](QWidget* parent, const char* name, const char* caption) {
        auto* m = new QMenu(utf8(caption), parent);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    QMenu* vyber = newMenu(bar, "mnuVyber", "Výběr");
    bar->addMenu(vyber);
    addItem(vyber, "mnuByliny", "Byliny", "Ctrl+F1", [this] { mnuByliny_Click(); });
    const char* const views[][3] = {
        {"mnuUcLatky", "Účinné látky", "Ctrl+F2"}, {"mnuIndSkup", "Indikační skupiny", "Ctrl+F3"},
        {"mnuPripravky", "Přípravky", "Ctrl+F4"},  {"mnuIndikace", "Indikace", "Ctrl+F5"},
        {"mnuKombinace", "Kombinace", "Ctrl+F6"},  {"mnuSber", "Sběr", "Ctrl+F7"},
        {"mnuCeledi", "Čeledi", "Ctrl+F8"}};
    for (int i = 0; i < 7; ++i)
        addItem(vyber, views[i][0], views[i][1], views[i][2], [this, i] { ShowCategoryView(i + 2); });
    vyber->addSeparator()->setObjectName(QStringLiteral("mnuD1"));
    addItem(vyber, "mnuKonec", "&Konec", nullptr, [this] { mnuKonec_Click(); });

    QMenu* tisk = newMenu(bar, "mnuTisk", "Tisk");
    bar->addMenu(tisk);
    addItem(tisk, "mnuVytisknout", "Tisk článku", "Ctrl+P", [this] { mnuVytisknout_Click(); });
    addItem(tisk, "mnuNahled", "Náhled tisku", nullptr, [this] { mnuNahled_Click(); });
    addItem(tisk, "mnuSetupTisk", "Nastavení tiskárny", nullptr, [this] { mnuSetupTisk_Click(); });

    QMenu* hledani = newMenu(bar, "mnuHledani", "Hledání");
    bar->addMenu(hledani);
    addItem(hledani, "mnuSelect", "Dle &podmínky", nullptr, [this] { mnuSelect_Click(); })->setVisible(false);
    addItem(hledani, "mnuFullText", "V textu", "Ctrl+F", [this] { mnuFullText_Click(); });

    QMenu* nastroje = newMenu(bar, "mnuNastroje", "Nástroje");
    bar->addMenu(nastroje);
    addItem(nastroje, "mnuNastaveni", "Nastavení", nullptr, [this] { mnuNastaveni_Click(); });
    QMenu* jazyk = newMenu(nastroje, "mnuJazyk", "Jazyk");
    nastroje->addMenu(jazyk);
    QAction* cestina = addItem(jazyk, "mnuCestina", "Čeština", nullptr, [this] { mnuCestina_Click(); });
    cestina->setCheckable(true);
    cestina->setChecked(true);
    QAction* slovenstina =
        addItem(jazyk, "mnuSlovenstina", "Slovenčina", nullptr, [this] { mnuSlovenstina_Click(); });
    slovenstina->setCheckable(true);
    slovenstina->setEnabled(false);
    addItem(jazyk, "mnuDeutsch", "Deutsch", nullptr, nullptr)->setEnabled(false);
    addItem(jazyk, "mnuEnglish", "English", nullptr, nullptr)->setEnabled(false);
    QMenu* profily = newMenu(nastroje, "mnuProfily", "&Profily");
    nastroje->addMenu(profily);
    for (int i = 0; i < 9; ++i) {
        const QByteArray name = "mnuProfil" + QByteArray::number(i);
        const QByteArray caption = "Profil " + QByteArray::number(i + 1);
        addItem(profily, name.constData(), caption.constData(), nullptr, [this, i] { mnuProfil_Click(i); });
    }
    addItem(nastroje, "mnuAISLP", "AISLP", "F11", [this] { mnuAISLP_Click(); });

    QMenu* napoveda = newMenu(bar, "mnuNapoveda", "Nápověda");
    bar->addMenu(napoveda);
    addItem(napoveda, "mnuObsah", "&Obsah", nullptr, [this] { mnuObsah_Click(); });
    addItem(napoveda, "mnuIndex", "&Rejstřík", nullptr, [this] { mnuIndex_Click(); })->setVisible(false);
    addItem(napoveda, "mnuLicence", "&Licenční ujednání", nullptr,
            [this] { ShowDocument(QStringLiteral("Licence.rtf"), QStringLiteral("mnuLicence_Click")); });
    addItem(napoveda, "mnuZmeny", "&Změny", nullptr,
            [this] { ShowDocument(QStringLiteral("Zmeny.rtf"), QStringLiteral("mnuZmeny_Click")); });
    addItem(napoveda, "mnuPodpora", "&Technická podpora", nullptr, [this] { mnuPodpora_Click(); });
    addItem(napoveda, "mnuLiteratura", "Použitá literatura", nullptr, [this] {
        ShowDocument(QStringLiteral("Literatura.rtf"), QStringLiteral("mnuLiteratura_Click"));
    });
    napoveda->addSeparator()->setObjectName(QStringLiteral("mnuD2"));
    addItem(napoveda, "mnuAbout", "O &programu", nullptr, [this] { mnuAbout_Click(); });
}

void MainMenus::createToolbar() {
    QToolBar* tb = m_form.Tb;
    tb->setToolButtonStyle(Qt::ToolButtonTextOnly);
    int position = 0;
    for (const ToolButton& b : kToolButtons) {
        ++position;
        QAction* action = nullptr;
        if (!b.key) {
            action = tb->addSeparator();
        } else {
            const QString key = QString::fromLatin1(b.key);
            action = tb->addAction(utf8(b.caption));
            action->setObjectName(QStringLiteral("Tb") + key);
            action->setToolTip(utf8(b.tooltip));
            action->setData(key);
            connect(action, &QAction::triggered, this, [this, key] { Tb_ButtonClick(key); });
        }
        if (position <= 9)
            m_form.TbButtons[static_cast<size_t>(position)] = action;
    }
    // The herbs button's drop-down: the names languages.
    auto* languages = new QMenu(tb);
    languages->setObjectName(QStringLiteral("TbBylinyMenu"));
    for (const NamesLanguage& l : kNamesLanguages) {
        if (!l.caption)
            continue;
        const QString key = QString::fromLatin1(l.key);
        QAction* entry = languages->addAction(utf8(l.caption));
        entry->setObjectName(QStringLiteral("TbByliny") + key);
        entry->setData(key);
        connect(entry, &QAction::triggered, this, [this, key] { Tb_ButtonMenuClick(key); });
    }
    QAction* herbs = m_form.TbButtons[1];
    herbs->setMenu(languages);
    if (auto* button = qobject_cast<QToolButton*>(tb->widgetForAction(herbs))) {
        button->setPopupMode(QToolButton::MenuButtonPopup);
        // The names languages have no menu item: the button is a Tab stop whose Down opens them.
        ui::TabStopButton(*button);
        // Its place in the Tab order is just before the search box under it. The order is set
        // only between widgets that take the focus, so the one before the box does for a moment.
        QWidget* before = m_form.TxtByl->previousInFocusChain();
        const Qt::FocusPolicy policy = before->focusPolicy();
        before->setFocusPolicy(Qt::TabFocus);
        QWidget::setTabOrder(before, button);
        before->setFocusPolicy(policy);
    }
}

void MainMenus::NactiMenu() {
    for (int i = 0; i < 9; ++i) {
        QAction* profile = item(QStringLiteral("mnuProfil%1").arg(i));
        const ProfileMenuItem& state = m_form.ProfileMenu[static_cast<size_t>(i)];
        profile->setText(state.Caption);
        profile->setEnabled(state.Enabled);
        profile->setVisible(state.Visible);
    }
    item(QStringLiteral("mnuAISLP"))->setEnabled(m_form.AislpMenuEnabled);
    // The language menu marks the interface language the window starts in.
    checkLanguage(App().Settings.Language);
}

void MainMenus::NactiTextyOkna() {
    for (const LangCaption& c : kLangCaptions) {
        const QString text = GetLangText(c.id);
        if (QMenu* m = menu(QString::fromLatin1(c.item)))
            m->setTitle(text);
        else if (QAction* a = item(QString::fromLatin1(c.item)))
            a->setText(text);
    }
}

void MainMenus::Tb_ButtonClick(const QString& Key) {
    static const QStringList views = {
        QStringLiteral("UL"),   QStringLiteral("IndSk"), QStringLiteral("Prip"), QStringLiteral("Indik"),
        QStringLiteral("Komb"), QStringLiteral("Sber"),  QStringLiteral("Celed")};
    if (Key == QLatin1String("Byliny"))
        mnuByliny_Click();
    else if (views.contains(Key))
        ShowCategoryView(int(views.indexOf(Key)) + 2);
    else if (Key == QLatin1String("Tisk"))
        mnuVytisknout_Click();
    else if (Key == QLatin1String("Find"))
        mnuFullText_Click();
    else if (Key == QLatin1String("Setup"))
        mnuNastaveni_Click();
    else if (Key == QLatin1String("Help"))
        mnuObsah_Click();
}

void MainMenus::Tb_ButtonMenuClick(const QString& Key) {
    for (const NamesLanguage& l : kNamesLanguages) {
        if (Key == QLatin1String(l.key)) {
            App().Settings.NamesLang = l.namesLang;
            break;
        }
    }
    m_form.NactiSeznamBylin();
    m_form.CurrentTab = 1;
    afterView();
}

} // namespace lumo
