#include "core/FrmSetup.h"

#include "core/AppContext.h"
#include "core/PrinterSeam.h"
#include "core/SetupLogic.h"
#include "library/CKelHelp.h"
#include "library/CKelSrv.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/ui/DialogPresenter.h"
#include "platform/ui/OneLineBox.h"
#include "platform/ui/Units.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace lumo {

namespace {

constexpr int kHelpContext = 1020;
// Room left for the window manager's frame around the dialog and for its title bar, pixels.
constexpr int kWindowFrame = 8;
constexpr int kWindowTitle = 32;
const QStringList kSizes = {
    QStringLiteral("8"),  QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"),
    QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"),
    QStringLiteral("20"), QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("26"),
    QStringLiteral("28"), QStringLiteral("36"), QStringLiteral("48"), QStringLiteral("72")};

ProgramSettings& S() {
    return App().Settings;
}

QComboBox* sizeList(const QString& name) {
    auto* c = new QComboBox;
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // A typed "3" stays 3 rather than being completed to 36.
    c->setCompleter(nullptr);
    c->addItems(kSizes);
    return c;
}

// A size typed into a list counts once, when the user leaves the list. Passing through a
// list without typing changes nothing: with "all sections" checked it would give every
// section the size shown for the current one.
bool takeTypedSize(QComboBox* list) {
    QLineEdit* edit = list->lineEdit();
    if (!edit->isModified())
        return false;
    edit->setModified(false);
    return true;
}

QLineEdit* textBox(const QString& name) {
    auto* t = new QLineEdit;
    t->setObjectName(name);
    ui::KeepOneLine(*t);
    return t;
}

QCheckBox* checkBox(const QString& name, const QString& caption) {
    auto* c = new QCheckBox(caption);
    c->setObjectName(name);
    return c;
}

// The largest size the names block has by default (its title, 40 points).
QFont sampleFrameFont(QFont font) {
    font.setPointSize(40);
    return font;
}

} // namespace

