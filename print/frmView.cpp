#include "print/frmView.h"

#include "core/AppContext.h"
#include "core/SettingsText.h"
#include "library/CKelErr.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/ui/OneLineBox.h"
#include "platform/ui/Units.h"
#include "print/DocumentFile.h"
#include "print/FileDialogs.h"
#include "print/MPrint.h"
#include "print/PaperView.h"
#include "print/PrinterDialogs.h"
#include "print/Printers.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

namespace lumo::print {

// A number as the user types it, with a decimal comma or point (as the settings dialog reads
// margins); huge values (which would overflow the fields) do not count.
std::optional<double> frmView::parseNumber(const QString& text) {
    const std::optional<double> v = settings::parseNumber(text);
    if (!v || std::fabs(*v) > 1e6)
        return std::nullopt;
    return v;
}

QString frmView::numberText(double v) {
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(v, 'g', 7);
}

namespace {

// The printer of the "Tisk" button; with a small wheel, the printer setup's.
QIcon printerIcon(bool setup) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9.5, 3.5, 13, 9)); // paper going in
    p.setBrush(QColor(0x80, 0x80, 0x88));
    p.drawRoundedRect(QRectF(3.5, 11.5, 25, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9.5, 19.5, 13, 9)); // printed sheet
    p.drawLine(QPointF(12, 23), QPointF(20, 23));
    p.drawLine(QPointF(12, 26), QPointF(18, 26));
    if (setup) {
        p.setPen(QPen(QColor(0x10, 0x50, 0xA0), 3.5, Qt::DotLine, Qt::FlatCap));
        p.setBrush(QColor(0x10, 0x50, 0xA0));
        p.drawEllipse(QRectF(20, 20, 10, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(23, 23, 4, 4));
    }
    return QIcon(pixmap);
}

} // namespace

frmView::frmView(bool shown) : m_shown(shown) {
    setWindowTitle(QStringLiteral("Náhled tisku"));
    setObjectName(QStringLiteral("frmView"));
    buildControls();
    StartPrintJob();
    SizeWindow();
    lblPage[3]->setText(QStringLiteral("Generuji náhled"));
    qApp->installEventFilter(this);
}

frmView::~frmView() {
    qApp->removeEventFilter(this);
}

void frmView::buildControls() {
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(4, 4, 4, 4);
    buildToolbar();
    main->addWidget(Toolbar1);

    auto* row = new QHBoxLayout;
    cmbPrinters = new QComboBox(this);
    cmbPrinters->setToolTip(QStringLiteral("Výběr tiskárny"));
    cmbPrinters->setMinimumContentsLength(24);
    row->addWidget(cmbPrinters);
    const char* labels[] = {"Stránky", "až", "1/1", "Probíhá tisk"};
    for (int i = 0; i < 4; ++i)
        lblPage[i] = new QLabel(QString::fromUtf8(labels[i]), this);
    const char* pageTips[] = {"Tisk od stránky", "Tisk do stránky"};
    const char* pageTexts[] = {"1", "999"};
    for (int i = 0; i < 2; ++i) {
        txtPage[i] = new QLineEdit(QString::fromUtf8(pageTexts[i]), this);
        txtPage[i]->setToolTip(QString::fromUtf8(pageTips[i]));
        ui::KeepOneLine(*txtPage[i]);
        txtPage[i]->setMaximumWidth(60);
        txtPage[i]->installEventFilter(this);
    }
    row->addWidget(lblPage[0]);
    row->addWidget(txtPage[0]);
    row->addWidget(lblPage[1]);
    row->addWidget(txtPage[1]);
    row->addSpacing(16);
    row->addWidget(lblPage[2]);
    row->addSpacing(16);
    row->addWidget(lblPage[3], 1);
    main->addLayout(row);

    buildMarginsPanel();
    main->addWidget(Frame1);

    m_stack = new QStackedWidget(this);
    shpPage = new PaperView;
    m_pageScroll = new QScrollArea;
    m_pageScroll->setWidget(shpPage);
    m_pageScroll->setAlignment(Qt::AlignHCenter);
    m_pageScroll->setBackgroundRole(QPalette::Dark);
    m_stack->addWidget(m_pageScroll);
    // The whole document on its paper: the viewer between the left and right margins.
    m_wholePage = new QWidget;
    m_wholePage->setAutoFillBackground(true);
    m_wholePage->setBackgroundRole(QPalette::Base);
    auto* wholeLayout = new QHBoxLayout(m_wholePage);
    rtfView = new ui::RichTextBox;
    rtfView->setObjectName(QStringLiteral("rtfView"));
    rtfView->setFrameShape(QFrame::NoFrame);
    wholeLayout->addWidget(rtfView);
    m_stack->addWidget(m_wholePage);
    main->addWidget(m_stack, 1);
    connect(cmbPrinters, &QComboBox::activated, this,
            [this](int i) { cmbPrinters_Click(cmbPrinters->itemText(i)); });
}

