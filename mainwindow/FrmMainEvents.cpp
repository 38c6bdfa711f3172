#include "mainwindow/FrmMain.h"

#include "core/AppContext.h"
#include "library/CKelSrv.h"
#include "mainwindow/FrmMainKeys.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidget>

namespace lumo {

namespace {

int mouseXTwips(const QEvent* event) {
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    return static_cast<int>(std::lround(ui::PixelsToTwips(qRound(mouse->position().x()))));
}

} // namespace

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (m_closed)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKeyPress(watched, static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return handleKeyRelease(watched, static_cast<QKeyEvent*>(event));
    case QEvent::FocusOut:
        if (watched == TxtByl)
            TxtByl_LostFocus();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return handleMouse(watched, event);
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// A key travels up the parents when the focused control ignores it; only its first delivery,
// to a control of this window, counts. The menu bar's keyboard navigation (Alt, the arrows, Esc
// back out of it) belongs to the menus, as a window's keys never see the menu loop's keys.
bool FrmMain::isOwnKeyTarget(const QWidget* widget) const {
    return widget && widget == widget->window()->focusWidget() && widget->window() == this &&
           widget != m_menuBar;
}

bool FrmMain::handleKeyPress(QObject* watched, QKeyEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!isOwnKeyTarget(widget))
        return false;
    const int keyCode = VbKeyCode(event->key(), event->nativeScanCode());
    const int shift = VbShiftState(event->modifiers());
    // A key that moves the list's selection by the list's own handling shows the item
    // on its release (see Lv_KeySelection); a key pressed anywhere else forgets it.
    if (!event->isAutoRepeat() && !IsModifierKey(event->key())) {
        m_lvKey = watched == Lv ? event->key() : 0;
        m_lvKeyItem = watched == Lv ? selectedListItem() : nullptr;
    }
    if (Form_KeyDown(keyCode, shift))
        return true;
    if (watched == TxtByl && TxtByl_KeyDown(keyCode, shift))
        return true;
    if (watched == Lv && Lv_KeyDown(keyCode, shift))
        return true;
    if (shift & (vbCtrlMask | vbAltMask))
        return false;
    return Form_KeyPress(event->text());
}

bool FrmMain::handleKeyRelease(QObject* watched, QKeyEvent* event) {
    // Held keys repeat their release too; only the real one counts.
    if (!isOwnKeyTarget(qobject_cast<QWidget*>(watched)) || event->isAutoRepeat())
        return false;
    Form_KeyUp();
    if (event->key() == Qt::Key_CapsLock || event->key() == Qt::Key_NumLock)
        UkazZamky();
    if (watched == Lv) {
        const bool navigating = KeyNavigation;
        Lv_KeyUp(VbKeyCode(event->key(), event->nativeScanCode()), VbShiftState(event->modifiers()));
        Lv_KeySelection(event->key(), navigating);
    }
    return false;
}

bool FrmMain::handleMouse(QObject* watched, QEvent* event) {
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (watched == img) {
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton)
            img_MouseDown();
        else if (event->type() == QEvent::MouseMove)
            img_MouseMove(mouseXTwips(event));
        else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
            img_MouseUp(mouseXTwips(event));
        return false;
    }
    if (watched == Lv->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            RightClick = mouse->button() == Qt::RightButton;
        else if (event->type() == QEvent::MouseMove)
            Form_MouseMove();
        else if (mouse->button() == Qt::RightButton) // the list reports left clicks only
            Lv_ItemClick(Lv->itemAt(mouse->position().toPoint()));
        return false;
    }
    if (watched == STab && event->type() == QEvent::MouseMove)
        Form_MouseMove();
    if (watched == TxtByl && event->type() == QEvent::MouseButtonRelease)
        TxtByl_Click();
    return false;
}

void FrmMain::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

