#include "library/FrmErr.h"

#include "platform/text/AnsiText.h"
#include "platform/ui/Units.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace lumo {

namespace {

// Layout in twips.
constexpr int kMargin = 120;
constexpr int kLabelLeft = 120;
constexpr int kLabelTop = 240;
constexpr int kLabelWidth = 5400;
constexpr int kFrameBelowLabel = 420;   // frame height = label height + this
constexpr int kButtonsBelowFrame = 105; // button top = frame height + this
constexpr int kClientBelowLabel = 880;  // window height = label height + this
constexpr int kButtonHeight = 330;
constexpr int kButtonGap = 60;
constexpr int kPictureWidth = 480;

// HTML Help: show the topic with a context number.
constexpr int kHelpContextCommand = 15;

// Buttons from left to right.
constexpr std::array<int, 7> kButtonOrder{0, 4, 5, 6, 1, 2, 3};

int px(int twips) {
    return ui::TwipsToPixels(twips);
}

} // namespace

frmErr::frmErr(ErrReport& report, QWidget* parent) : QDialog(parent), m_report(report) {
    m_previousDialog = ErrState().ErrDialogHwnd;
    buildControls();
    load();
}

frmErr::~frmErr() {
    ErrMain& state = ErrState();
    if (state.ErrDialogHwnd == this)
        state.ErrDialogHwnd = m_previousDialog;
}

void frmErr::buildControls() {
    setWindowTitle(QStringLiteral("Chyba"));
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    // A description too long for the screen scrolls; the buttons stay in reach.
    m_scroll = new QScrollArea(Frame1);
    m_scroll->setObjectName(QStringLiteral("lblERRScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(false);
    lblERR = new QLabel(QStringLiteral("Text chyby"));
    lblERR->setObjectName(QStringLiteral("lblERR"));
    // Messages carry database text, paths and SQL: never markup.
    lblERR->setTextFormat(Qt::PlainText);
    lblERR->setWordWrap(true);
    lblERR->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scroll->setWidget(lblERR);

    static const std::array<QString, 7> captions{QStringLiteral("Esc - &Pokračovat"),
                                                 QStringLiteral("Ctrl-C - &Ukončit program"),
                                                 QStringLiteral("F1 - &Nápověda"),
                                                 QString(),
                                                 QStringLiteral("&Opakovat"),
                                                 QStringLiteral("&Ignorovat"),
                                                 QStringLiteral("Opravit")};
    for (int i : kButtonOrder) {
        auto* b = new QPushButton(captions.at(i), this);
        b->setObjectName(QStringLiteral("cmdErr%1").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdErr_Click(i); });
        cmdErr.at(i) = b;
    }
    img.insert(QStringLiteral("ON"), style()->standardIcon(QStyle::SP_MediaVolume));
    img.insert(QStringLiteral("OFF"), style()->standardIcon(QStyle::SP_MediaVolumeMuted));

    tmrErr = new QTimer(this);
    tmrErr->setObjectName(QStringLiteral("tmrErr"));
    connect(tmrErr, &QTimer::timeout, this, &frmErr::tmrErr_Timer);

    // The window sees every key before its buttons do.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void frmErr::load() {
    ErrMain& state = ErrState();
    m_waveReady = state.Seams.WaveReady();
    state.Seams.Beep(1200, 50);
    state.Seams.Beep(1100, 50);
    state.Seams.Beep(1000, 100);

    const ErrReport& r = m_report;
    cmdErr[1]->setVisible(!r.has(errBtnNoExit));
    cmdErr[2]->setVisible(r.has(errBtnHelp));
    cmdErr[3]->setVisible(state.SoundEnabled);
    cmdErr[4]->setVisible(r.has(errBtnRetry));
    cmdErr[5]->setVisible(r.has(errBtnIgnore));
    cmdErr[6]->setVisible(r.has(errBtnUserAction));
    cmdErr[6]->setText(r.ButtonCaption);

    // An interval of 0 leaves the timer off rather than closing at once.
    if (r.has(errBtnTimer) && r.TimerInterval > 0) {
        tmrErr->setInterval(int(qMin<long>(r.TimerInterval, 0x7FFFFFFF)));
        tmrErr->start();
    } else {
        tmrErr->stop();
        tmrErr->setInterval(0);
    }

    QPalette pal = palette();
    pal.setColor(QPalette::Window, ui::OleToColor(r.BackColor));
    pal.setColor(QPalette::WindowText, ui::OleToColor(r.ForeColor));
    setPalette(pal);
    for (QWidget* w : std::initializer_list<QWidget*>{this, Frame1, m_scroll->viewport(), lblERR}) {
        w->setPalette(pal);
        w->setAutoFillBackground(true);
    }
    setWindowTitle(r.Title);
    lblERR->setText(text::toLf(r.Message));

    m_picture = (m_waveReady && state.SoundEnabled) ? QStringLiteral("ON") : QStringLiteral("OFF");
    cmdErr[3]->setIcon(img.value(m_picture));
}

void frmErr::ShowLogFailure(const QString& logPath, const QString& reason) {
    setWindowTitle(m_report.Title + QStringLiteral("  ~ Varování! - nelze zapsat do knihy chyb ") + logPath);
    lblERR->setText(text::toLf(m_report.Message + QStringLiteral("\r\nErrorLog: ") + reason));
    if (isVisible())
        arrange();
}

// The tallest the text may show without the window leaving the screen's available area.
int frmErr::maxTextHeight() const {
    const QWidget* owner = parentWidget() ? parentWidget() : this;
    const QScreen* screen = owner->screen();
    if (!screen)
        return std::numeric_limits<int>::max();
    // Before the first show the window manager's frame is unknown: allow for a title bar.
    const int decoration = qMax(frameGeometry().height() - height(),
                                style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + px(kMargin));
    return qMax(lblERR->fontMetrics().height(),
                screen->availableGeometry().height() - decoration - px(kClientBelowLabel));
}

// The vertical rule is fixed: the frame grows with the label and the buttons sit
// just below it, up to the screen's height; a longer text scrolls. Widths are free;
// the label keeps its width.
void frmErr::arrange() {
    const int labelWidth = px(kLabelWidth);
    const int fullHeight = qMax(lblERR->heightForWidth(labelWidth), lblERR->fontMetrics().height());
    const int labelHeight = qMin(fullHeight, maxTextHeight());
    const bool scrolls = labelHeight < fullHeight;
    const int scrollWidth = scrolls ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) : 0;
    const int frameHeight = labelHeight + px(kFrameBelowLabel);
    const int buttonTop = frameHeight + px(kButtonsBelowFrame);

    int rowWidth = 0;
    for (int i : kButtonOrder) {
        QPushButton* b = cmdErr.at(i);
        if (b->isHidden())
            continue;
        const int w = (i == 3) ? px(kPictureWidth) : b->sizeHint().width();
        b->setGeometry(px(kMargin) + rowWidth, buttonTop, w, px(kButtonHeight));
        rowWidth += w + px(kButtonGap);
    }
    const int frameWidth = qMax(labelWidth + scrollWidth + 2 * px(kLabelLeft), rowWidth - px(kButtonGap));
    Frame1->setGeometry(px(kMargin), 0, frameWidth, frameHeight);
    m_scroll->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_scroll->setGeometry(px(kLabelLeft), px(kLabelTop), labelWidth + scrollWidth, labelHeight);
    lblERR->resize(labelWidth, scrolls ? fullHeight : labelHeight);
    setFixedSize(frameWidth + 2 * px(kMargin), labelHeight + px(kClientBelowLabel));
}