void frmView::buildToolbar() {
    Toolbar1 = new QToolBar(this);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct Button {
        const char* key;
        const char* text;
        const char* tip;
        QStyle::StandardPixmap icon;
    };
    const Button buttons[] = {
        {"PRINT", "Tisk", "Tisk (F6)", QStyle::SP_DialogSaveButton},
        {"SPRINT", "Tiskárna", "Nastavení tiskárny (F7)", QStyle::SP_FileDialogDetailedView},
        {nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
        {"FIRST", "", "První stránka", QStyle::SP_MediaSkipBackward},
        {"PREV", "", "Předchozí stránka", QStyle::SP_MediaSeekBackward},
        {"NEXT", "", "Další stránka", QStyle::SP_MediaSeekForward},
        {"LAST", "", "Poslední stránka", QStyle::SP_MediaSkipForward},
        {nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
        {"GROUP", "Celý dokument", "", QStyle::SP_FileDialogContentsView},
        {"OKRAJE", "Okraje", "Nastavení okrajů stránky (F9)", QStyle::SP_FileDialogListView},
        {"FDD", "Uložit", "Uložit do souboru", QStyle::SP_DriveFDIcon},
        {nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
        {"CANCEL", "Zpět", "Zpět", QStyle::SP_DialogCloseButton},
    };
    for (const Button& b : buttons) {
        if (!b.key) {
            Toolbar1->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        const QIcon icon = key == QStringLiteral("PRINT")    ? printerIcon(false)
                           : key == QStringLiteral("SPRINT") ? printerIcon(true)
                                                             : style()->standardIcon(b.icon);
        QAction* a = Toolbar1->addAction(icon, QString::fromUtf8(b.text));
        a->setObjectName(key);
        a->setToolTip(QString::fromUtf8(b.tip));
        if (key == QStringLiteral("GROUP"))
            a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        m_buttons.insert(key, a);
    }
}

void frmView::buildMarginsPanel() {
    Frame1 = new QGroupBox(QStringLiteral("Okraje stránky"), this);
    auto* row = new QHBoxLayout(Frame1);
    const char* labels[] = {"&Levý okraj [mm]", "&Pravý okraj [mm]", "&Horní okraj [mm]",
                            "&Spodní okraj [mm]"};
    const char* tips[] = {"Levý okraj stránky", "Pravý okraj stránky", "Horní okraj stránky",
                          "Spodní okraj stránky"};
    for (int i = 0; i < 4; ++i) {
        lblView[i] = new QLabel(QString::fromUtf8(labels[i]), Frame1);
        txtMargin[i] = new QLineEdit(Frame1);
        txtMargin[i]->setToolTip(QString::fromUtf8(tips[i]));
        ui::KeepOneLine(*txtMargin[i]);
        txtMargin[i]->setMaximumWidth(70);
        txtMargin[i]->installEventFilter(this);
        lblView[i]->setBuddy(txtMargin[i]); // Alt+letter focuses the box, so does a click
        row->addWidget(lblView[i]);
        row->addWidget(txtMargin[i]);
    }
    cmdX = new QPushButton(QStringLiteral("X"), Frame1);
    cmdX->setEnabled(false);
    connect(cmdX, &QPushButton::clicked, this, [this] { cmdX_Click(); });
    row->addWidget(cmdX);
    Frame1->hide();
}

void frmView::SizeWindow() {
    const PrinterGeometry g = GeometryOf(CurrentPrinter());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    const int allowance = 60; // scroll bar and frames around the paper
    int width = std::max(ui::TwipsToPixels(g.width) + allowance, ui::TwipsToPixels(9000));
    width = std::min(width, avail.width());
    const int height = std::min(avail.height() - ui::TwipsToPixels(600), ui::TwipsToPixels(15000));
    resize(width, height);
    move(avail.left() + (avail.width() - width) / 2, avail.top());
}

void frmView::PrepareDocument(const QString& text, bool plainText, const QString& fontName, float fontSize) {
    const PrintSettingsRecord& s = PrintSettings();
    const float margins[] = {s.LeftMargin, s.RightMargin, s.TopMargin, s.BottomMargin};
    for (int i = 0; i < 4; ++i)
        txtMargin[i]->setText(numberText(margins[i]));
    m_engine.PrepareDocument(text, plainText, fontName, fontSize);
}

void frmView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Paginate after the first paint, so "Generuji náhled" is seen meanwhile.
    if (m_firstActivation)
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void frmView::Form_Activate() {
    if (!m_firstActivation)
        return;
    m_firstActivation = false;
    QCoreApplication::processEvents();
    m_wholeDocument = m_engine.document().TextRTF();
    for (QLineEdit* box : txtMargin) {
        if (!parseNumber(box->text()))
            box->setText(numberText(12.7));
    }
    NastavOkraje();
    FillPrinterList();
    if (!PripravNahled())
        return failed();
    const PrintSettingsRecord& s = PrintSettings();
    m_startPage = std::max(std::min<int>(s.FromPage, s.PageCount), 1);
    m_endPage = std::min<int>(std::max<int>(s.ToPage, m_startPage), s.PageCount);
    txtPage[0]->setText(QStringLiteral("1"));
    txtPage[1]->setText(QString::number(s.PageCount));
    // The GROUP button and the page buttons start as the stored view mode says.
    button(QStringLiteral("GROUP"))->setChecked(s.PageGroup);
    ShowPage();
    rtfView->setSelStart(0);
    viewer()->setFocus();
    lblPage[3]->clear();
    m_activated = true;
}

void frmView::NastavOkraje() {
    std::array<float, 4> mm{};
    for (int i = 0; i < 4; ++i)
        mm[i] = float(std::max(parseNumber(txtMargin[i]->text()).value_or(0), 0.0));
    m_engine.NastavOkraje(mm);
    const std::array<int, 4>& t = m_engine.marginsTwips();
    // The whole-document viewer wraps as the printer does, unless FixedPreview keeps its own.
    const bool fixed = m_shown && PrintSettings().FixedPreview;
    rtfView->setTargetDevice(fixed ? 0 : std::max(m_engine.lineWidth(), 0));
    m_wholePage->layout()->setContentsMargins(ui::TwipsToPixels(t[0]), ui::TwipsToPixels(t[2]), 0, 0);
}

bool frmView::PripravNahled() {
    return m_engine.PripravNahled();
}

void frmView::FillPrinterList() {
    cmbPrinters->clear();
    const QString current = CurrentPrinterName();
    for (const InstalledPrinter& p : InstalledPrinters()) {
        cmbPrinters->addItem(p.DeviceName);
        if (p.DeviceName == current)
            cmbPrinters->setCurrentIndex(cmbPrinters->count() - 1);
    }
}

void frmView::ShowPage() {
    const PrintSettingsRecord& s = PrintSettings();
    const bool whole = s.PageGroup;
    for (const char* key : {"FIRST", "PREV"})
        button(QString::fromLatin1(key))->setEnabled(!whole && m_currentPage >= 2);
    for (const char* key : {"NEXT", "LAST"})
        button(QString::fromLatin1(key))->setEnabled(!whole && m_currentPage < s.PageCount);
    lblPage[2]->setText(QStringLiteral("%1/%2").arg(m_currentPage).arg(s.PageCount));
    if (whole) {
        rtfView->setTextRTF(m_wholeDocument);
        m_stack->setCurrentWidget(m_wholePage);
        return;
    }
    const PrinterGeometry g = GeometryOf(CurrentPrinter());
    shpPage->setPage(s.Pages.value(m_currentPage - 1), QSize(g.width, g.height), m_engine.pageRect());
    updatePageStyle();
    m_stack->setCurrentIndex(0);
}

void frmView::updatePageStyle() {
    const bool outside = m_currentPage < m_startPage || m_currentPage > m_endPage;
    shpPage->setBorderStyle(outside ? 5 : 1);
}

QWidget* frmView::viewer() const {
    return PrintSettings().PageGroup ? static_cast<QWidget*>(rtfView) : m_pageScroll;
}

void frmView::goToPage(int page) {
    m_currentPage = page;
    ShowPage();
    // Another page is shown from its top, as it is printed, not at the last page's scroll place.
    m_pageScroll->verticalScrollBar()->setValue(0);
}

void frmView::Toolbar1_ButtonClick(const QString& key) {
    // Until the first pagination has ended only closing acts: there are no pages yet.
    if (!m_activated && key != QStringLiteral("CANCEL"))
        return;
    const int count = PrintSettings().PageCount;
    if (key == QStringLiteral("PRINT"))
        TiskDokumentu();
    else if (key == QStringLiteral("SPRINT"))
        NastavTiskarnu();
    else if (key == QStringLiteral("OKRAJE"))
        ShowMarginsPanel();
    else if (key == QStringLiteral("CANCEL"))
        reject();
    else if (key == QStringLiteral("FIRST") && m_currentPage > 1)
        goToPage(1);
    else if (key == QStringLiteral("PREV") && m_currentPage >= 2)
        goToPage(m_currentPage - 1);
    else if (key == QStringLiteral("NEXT") && m_currentPage < count)
        goToPage(m_currentPage + 1);
    else if (key == QStringLiteral("LAST") && m_currentPage < count)
        goToPage(count);
    else if (key == QStringLiteral("GROUP")) {
        const bool viewerFocused = focusWidget() == viewer();
        PrintSettingsRecord& s = PrintSettings();
        s.PageGroup = !s.PageGroup;
        button(key)->setChecked(s.PageGroup);
        ShowPage();
        // Keys that paged the view go on paging the one shown now.
        if (viewerFocused)
            viewer()->setFocus();
    } else if (key == QStringLiteral("FDD")) {
        const QString name = GetTargetFileName();
        if (!name.isEmpty())
            UlozNahled(name);
    }
}

QString frmView::GetTargetFileName() {
    return AskSaveFileName(this, QStringLiteral("Zadejte umístění cílového souboru"),
                           {QStringLiteral("Soubor rtf (*.rtf)"), QStringLiteral("Textový soubor (*.txt)"),
                            QStringLiteral("Všechny soubory (*)")},
                           QStringLiteral("rtf"), paths::ProgramDir());
}

bool frmView::UlozNahled(const QString& name) {
    lblPage[3]->setText(QStringLiteral("Ukládám náhled do souboru ") + name);
    QCoreApplication::processEvents();
    const bool rich = name.right(3).toUpper() == QStringLiteral("RTF");
    const bool ok = SaveDocument(m_engine.document(), name, !rich);
    lblPage[3]->clear();
    return ok;
}

void frmView::failed() {
    // The failure was reported and PrintResult holds it; the preview closes.
    QTimer::singleShot(0, this, [this] { reject(); });
}

void frmView::TiskDokumentu() {
    if (!Toolbar1->isEnabled())
        return; // a print is running
    // A range typed into a box and printed with F6 or the toolbar (neither takes the focus)
    // counts as if the box had been left.
    for (int i = 0; i < 2; ++i)
        if (focusWidget() == txtPage[i])
            ValidatePageRange(i);
    lblPage[3]->setText(QStringLiteral("Dokument je odesílán k tisku..."));
    Toolbar1->setEnabled(false); // no second print while this one runs
    QCoreApplication::processEvents();
    const PrintEngine::Outcome outcome = m_engine.PrintRTF(m_startPage, m_endPage);
    Toolbar1->setEnabled(true);
    lblPage[3]->clear();
    if (outcome == PrintEngine::Outcome::Failed)
        return failed();
    PrintSettingsRecord& s = PrintSettings();
    if (outcome == PrintEngine::Outcome::Printed && s.PrintResult != 602 && s.PrintResult != 603)
        s.PrintResult = 1;
}

void frmView::NastavTiskarnu() {
    try {
        if (ShowPrinterSetup(this))
            paginateAgain();
    } catch (...) {
        const err::ErrorRecord& e = err::CaptureCurrentException();
        if (App().ErrObj)
            App().ErrObj->ErrView(
                602, err::SystemText(QStringLiteral("Nelze nastavit tiskárnu"), e, QStringLiteral("-")),
                QStringLiteral("KelVBLib - chyba číslo 602"),
                QStringLiteral("KelVBLib - CKelPrinter - frmView - NastavTiskarnu"));
        PrintSettings().PrintResult = 602;
        failed();
    }
}

void frmView::cmbPrinters_Click(const QString& deviceName) {
    if (deviceName == CurrentPrinterName() || !SelectPrinter(deviceName))
        return;
    paginateAgain();
}

void frmView::paginateAgain() {
    PrintSettingsRecord& s = PrintSettings();
    const int oldCount = s.PageCount;
    NastavOkraje();
    FillPrinterList();
    if (!PripravNahled())
        return failed();
    const int count = s.PageCount;
    m_currentPage = std::clamp(m_currentPage, 1, count);
    m_endPage = m_endPage == oldCount ? count : std::clamp(m_endPage, 1, count);
    m_startPage = std::clamp(m_startPage, 1, m_endPage);
    txtPage[0]->setText(QString::number(m_startPage));
    txtPage[1]->setText(QString::number(m_endPage));
    ShowPage();
}

} // namespace lumo::print
