#include "installer/frmMain.h"

#include "installer/SetupPaths.h"
#include "installer/SetupState.h"
#include "installer/VbColour.h"
#include "installer/cLogo.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace lumo::setup {

namespace {

constexpr int kBarWidth = 360;

} // namespace

frmMain::frmMain(std::unique_ptr<EnvProbe> probe, QWidget* parent)
    : QWidget(parent), m_probe(probe ? std::move(probe) : std::make_unique<LinuxProbe>()) {
    buildControls();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::buildControls() {
    setObjectName(QStringLiteral("frmMain"));
    for (int i = 0; i < 2; ++i) {
        pctLogo[i] = new QLabel(this);
        pctLogo[i]->setObjectName(QStringLiteral("pctLogo%1").arg(i));
        pctLogo[i]->setFixedSize(i == 0 ? 36 : 28, 300);
    }
    static const char* const fixed[] = {"Verze Zefiraku na CD", "Verze databáze na CD",
                                        "Verze Zefiraku nainstalovaná v počítači",
                                        "Verze databáze  v počítači"};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 15; ++i) {
        lblVer[i] = new QLabel(this);
        lblVer[i]->setObjectName(QStringLiteral("lblVer%1").arg(i));
        lblVer[i]->setTextFormat(Qt::PlainText);
    }
    for (int row = 0; row < 4; ++row) {
        lblVer[row]->setText(QString::fromUtf8(fixed[row]));
        grid->addWidget(lblVer[row], row, 0);
        grid->addWidget(lblVer[4 + row], row, 1);
        lblVer[4 + row]->setText(QStringLiteral("Testuji"));
    }
    grid->addWidget(lblVer[12], 2, 2);
    grid->addWidget(lblVer[13], 3, 2);
    LblOS = new QLabel(QStringLiteral("MS Windows"), this);
    LblOS->setObjectName(QStringLiteral("LblOS"));
    LblOSVer = new QLabel(QStringLiteral("Verze"), this);
    LblOSVer->setObjectName(QStringLiteral("LblOSVer"));
    grid->addWidget(LblOS, 4, 0, 1, 2);
    grid->addWidget(lblVer[14], 4, 2);
    grid->addWidget(LblOSVer, 5, 0, 1, 3);
    imgSet = new QLabel(this);
    imgSet->setObjectName(QStringLiteral("imgSet"));
    imgSet->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    grid->addWidget(imgSet, 0, 3, 2, 1, Qt::AlignRight | Qt::AlignTop);

    Shp1 = new QFrame(this);
    Shp1->setObjectName(QStringLiteral("Shp1"));
    Shp1->setFrameShape(QFrame::Box);
    Shp1->setFixedSize(kBarWidth, 14);
    Shp2 = new QFrame(Shp1);
    Shp2->setObjectName(QStringLiteral("Shp2"));
    Shp2->setAutoFillBackground(true);
    SetColour(Shp2, QPalette::Window, 0x800000);
    Shp2->setGeometry(0, 0, 0, 14);
    // The bar keeps its room while hidden, so the window does not jump when a script runs.
    QSizePolicy keep = Shp1->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    Shp1->setSizePolicy(keep);
    Shp1->hide();
    grid->addWidget(Shp1, 6, 0, 1, 4);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    auto* buttons = new QVBoxLayout(Frame1);
    static const char* const captions[] = {"Instalovat komponentu DCOM", "Instalovat Zefiraku",
                                           "Aktualizovat Zefiraku",      "Aktualizovat databázi",
                                           "Odebrat Zefiraku",           "Konec"};
    for (int i = 0; i < 6; ++i) {
        cmdRun[i] = new QPushButton(QString::fromUtf8(captions[i]), Frame1);
        cmdRun[i]->setObjectName(QStringLiteral("cmdRun%1").arg(i));
        // Enter runs the action whose button has the focus, as on the buttons of any Windows
        // form: the focus each test leaves is the action the installer proposes.
        cmdRun[i]->setAutoDefault(true);
        connect(cmdRun[i], &QPushButton::clicked, this, [this, i] { cmdRun_Click(i); });
        buttons->addWidget(cmdRun[i]);
    }

    auto* right = new QVBoxLayout;
    right->addLayout(grid);
    right->addStretch();
    right->addWidget(Frame1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(pctLogo[0]);
    layout->addWidget(pctLogo[1]);
    layout->addLayout(right, 1);
}

void frmMain::Form_Load() {
    FirstActivation = true;
    OSInfo = std::make_unique<CVerOS>();
    State().FormColour = ColourBits() < 9 ? static_cast<long>(0x8000000FUL) : 0xD8E9EC;
    SetFormColour(this, State().FormColour);
    Frame1->setPalette(palette());
    setWindowTitle(QStringLiteral("Instalace Zefiraku"));

    cLogo Logo;
    Logo.setStartColor(0);
    Logo.setEndColor(0xFF00);
    Logo.setDrawingObject(pctLogo[0]);
    Logo.setCaption(QStringLiteral("Zefirak"));
    Logo.Draw();
    Logo.setDrawingObject(pctLogo[1]);
    Logo.setCaption(QStringLiteral("Databáze léčivých bylin"));
    Logo.Draw();
}

void frmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FirstActivation)
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void frmMain::Form_Activate() {
    if (!FirstActivation)
        return;
    FirstActivation = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setWindowTitle(QStringLiteral("Instalace Zefiraku"));
    QCoreApplication::processEvents();
    State().SourceFolder = GetSourceFolder();
    State().AppFolder = GetAppFolder();
    TestProstredi();
    QApplication::restoreOverrideCursor();
}

void frmMain::setCaption(const QString& caption) {
    setWindowTitle(caption);
}

void frmMain::showBar(bool visible) {
    Shp1->setVisible(visible);
}

int frmMain::barFullWidth() const {
    return kBarWidth;
}

void frmMain::setBarWidth(int width) {
    Shp2->setFixedWidth(qBound(0, width, kBarWidth));
}

void frmMain::setLabel(int index, const QString& text, long colour) {
    lblVer[index]->setText(text);
    SetColour(lblVer[index], QPalette::WindowText, colour);
}

} // namespace lumo::setup
