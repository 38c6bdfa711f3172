#include "mainwindow/FullTextPanel.h"

#include "core/AppContext.h"
#include "core/Settings.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/FullTextSearch.h"
#include "platform/err/VbError.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/OneLineBox.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidget>

namespace lumo {

namespace {

constexpr long kYellow = 65535;
constexpr long kWhite = 0xFFFFFF;
constexpr long kSystemWindow = 0x80000005;
// The least time between two redraws of the found herbs' count during a scan.
constexpr qint64 kFoundRedrawMs = 40;
const char* const kSearchMenus[] = {"mnuVyber", "mnuTisk", "mnuHledani", "mnuNastroje"};

int px(int twips) {
    return ui::TwipsToPixels(twips);
}

// A list without an edit field is drawn as a button: both take the colour.
void setBackground(QWidget* w, long oleColor) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, ui::OleToColor(oleColor));
    p.setColor(QPalette::Button, ui::OleToColor(oleColor));
    w->setPalette(p);
}

} // namespace

FullTextPanel::FullTextPanel(FrmMain& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("FullTextPanel"));
    createControls();
}

void FullTextPanel::createControls() {
    QFrame* frame = m_form.Frame1;
    frame->resize(px(4800), px(2430));
    LblFind = new QLabel(QStringLiteral("Hledaný text:"), frame);
    LblFind->setObjectName(QStringLiteral("LblFind"));
    LblFind->setGeometry(px(120), px(120), px(4560), px(255));
    TxtFind = new QLineEdit(frame);
    TxtFind->setObjectName(QStringLiteral("TxtFind"));
    ui::KeepOneLine(*TxtFind);
    TxtFind->setGeometry(px(120), px(390), px(4560), px(330));
    QComboBox* parts = m_form.CmbFind;
    parts->setGeometry(px(120), px(810), px(4560), px(330));
    parts->setEditable(false);
    const char* const captions[2] = {"&Hledat", "&Zavřít"};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(captions[i]), frame);
        button->setObjectName(QStringLiteral("CmdFind%1").arg(i));
        button->setGeometry(px(i == 0 ? 2160 : 3480), px(1260), px(1200), px(375));
        button->setAutoDefault(true); // Enter on the focused button presses it
        connect(button, &QPushButton::clicked, this, [this, i] { CmdFind_Click(i); });
        CmdFind[static_cast<size_t>(i)] = button;
    }
    PgB = new QProgressBar(frame);
    PgB->setObjectName(QStringLiteral("PgB"));
    PgB->setGeometry(px(120), px(1740), px(4560), px(240));
    PgB->setRange(0, 100);
    PgB->setTextVisible(false);
    PgB->hide();
    LblRun = new QLabel(frame);
    LblRun->setObjectName(QStringLiteral("LblRun"));
    LblRun->setGeometry(px(120), px(2040), px(4560), px(255));
    LblRun->hide();
    // Enter and Down in the expression box lead on to the part list, then to the buttons.
    QWidget::setTabOrder(TxtFind, parts);
    QWidget::setTabOrder(parts, CmdFind[0]);
    QWidget::setTabOrder(CmdFind[0], CmdFind[1]);
    frame->setAutoFillBackground(true);
    connect(parts, &QComboBox::activated, this, [this](int index) { m_form.FindPart = index; });
    for (QWidget* w : {static_cast<QWidget*>(TxtFind), static_cast<QWidget*>(parts)})
        w->installEventFilter(this);
}

void FullTextPanel::NactiCastiHledani() {
    QComboBox* parts = m_form.CmbFind;
    parts->clear();
    parts->addItem(QStringLiteral("Celý článek"));
    const QList<QAction*> sections = m_form.TbSeg->actions();
    for (int i = 1; i <= 22; ++i) {
        const QString title = App().Settings.SegmentTitles[i];
        if (i - 1 < sections.size())
            sections[i - 1]->setToolTip(title);
        parts->addItem(title);
    }
}

void FullTextPanel::setWindowEnabled(bool on) {
    for (const char* name : kSearchMenus) {
        if (auto* menu = m_form.findChild<QMenu*>(QString::fromLatin1(name)))
            menu->menuAction()->setEnabled(on);
    }
    for (QWidget* w : {static_cast<QWidget*>(m_form.Tb), static_cast<QWidget*>(m_form.Lv),
                       static_cast<QWidget*>(m_form.TxtByl), m_form.STab})
        w->setEnabled(on);
}

void FullTextPanel::setInputEnabled(bool on) {
    TxtFind->setEnabled(on);
    m_form.CmbFind->setEnabled(on);
    for (QPushButton* button : CmdFind)
        button->setEnabled(on);
}

void FullTextPanel::ZapniHledani() {
    setWindowEnabled(false);
    m_form.Frame1->show();
    m_form.Frame1->raise();
    TxtFind->setText(m_form.FindText);
    LblRun->hide();
    PgB->hide();
    TxtFind->setFocus();
}