bool FrmMain::Form_KeyDown(int KeyCode, int Shift) {
    if (Shift == vbCtrlMask)
        CtrlDown = true;
    if (KeyCode == vbKeyEscape && Shift == 0) {
        if (!App().Settings.EscEnabled || !Lv->isEnabled())
            return false;
        close();
        return true;
    }
    if (KeyCode == vbKeyF1 && Shift == 0) {
        if (Hooks.ShowHelp)
            Hooks.ShowHelp(HelpContextId(ListMode, tabIndex()));
        return true;
    }
    if (KeyCode == vbKeyUp && Shift == vbCtrlMask) {
        // The release reaches the search box, not the list or the record: their Ctrl+Up
        // work is done here.
        focusSearchBox();
        return true;
    }
    const int tab = TabForCtrlDigit(KeyCode, Shift, ListMode);
    if (tab >= 0) {
        setTabIndex(tab);
        return true;
    }
    return false;
}

void FrmMain::Form_KeyUp() {
    CtrlDown = false;
}

bool FrmMain::Form_KeyPress(const QString& Text) {
    // Keys without a character of their own (Delete brings DEL) type nothing.
    if (Text.isEmpty() || Text.at(0).unicode() < 32 || Text.at(0).category() == QChar::Other_Control ||
        !Lv->isEnabled() || CurrentTab != 0 || focusWidget() == TxtByl)
        return false;
    // The character replaces the search box text there, and typing goes on in the box; the
    // key itself still reaches the control it was typed in.
    TxtByl->setFocus();
    TxtByl->setText(Text);
    TxtByl->setCursorPosition(static_cast<int>(Text.size()));
    return false;
}

void FrmMain::focusSearchBox() {
    KeyNavigation = false;
    TxtByl->setFocus();
    if (CKelSrv* srv = App().SrvObj.get())
        srv->TBoxGotFocus(TxtByl, 0xFFFFFF, 0);
    else
        TxtByl->selectAll();
}

int FrmMain::tabIndex() const {
    return STabBar->currentIndex();
}

void FrmMain::setTabIndex(int tab) {
    STabBar->setCurrentIndex(tab);
}

void FrmMain::PrvniZalozka() {
    setTabIndex(0);
}

void FrmMain::STab_Click() {
    const int tab = tabIndex();
    CurrentTab = tab + 1;
    NastavTb();
    if (tab >= 1 && tab <= 7 && Hooks.TabChosen[static_cast<size_t>(tab)])
        Hooks.TabChosen[static_cast<size_t>(tab)]();
    QWidget* const focusTargets[8] = {RtfByl, LvUL, LvIndSk, nullptr, LvPrip, LvInd, LvKomb, LvCast};
    if (tab >= 0 && tab <= 7 && focusTargets[tab])
        focusTargets[tab]->setFocus();
}

void FrmMain::NastavTb() {
    for (int i = 1; i <= 9; ++i) {
        if (QAction* button = TbButtons[static_cast<size_t>(i)]) {
            button->setCheckable(true);
            button->setChecked(ListMode == i - 1);
        }
    }
    Tb->update();
    if (ListMode == 1)
        UkazZalozku();
}

void FrmMain::UkazZalozku() {
    // Until a tab is chosen after the first activation the strip's own page is shown,
    // so that a refill never hides the record.
    const long page = CurrentTab != 0 ? CurrentTab : tabIndex() + 1;
    for (QWidget* control : m_pageControls)
        control->setVisible(control->property("Tag").toInt() == page);
}

void FrmMain::img_MouseDown() {
    Splitting = true;
    STab->setEnabled(false);
    setSplitterHighlight(true);
    if (CurrentTab == 4)
        ImgByl->hide();
}

void FrmMain::img_MouseMove(int X) {
    setCursor(Qt::SizeHorCursor);
    setSplitterHighlight(true);
    if (Splitting)
        UmistiDelic(m_imgLeft + X);
}

void FrmMain::img_MouseUp(int X) {
    Splitting = false;
    UmistiDelic(m_imgLeft + X);
    STab->setEnabled(true);
    setSplitterHighlight(false);
    ImgByl->setVisible(ListMode == 1 && CurrentTab == 4);
}

void FrmMain::Form_MouseMove() {
    unsetCursor();
    setSplitterHighlight(false);
}

void FrmMain::setSplitterHighlight(bool on) {
    if (m_splitterHighlight == on)
        return;
    m_splitterHighlight = on;
    img->setBackgroundRole(on ? QPalette::Highlight : QPalette::Window);
}

} // namespace lumo