FrmSetup::FrmSetup(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmSetup"));
    setWindowTitle(QStringLiteral("Nastavení programu"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    Stb = new QTabWidget;
    Stb->setObjectName(QStringLiteral("Stb"));
    Stb->addTab(buildMainPage(), QStringLiteral("Program"));
    Stb->addTab(buildSectionPage(), QStringLiteral("Oddíly záznamu"));
    Stb->addTab(buildNamesPage(), QStringLiteral("Blok názvů"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const QStringList captions = {QStringLiteral("OK"), QStringLiteral("Storno"), QStringLiteral("Nápověda")};
    for (int i = 0; i < 3; ++i) {
        CmdRun[i] = new QPushButton(captions[i]);
        CmdRun[i]->setObjectName(QStringLiteral("CmdRun%1").arg(i));
        CmdRun[i]->setAutoDefault(false);
        connect(CmdRun[i], &QPushButton::clicked, this, [this, i] { CmdRun_Click(i); });
        buttons->addWidget(CmdRun[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Stb);
    layout->addLayout(buttons);

    // The dialog sees every key first; text boxes and check boxes get their focus colours.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QWidget* FrmSetup::buildMainPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    const QStringList labels = {QStringLiteral("Umístění databáze:"), QStringLiteral("Umístění AISLP:")};
    for (int i = 0; i < 2; ++i) {
        TxtMain[i] = textBox(QStringLiteral("TxtMain%1").arg(i));
        CmdMain[i] = new QPushButton(QStringLiteral("..."));
        CmdMain[i]->setObjectName(QStringLiteral("CmdMain%1").arg(i));
        CmdMain[i]->setAutoDefault(false);
        connect(CmdMain[i], &QPushButton::clicked, this, [this, i] { CmdMain_Click(i); });
        grid->addWidget(new QLabel(labels[i]), i, 0);
        grid->addWidget(TxtMain[i], i, 1);
        grid->addWidget(CmdMain[i], i, 2);
    }
    ChkMain = checkBox(QStringLiteral("ChkMain"), QStringLiteral("Čekat na ukončení spuštěného AISLP"));
    grid->addWidget(ChkMain, 2, 1, 1, 2);
    CmbLang = new QComboBox;
    CmbLang->setObjectName(QStringLiteral("CmbLang"));
    CmbLang->addItems({QStringLiteral("Čeština"), QStringLiteral("Slovenčina")});
    connect(CmbLang, &QComboBox::activated, this, [this] { m_LangChosen = true; });
    grid->addWidget(new QLabel(QStringLiteral("Jazyk rozhraní:")), 3, 0);
    grid->addWidget(CmbLang, 3, 1);

    auto* switches = new QGroupBox(QStringLiteral("Chování programu"));
    auto* sw = new QVBoxLayout(switches);
    const QStringList captions = {QStringLiteral("Klávesa Esc zavírá okna"),
                                  QStringLiteral("Povolit vícenásobné spuštění"),
                                  QStringLiteral("Vložit prázdný řádek za oddíly záznamu"),
                                  QStringLiteral("Zobrazit celý článek místo oddílů")};
    for (int i = 0; i < 4; ++i) {
        ChkPrg[i] = checkBox(QStringLiteral("ChkPrg%1").arg(i), captions[i]);
        sw->addWidget(ChkPrg[i]);
    }

    auto* print = new QGroupBox(QStringLiteral("Tisk – okraje stránky [mm]"));
    auto* pg = new QGridLayout(print);
    const QStringList margins = {QStringLiteral("Levý:"), QStringLiteral("Pravý:"), QStringLiteral("Horní:"),
                                 QStringLiteral("Spodní:")};
    for (int k = 0; k < 4; ++k) {
        TxtPrn[k] = textBox(QStringLiteral("TxtPrn%1").arg(k));
        pg->addWidget(new QLabel(margins[k]), k / 2, (k % 2) * 2);
        pg->addWidget(TxtPrn[k], k / 2, (k % 2) * 2 + 1);
    }
    ChkPrn = checkBox(QStringLiteral("ChkPrn"), QStringLiteral("Tisknout bez barev"));
    pg->addWidget(ChkPrn, 2, 0, 1, 4);

    auto* v = new QVBoxLayout(page);
    v->addLayout(grid);
    v->addWidget(switches);
    v->addWidget(print);
    v->addStretch();
    return page;
}

QLabel* FrmSetup::makeSwatch(int colour, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setFixedSize(18, 18);
    l->move(4 + colour * 24, 4);
    l->setFrameShape(QFrame::Box);
    paintBack(l, ui::OleToColor(ui::PaletteColor(colour)));
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

QFrame* FrmSetup::makeMarker(QWidget* parent) {
    auto* m = new QFrame(parent);
    m->setFixedSize(24, 24);
    paintBack(m, Qt::black);
    m->lower();
    return m;
}

// A row of the 16 palette colours with its marker, the swatches named prefix + 0..15.
QWidget* FrmSetup::makeSwatchStrip(std::array<QLabel*, 16>& swatches, QFrame*& marker,
                                   const QString& prefix) {
    auto* strip = new QWidget;
    strip->setObjectName(prefix + QStringLiteral("Strip"));
    strip->setFixedSize(4 + 16 * 24, 26);
    // One stop of the Tab order; the arrow keys choose the colour (the swatches take no focus).
    strip->setFocusPolicy(Qt::StrongFocus);
    marker = makeMarker(strip);
    for (int c = 0; c < 16; ++c) {
        swatches[c] = makeSwatch(c, strip);
        swatches[c]->setObjectName(prefix + QString::number(c));
    }
    return strip;
}

QWidget* FrmSetup::buildSectionPage() {
    auto* page = new QWidget;
    Lst = new QListWidget;
    Lst->setObjectName(QStringLiteral("Lst"));
    connect(Lst, &QListWidget::currentRowChanged, this, [this] { Lst_Click(); });
    connect(Lst, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        Lst_ItemCheck(Lst->row(item), item->checkState() == Qt::Checked);
    });

    auto* form = new QGridLayout;
    CmbProfil[1] = new QComboBox;
    CmbProfil[1]->setObjectName(QStringLiteral("CmbProfil1"));
    CmbProfil[2] = sizeList(QStringLiteral("CmbProfil2"));
    CmbProfil[3] = sizeList(QStringLiteral("CmbProfil3"));
    for (int i = 1; i <= 3; ++i) {
        connect(CmbProfil[i], &QComboBox::activated, this, [this, i] { CmbProfil_Click(i); });
        if (CmbProfil[i]->isEditable())
            connect(CmbProfil[i]->lineEdit(), &QLineEdit::editingFinished, this, [this, i] {
                if (takeTypedSize(CmbProfil[i]))
                    CmbProfil_Click(i);
            });
    }
    form->addWidget(new QLabel(QStringLiteral("Pořadí:")), 0, 0);
    form->addWidget(CmbProfil[1], 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Velikost nadpisu:")), 1, 0);
    form->addWidget(CmbProfil[2], 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Velikost textu:")), 2, 0);
    form->addWidget(CmbProfil[3], 2, 1);
    TxtSeg[1] = textBox(QStringLiteral("TxtSeg1"));
    // Two lines when the screen is narrow: the room goes to the section titles.
    auto* indent = new QLabel(QStringLiteral("Odsazení zleva [px]:"));
    indent->setWordWrap(true);
    form->addWidget(indent, 3, 0);
    form->addWidget(TxtSeg[1], 3, 1);

    const QStringList rows = {QStringLiteral("Barva nadpisu:"), QStringLiteral("Barva textu:")};
    for (int r = 0; r < 2; ++r) {
        QWidget* strip = r == 0 ? makeSwatchStrip(LblNad, m_MarkNad, QStringLiteral("LblNad"))
                                : makeSwatchStrip(LblTxt, m_MarkTxt, QStringLiteral("LblTxt"));
        form->addWidget(new QLabel(rows[r]), 4 + r, 0);
        form->addWidget(strip, 4 + r, 1);
    }
    const QStringList captions = {QStringLiteral("Při OK uložit i soubor profilu"),
                                  QStringLiteral("Formátovaný text oddílů (barvy oddílů se nepoužijí)"),
                                  QStringLiteral("Velikosti a barvy pro všechny oddíly")};
    for (int i = 0; i < 3; ++i) {
        ChkSeg[i] = checkBox(QStringLiteral("ChkSeg%1").arg(i), captions[i]);
        connect(ChkSeg[i], &QCheckBox::clicked, this, [this, i] { ChkSeg_Click(i); });
    }
    form->addWidget(ChkSeg[2], 6, 0, 1, 2);
    form->addWidget(ChkSeg[1], 7, 0, 1, 2);

    auto* profile = new QGroupBox(QStringLiteral("Profil zobrazení"));
    auto* pl = new QGridLayout(profile);
    TxtSeg[0] = textBox(QStringLiteral("TxtSeg0"));
    pl->addWidget(new QLabel(QStringLiteral("Jméno profilu:")), 0, 0);
    pl->addWidget(TxtSeg[0], 0, 1);
    pl->addWidget(ChkSeg[0], 1, 0, 1, 2);

    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addWidget(profile);
    right->addStretch();
    auto* h = new QHBoxLayout(page);
    h->addWidget(Lst, 1);
    h->addLayout(right, 2);
    return page;
}

// The section list is as wide as its longest title, as far as the screen leaves room. On a
// screen too low for the dialog (large fonts, a small screen) the tab pages scroll and the
// buttons stay on the screen.
void FrmSetup::fitToScreen() {
    const QWidget* owner = parentWidget() ? parentWidget() : this;
    const QRect area = owner->screen()->availableGeometry();
    const int height = area.height() - kWindowTitle;
    const bool scroll = minimumSizeHint().height() > height && Stb->parentWidget() == this;
    const int bar = scroll ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    const int want =
        Lst->sizeHintForColumn(0) + 2 * Lst->frameWidth() + Lst->verticalScrollBar()->sizeHint().width();
    const int rest = minimumSizeHint().width() - Lst->minimumSizeHint().width() + bar;
    const int room = area.width() - rest - kWindowFrame;
    Lst->setMinimumWidth(std::max(std::min(want, room), Lst->minimumSizeHint().width()));
    // The dialog is placed by this size when it is shown (the tab pages' sizes are cached).
    Stb->updateGeometry();
    if (!scroll) {
        adjustSize();
        return;
    }
    // As wide as the pages and their scroll bar, as far as the screen allows.
    const int chrome = minimumSizeHint().width() - Stb->minimumSizeHint().width();
    auto* pages = new QScrollArea;
    pages->setFrameShape(QFrame::NoFrame);
    pages->setWidgetResizable(true);
    pages->setMinimumWidth(
        std::min(Stb->minimumSizeHint().width() + bar, area.width() - kWindowFrame - chrome));
    auto* box = static_cast<QVBoxLayout*>(layout());
    box->removeWidget(Stb);
    pages->setWidget(Stb);
    box->insertWidget(0, pages);
    setMaximumHeight(height);
    resize(minimumSizeHint().width(), height);
}

QWidget* FrmSetup::buildNamesPage() {
    auto* page = new QWidget;
    auto* form = new QGridLayout;
    const QStringList rows = {QStringLiteral("Nadpis:"), QStringLiteral("Podnadpis:"),
                              QStringLiteral("Názvy:")};
    const std::array<std::array<QLabel*, 16>*, 3> swatches = {&LblN, &LblT, &LblP};
    const QStringList prefixes = {QStringLiteral("LblN"), QStringLiteral("LblT"), QStringLiteral("LblP")};
    for (int r = 0; r < 3; ++r) {
        CmbHdr[r] = sizeList(QStringLiteral("CmbHdr%1").arg(r));
        QWidget* strip = makeSwatchStrip(*swatches[r], m_MarkNames[r], prefixes[r]);
        form->addWidget(new QLabel(rows[r]), r, 0);
        form->addWidget(CmbHdr[r], r, 1);
        form->addWidget(strip, r, 2);
    }
    CmbHdr[3] = new QComboBox;
    CmbHdr[3]->setObjectName(QStringLiteral("CmbHdr3"));
    // A long face name from a settings file must not widen the dialog past the screen.
    CmbHdr[3]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CmbHdr[3]->setMinimumContentsLength(24);
    form->addWidget(new QLabel(QStringLiteral("Písmo:")), 3, 0);
    form->addWidget(CmbHdr[3], 3, 1, 1, 2);
    for (int i = 0; i < 4; ++i) {
        connect(CmbHdr[i], &QComboBox::activated, this, [this, i] { CmbHdr_Click(i); });
        if (CmbHdr[i]->isEditable())
            connect(CmbHdr[i]->lineEdit(), &QLineEdit::editingFinished, this, [this, i] {
                if (takeTypedSize(CmbHdr[i]))
                    CmbHdr_Click(i);
            });
    }
    TxtHdr = textBox(QStringLiteral("TxtHdr"));
    form->addWidget(new QLabel(QStringLiteral("Odsazení zleva [px]:")), 4, 0);
    form->addWidget(TxtHdr, 4, 1);

    auto* preview = new QGroupBox(QStringLiteral("Náhled"));
    auto* pv = new QVBoxLayout(preview);
    const QStringList samples = {QStringLiteral("Heřmánek pravý"), QStringLiteral("Matricaria recutita"),
                                 QStringLiteral("Kamilka pravá, Echte Kamille, Chamomile")};
    for (int i = 0; i < 3; ++i) {
        LblNaz[i] = new QLabel(samples[i]);
        LblNaz[i]->setObjectName(QStringLiteral("LblNaz%1").arg(i + 7));
        // Each sample has a fixed frame: a size of hundreds of points is cut off rather than
        // stretching the dialog past the screen.
        LblNaz[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        LblNaz[i]->setFixedHeight(QFontMetrics(sampleFrameFont(LblNaz[i]->font())).height());
        pv->addWidget(LblNaz[i]);
    }
    auto* v = new QVBoxLayout(page);
    v->addLayout(form);
    v->addWidget(preview);
    v->addStretch();
    return page;
}

void FrmSetup::Form_Load() {
    m_Loading = true;
    CKelSrv& srv = *App().SrvObj;
    ProgramSettings& s = S();
    TxtMain[0]->setText(s.DatabaseLocation);
    TxtMain[1]->setText(s.AISLPCmd);
    ChkMain->setCheckState(static_cast<Qt::CheckState>(srv.CC(s.SyncAISLP) * 2));
    // A language outside the list shows Czech and stays as it is unless one is picked.
    CmbLang->setCurrentIndex(s.Language >= 1 && s.Language <= CmbLang->count() ? s.Language - 1 : 0);
    const bool switches[4] = {s.EscEnabled, s.MultipleRun, s.InsertLine, s.DisableSegmentSel};
    for (int i = 0; i < 4; ++i)
        ChkPrg[i]->setChecked(switches[i]);
    const float margins[4] = {s.LeftMargin, s.RightMargin, s.TopMargin, s.BottomMargin};
    for (int k = 0; k < 4; ++k)
        TxtPrn[k]->setText(setup::NumberText(margins[k]));
    ChkPrn->setChecked(s.DisableColors);

    Lst->clear();
    CmbProfil[1]->clear();
    for (int i = 1; i <= kSegmentCount; ++i) {
        auto* item = new QListWidgetItem(s.SegmentTitles[i], Lst);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(s.Segments[i].Enabled ? Qt::Checked : Qt::Unchecked);
        CmbProfil[1]->addItem(QString::number(i));
    }
    fitToScreen();
    // Profile numbers outside 1..9 (a new installation before the first window) have no name.
    const bool profile = s.ProfilNumber >= 1 && s.ProfilNumber <= kProfileCount;
    TxtSeg[0]->setText(profile ? s.ProfileNames[s.ProfilNumber] : QString());
    TxtSeg[0]->setEnabled(profile);
    ChkSeg[0]->setEnabled(profile);

    CmbHdr[3]->clear();
    CmbHdr[3]->addItems(QFontDatabase::families());

    m_CurSeg = 1;
    Lst->setCurrentRow(0);
    showSegment();
    showNames();
    showSwatchState();
    m_Loading = false;
}

void FrmSetup::CmdRun_Click(int Index) {
    ProgramSettings& s = S();
    CKelSrv& srv = *App().SrvObj;
    switch (Index) {
    case 0: {
        s.DatabaseLocation = TxtMain[0]->text();
        s.AISLPCmd = TxtMain[1]->text();
        s.SyncAISLP = srv.CB(ChkMain->isChecked() ? 1 : 0);
        if (m_LangChosen || (s.Language >= 1 && s.Language <= CmbLang->count()))
            s.Language = CmbLang->currentIndex() + 1;
        s.EscEnabled = ChkPrg[0]->isChecked();
        s.MultipleRun = ChkPrg[1]->isChecked();
        s.InsertLine = ChkPrg[2]->isChecked();
        s.DisableSegmentSel = ChkPrg[3]->isChecked();
        float* margins[4] = {&s.LeftMargin, &s.RightMargin, &s.TopMargin, &s.BottomMargin};
        for (int k = 0; k < 4; ++k) {
            if (const std::optional<float> v = setup::ParseMargin(TxtPrn[k]->text()))
                *margins[k] = *v;
        }
        s.DisableColors = ChkPrn->isChecked();
        // Margins the user set are the printer's too, not only at the next start.
        HandMarginsToPrinter();
        if (s.UpdateProfil)
            SaveProfileFile();
        unload(QDialog::Accepted);
        break;
    }
    case 1:
        reloadSettings();
        unload(QDialog::Rejected);
        break;
    case 2:
        if (App().HelpObj)
            App().HelpObj->ShowHelp(CKelHelp::cmdContext, kHelpContext, {}, 1);
        break;
    default:
        break;
    }
}

// Cancel and Esc: every setting back from "Lumo.ini". Margins an earlier OK handed to the
// printer and the reload now takes back go back to the printer too, or a printout would use
// margins the settings no longer hold.
void FrmSetup::reloadSettings() {
    const auto margins = [] {
        const ProgramSettings& s = S();
        return std::array<float, 4>{s.LeftMargin, s.RightMargin, s.TopMargin, s.BottomMargin};
    };
    const std::array<float, 4> before = margins();
    LoadSettings(false);
    if (margins() != before)
        HandMarginsToPrinter();
}

void FrmSetup::reject() {
    // The window's close button: the immediate changes stay, the OK fields are not stored.
    unload(QDialog::Rejected);
}

void FrmSetup::unload(int result) {
    if (m_Closing || !Form_QueryUnload())
        return;
    m_Closing = true;
    done(result);
    m_Closing = false;
}

bool FrmSetup::Form_QueryUnload() {
    const QString location = S().DatabaseLocation;
    if (App().SrvObj->FileExist(location))
        return true;
    // A pasted path of thousands of characters would make the question taller than the screen,
    // its buttons out of reach; no file can have such a path, so its middle is left out.
    constexpr qsizetype kShownEnds = 130;
    const QString shown = location.size() > 2 * kShownEnds + 1
                              ? location.left(kShownEnds) + QChar(0x2026) + location.right(kShownEnds)
                              : location;
    const QMessageBox::StandardButton answer = ui::DialogPresenter::msgBox(
        QStringLiteral("V zadaném umístění ") + shown +
            QStringLiteral(" se databáze nenachází, při příštím spuštění programu můžete mít problémy s "
                           "připojením k databázi. Chcete pokračovat?"),
        QStringLiteral("Chybně definované umístění databáze"), QMessageBox::Question,
        QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton, this);
    if (answer != QMessageBox::Yes)
        return false;
    QApplication::beep();
    return true;
}

} // namespace lumo