void frmErr::showEvent(QShowEvent* event) {
    arrange();
    ErrMain& state = ErrState();
    if (m_waveReady && state.SoundEnabled)
        state.Seams.PlayWave(m_report.WaveFile);
    state.ErrDialogHwnd = this;
    QDialog::showEvent(event);
}

void frmErr::done(int result) {
    tmrErr->stop();
    QDialog::done(result);
}

void frmErr::tmrErr_Timer() {
    ErrMain& state = ErrState();
    if (!state.TimerArmed) {
        state.TimerArmed = true;
        return;
    }
    done(0);
}

// The dialog's result is the index of the button that closed it.
void frmErr::cmdErr_Click(int index) {
    ErrMain& state = ErrState();
    switch (index) {
    case 0:
        done(0);
        break;
    case 1:
        if (m_report.has(errBtnNoEnd)) {
            m_report.AbortRequested = true;
            m_report.ErrAbort = true;
            done(1);
            return;
        }
        // Ends the process at once, as the button says; the log entry is already
        // closed. Running destructors here, inside a nested event loop, is unsafe.
        std::fflush(nullptr);
        std::_Exit(static_cast<std::int16_t>(m_report.ExitCode));
    case 2: {
        long context = m_report.HelpContext;
        ShowErrHelp(context);
        break;
    }
    case 3:
        if (m_waveReady && state.SoundEnabled)
            state.Seams.PlayWave(m_report.WaveFile);
        else
            state.Seams.Beep(1200, 150);
        break;
    case 4:
        m_report.ResumeErr = true;
        done(4);
        break;
    case 5:
        m_report.ResumeNext = true;
        done(5);
        break;
    case 6:
        m_report.UserAction = true;
        done(6);
        break;
    default:
        break;
    }
}

bool frmErr::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (handleKey(key->key(), key->modifiers()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Enter closes like the continue button even when the exit button has focus.
bool frmErr::handleKey(int key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        cmdErr_Click(0);
        return true;
    case Qt::Key_C:
        if (!(modifiers & Qt::ControlModifier))
            return false;
        if (!cmdErr[1]->isHidden())
            cmdErr_Click(1);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return scrollText(key);
    case Qt::Key_F1:
        if (!cmdErr[2]->isHidden()) {
            long context = m_report.HelpContext;
            ShowErrHelp(context);
        }
        return true;
    default:
        return false;
    }
}

// A description that scrolls takes the reading keys; otherwise they stay the buttons'.
bool frmErr::scrollText(int key) {
    QScrollBar* bar = m_scroll->verticalScrollBar();
    if (bar->maximum() <= 0)
        return false;
    static const QHash<int, QAbstractSlider::SliderAction> actions{
        {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub},
        {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd},
        {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
        {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
        {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
        {Qt::Key_End, QAbstractSlider::SliderToMaximum}};
    bar->triggerAction(actions.value(key));
    return true;
}

QString frmErr::ErrHelpPath() const {
    return text::rightTrimBlanks(m_report.HelpFile) + QStringLiteral(">Main");
}

// The help viewer reports nothing back; a missing help file simply shows nothing.
void frmErr::ShowErrHelp(long& HelpContext) {
    ErrState().Seams.HtmlHelp(ErrState().ErrDialogHwnd, ErrHelpPath(), kHelpContextCommand, HelpContext);
}

} // namespace lumo