void FullTextPanel::VypniHledani() {
    m_form.Frame1->hide();
    setWindowEnabled(true);
    // The panel's controls are gone (and were disabled during the scan, which let the focus
    // wander): the keys go on to the search box over the list, as after every view command.
    m_form.focusSearchBox();
    // The record is shown again on its own page only: the page controls lie over each other.
    if (m_form.ListMode == 1)
        m_form.UkazZalozku();
}

void FullTextPanel::CmdFind_Click(int Index) {
    if (m_scanning)
        return;
    if (Index == 0) {
        m_form.FindText = text::rightTrimBlanks(TxtFind->text());
        if (!m_form.FindText.trimmed().isEmpty())
            NactiBylinySTextem();
    }
    VypniHledani();
}

void FullTextPanel::endScan(const QString& caption) {
    PgB->hide();
    PgB->setValue(0);
    LblRun->hide();
    LblRun->setText(caption);
    setInputEnabled(true);
    m_scanning = false;
}

void FullTextPanel::NactiBylinySTextem() {
    db::Connection* connection = App().DbConnection.get();
    // Closing the window meanwhile takes effect once the scan has ended.
    FrmMain::BusyScope busy(m_form);
    m_scanning = true;
    std::vector<long> found;
    // A word found in thousands of herbs would otherwise redraw the window once a herb: the
    // count is drawn at the screen's pace, and each new percentage as it comes.
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    const auto letEventsRun = [&sinceEvents] {
        QCoreApplication::processEvents();
        sinceEvents.restart();
    };
    try {
        if (!connection)
            err::Raise(91);
        FullTextSearch::Progress progress;
        bool started = false;
        progress.percentChanged = [&](int percent) {
            if (!started) {
                started = true;
                PgB->setValue(0);
                PgB->show();
                LblRun->setText(QStringLiteral("Hledání zahájeno"));
                LblRun->show();
                setInputEnabled(false);
                letEventsRun();
            }
            PgB->setValue(percent);
            letEventsRun();
        };
        progress.herbFound = [&](int count) {
            LblRun->setText(QStringLiteral("Nalezeno %1 bylin").arg(count));
            if (sinceEvents.elapsed() >= kFoundRedrawMs)
                letEventsRun();
        };
        found = FullTextSearch::Run(*connection, m_form.FindText, m_form.FindPart, progress);
    } catch (...) {
        err::CaptureCurrentException();
        m_form.reportError(33, QStringLiteral("Nelze načíst texty, kontaktujte technickou podporu"),
                           QStringLiteral("Nelze načíst texty"),
                           QStringLiteral("LUMO-FrmMain-NactiBylinySTextem-"), true);
        endScan(QStringLiteral("Hledání přerušeno"));
        return;
    }
    endScan(QStringLiteral("Hledání ukončeno"));
    const QString part = m_form.CmbFind->currentText();
    if (found.empty()) {
        if (CKelErr* errObj = App().ErrObj.get())
            errObj->ErrView(48,
                            QStringLiteral("Nebyly nalezeny žádné byliny s textem ") + m_form.FindText +
                                QStringLiteral(" v části ") + part,
                            QStringLiteral("Výraz nenalezen"),
                            QStringLiteral("LUMO-FrmMain-NactiBylinySTextem"), 8,
                            QStringLiteral("KelErr.Hlp"), 0, 0x8000000F, 0x80000008);
        return;
    }
    m_form.setPanelText(QStringLiteral("Podminka"), QStringLiteral("Byliny s textem ") + m_form.FindText +
                                                        QStringLiteral(" (") + part + u')');
    m_form.NactiNazvy(FullTextSearch::ResultSql(found), 0);
}

bool FullTextPanel::eventFilter(QObject* watched, QEvent* event) {
    CKelSrv* srv = App().SrvObj.get();
    if (watched == TxtFind) {
        if (event->type() == QEvent::FocusIn && srv)
            srv->TBoxGotFocus(TxtFind, kYellow, 0);
        else if (event->type() == QEvent::FocusOut && srv)
            srv->TBoxLostFocus(TxtFind, kWhite, 0);
        else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
                // Enter and Down go on to the next control, Up back to the previous one.
                const bool next =
                    key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Down;
                if (next || key->key() == Qt::Key_Up) {
                    QKeyEvent tab(QEvent::KeyPress, next ? Qt::Key_Tab : Qt::Key_Backtab,
                                  next ? Qt::NoModifier : Qt::ShiftModifier);
                    QCoreApplication::sendEvent(TxtFind, &tab);
                    return true;
                }
            }
        }
    } else if (auto* parts = qobject_cast<QComboBox*>(watched)) {
        // The part list; the window may be half destroyed when its last focus change comes.
        if (event->type() == QEvent::FocusIn)
            setBackground(parts, kYellow);
        else if (event->type() == QEvent::FocusOut)
            setBackground(parts, kSystemWindow);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lumo
