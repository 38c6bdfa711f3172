// The preview's keys, the margins panel and the page-range boxes.
#include "print/frmView.h"

#include "platform/text/AnsiText.h"
#include "platform/ui/Units.h"
#include "print/MPrint.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace lumo::print {

namespace {

const QColor kFocusColor(255, 255, 0); // yellow, 65535

void setBoxColor(QLineEdit* box, bool focused) {
    QPalette p = box->palette();
    p.setColor(QPalette::Base, focused ? kFocusColor : QApplication::palette().color(QPalette::Base));
    box->setPalette(p);
    if (focused)
        box->setSelection(0, int(text::rightTrimBlanks(box->text()).size()));
}

} // namespace

void frmView::ShowMarginsPanel() {
    button(QStringLiteral("OKRAJE"))->setEnabled(false);
    Frame1->show();
    cmdX->setEnabled(true);
    cmbPrinters->setEnabled(false);
    txtMargin[0]->setFocus();
}

bool frmView::marginValid(int index) const {
    const std::optional<double> v = parseNumber(txtMargin[index]->text());
    return v && *v >= 0;
}

void frmView::closeMarginsPanel() {
    button(QStringLiteral("OKRAJE"))->setEnabled(true);
    Frame1->hide();
    cmdX->setEnabled(false);
    cmbPrinters->setEnabled(true);
}

void frmView::cmdX_Click() {
    for (int i = 0; i < 4; ++i) {
        if (!marginValid(i)) {
            txtMargin[i]->setFocus();
            return;
        }
    }
    std::array<float, 4> mm{};
    for (int i = 0; i < 4; ++i)
        mm[i] = float(std::max(parseNumber(txtMargin[i]->text()).value_or(0), 0.0));
    // Margins that leave no room for the text are refused like a wrong number: pages cut for
    // them would fail, close the preview and fail again in every later one.
    if (!m_engine.LeavesRoom(mm)) {
        lblPage[3]->setText(QStringLiteral("Okraje stránky nenechávají místo pro text, zmenšete je"));
        txtMargin[size_t(std::max_element(mm.begin(), mm.end()) - mm.begin())]->setFocus();
        return;
    }
    closeMarginsPanel();
    lblPage[3]->clear();
    PrintSettingsRecord& s = PrintSettings();
    float* fields[] = {&s.LeftMargin, &s.RightMargin, &s.TopMargin, &s.BottomMargin};
    for (int i = 0; i < 4; ++i)
        *fields[i] = mm[i];
    // Pages cut for the old margins would lose lines in new ones: cut them again.
    paginateAgain();
}

void frmView::ValidatePageRange(int index) {
    const std::optional<double> v = parseNumber(txtPage[index]->text());
    const int count = PrintSettings().PageCount;
    if (v) {
        const int n = int(std::nearbyint(*v));
        if (index == 0)
            m_startPage = std::max(std::min(n, m_endPage), 1);
        else
            m_endPage = std::min(std::max(n, m_startPage), count);
    }
    txtPage[index]->setText(QString::number(index == 0 ? m_startPage : m_endPage));
    updatePageStyle();
}

bool frmView::formKey(QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        const bool command = key.key() == Qt::Key_F6 || key.key() == Qt::Key_F7 || key.key() == Qt::Key_F9;
        if (command && !m_activated)
            return true; // the preview is still being prepared: nothing to print or set up yet
        switch (key.key()) {
        case Qt::Key_Escape:
            if (Frame1->isVisible()) {
                // Esc in the margins panel closes the panel, not the preview.
                if (marginValid(0) && marginValid(1) && marginValid(2) && marginValid(3))
                    cmdX_Click();
            } else {
                reject();
            }
            return true;
        case Qt::Key_F6:
            TiskDokumentu();
            return true;
        case Qt::Key_F7:
            NastavTiskarnu();
            return true;
        case Qt::Key_F9:
            ShowMarginsPanel();
            return true;
        default:
            return false;
        }
    }
    if (mods == Qt::ControlModifier && !Frame1->isVisible()) {
        if (key.key() == Qt::Key_PageUp) {
            if (m_currentPage >= 2)
                goToPage(m_currentPage - 1);
            return true;
        }
        if (key.key() == Qt::Key_PageDown) {
            if (m_currentPage < PrintSettings().PageCount)
                goToPage(m_currentPage + 1);
            return true;
        }
    }
    return false;
}

bool frmView::boxKey(QLineEdit* box, QKeyEvent& key) {
    const int k = key.key();
    for (int i = 0; i < 4; ++i) {
        if (box != txtMargin[i])
            continue;
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            if (i == 3)
                cmdX_Click();
            else
                txtMargin[i + 1]->setFocus();
            return true;
        }
        if (k == Qt::Key_Down || k == Qt::Key_Up) {
            txtMargin[(i + (k == Qt::Key_Down ? 1 : 3)) % 4]->setFocus();
            return true;
        }
        return false;
    }
    const int i = box == txtPage[0] ? 0 : 1;
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Down) {
        (i == 0 ? static_cast<QWidget*>(txtPage[1]) : viewer())->setFocus();
        return true;
    }
    if (k == Qt::Key_Up) {
        (i == 1 ? static_cast<QWidget*>(txtPage[0]) : viewer())->setFocus();
        return true;
    }
    return false;
}

bool frmView::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return QDialog::eventFilter(watched, event);
    auto* box = qobject_cast<QLineEdit*>(watched);
    const bool margin = box && std::find(txtMargin.begin(), txtMargin.end(), box) != txtMargin.end();
    const bool range = box && (box == txtPage[0] || box == txtPage[1]);
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        // lblView_Click: a margin label focuses the margin box of the same index.
        const auto label = std::find(lblView.begin(), lblView.end(), watched);
        if (label != lblView.end())
            txtMargin[size_t(label - lblView.begin())]->setFocus(Qt::MouseFocusReason);
        break;
    }
    case QEvent::KeyPress: {
        auto& key = static_cast<QKeyEvent&>(*event);
        // The form sees keys before its controls.
        if (formKey(key))
            return true;
        if ((margin || range) && boxKey(box, key))
            return true;
        break;
    }
    case QEvent::FocusIn:
        if (margin || range)
            setBoxColor(box, true);
        break;
    case QEvent::FocusOut:
        if (margin) {
            setBoxColor(box, false);
            // A margin box is not left while it holds no number of 0 or more.
            const int i = int(std::find(txtMargin.begin(), txtMargin.end(), box) - txtMargin.begin());
            if (!marginValid(i) && Frame1->isVisible())
                QTimer::singleShot(0, box, [box] { box->setFocus(); });
        } else if (range) {
            setBoxColor(box, false);
            if (!m_firstActivation)
                ValidatePageRange(box == txtPage[0] ? 0 : 1);
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

QString GetWordAtPoint(ui::RichTextBox& box, int x, int y) {
    const int twipsPerPixel = std::max(1, int(ui::kTwipsPerInch / ui::LogicalDpi()));
    const int index = box.charFromPos(QPoint(x / twipsPerPixel, y / twipsPerPixel));
    if (index < 1)
        return QString();
    const QString text = box.Text();
    auto word = [&](int i) {
        if (i < 0 || i >= text.size())
            return false;
        const QChar c = text.at(i);
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
    };
    if (!word(index))
        return QString();
    int from = index, to = index + 1;
    while (word(from - 1))
        --from;
    while (word(to))
        ++to;
    return text.mid(from, to - from);
}

} // namespace lumo::print
