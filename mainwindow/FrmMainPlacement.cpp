#include "mainwindow/FrmMain.h"

#include "core/AppContext.h"
#include "core/Settings.h"
#include "mainwindow/FrmMainLayout.h"
#include "platform/ui/Units.h"

#include <QGuiApplication>
#include <QMoveEvent>
#include <QScreen>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <cmath>

// The window's placement: read from the settings, kept on the screen, fitted after a restore.

namespace lumo {

namespace {

// Timer ticks to wait for the window manager's frame after showing.
constexpr int kFrameWaitTicks = 10;

int px(int twips) {
    return ui::TwipsToPixels(twips);
}

int toTwips(int pixels) {
    return static_cast<int>(std::lround(ui::PixelsToTwips(pixels)));
}

} // namespace

void FrmMain::placeFromSettings() {
    const ProgramSettings& s = App().Settings;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const QSize full = ScreenSizeTwips();
    const TwipRect areaTwips = area.isEmpty() ? TwipRect{0, 0, full.width(), full.height()}
                                              : TwipRect{toTwips(area.x()), toTwips(area.y()),
                                                         toTwips(area.width()), toTwips(area.height())};
    m_placement = PlaceMainWindow({s.Left, s.Top, s.Width, s.Height}, areaTwips);
    keepPlacementOnScreen(QSize());
    m_frameFixed = false;
    m_frameWaitTicks = 0;
    // The stored rectangle is the outer one; until the window manager has framed the window
    // the frame is unknown, and the inner size is set to the outer one (fixFrameSize).
    move(px(m_placement.left), px(m_placement.top));
    resize(px(m_placement.width), px(m_placement.height));
}

// Once the window manager reports the frame, the inner size becomes the stored outer size less
// the frame, so that closing stores the very rectangle that was read. The frame arrives some
// time after the window is shown (a move, or one of the first timer ticks notices it); without
// a frame by then there is none.
void FrmMain::fixFrameSize(bool tick) {
    if (m_frameFixed || !isVisible() || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QSize frame = frameGeometry().size() - geometry().size();
    const bool framed = frame.width() > 0 || frame.height() > 0;
    if (!framed && (!tick || ++m_frameWaitTicks < kFrameWaitTicks))
        return;
    m_frameFixed = true;
    if (!framed)
        return;
    keepPlacementOnScreen(frame);
    move(px(m_placement.left), px(m_placement.top));
    resize(px(m_placement.width) - frame.width(), px(m_placement.height) - frame.height());
}

// The window's minimum size (the menu bar, the splitter's range) can make it larger than the
// rectangle it was placed by; it is then moved up or left so that the whole frame stays on the screen.
// A splitter whose range needs more width than the screen has (large fonts on a small screen)
// moves left until the window's minimum fits.
void FrmMain::keepPlacementOnScreen(QSize frame) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (area.isEmpty())
        return;
    const int room = area.width() - frame.width();
    if (px(MinimumClientWidth(m_imgLeft)) > room) {
        m_imgLeft = ClampSplit(m_imgLeft, toTwips(room));
        setMinimumWidth(px(MinimumClientWidth(m_imgLeft)));
    }
    const QSize outer =
        QSize(px(m_placement.width), px(m_placement.height)).expandedTo(minimumSize() + frame);
    const QPoint inside =
        ui::TopLeftInside(QRect(QPoint(px(m_placement.left), px(m_placement.top)), outer), area);
    m_placement.left = toTwips(inside.x());
    m_placement.top = toTwips(inside.y());
}

// The rectangle a maximized window is restored to may be narrower than the splitter, moved
// right while maximized, now needs: the window grows to its minimum and, grown, is moved back
// so that its frame stays on the screen.
void FrmMain::fitRestoredWindow() {
    if (windowState() != Qt::WindowNoState || !isVisible())
        return;
    const QRect outer = frameGeometry();
    m_placement = {toTwips(outer.x()), toTwips(outer.y()), toTwips(outer.width()), toTwips(outer.height())};
    keepPlacementOnScreen(outer.size() - size());
    resize(size().expandedTo(minimumSize()));
    if (QPoint(px(m_placement.left), px(m_placement.top)) != outer.topLeft())
        move(px(m_placement.left), px(m_placement.top));
}

void FrmMain::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    fixFrameSize(false);
}

void FrmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange &&
        (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMaximized))
        m_restoring = true;
}

} // namespace lumo
