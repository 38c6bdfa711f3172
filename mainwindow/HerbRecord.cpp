#include "mainwindow/HerbRecord.h"

#include "core/AppContext.h"
#include "library/CKelSrv.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/HerbRecordComposer.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScopeGuard>
#include <QToolBar>
#include <QTreeWidget>

namespace lumo {

namespace {

// How often a running composition lets the window repaint.
constexpr qint64 kRepaintMs = 40;

// Button images: the section's number, green while shown, grey and struck through while hidden.
QIcon segmentIcon(int section, bool shown) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(shown ? QColor(0x2e, 0x7d, 0x32) : QColor(0xb0, 0xb0, 0xb0));
    p.drawRoundedRect(QRectF(1, 1, 18, 18), 3, 3);
    QFont font;
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QString::number(section));
    if (!shown) {
        p.setPen(QPen(QColor(0x80, 0, 0), 2));
        p.drawLine(4, 16, 16, 4);
    }
    return QIcon(pixmap);
}

// Seconds as the timing log has always written them: plain decimals in the user's format.
QString secondsText(double seconds) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(seconds, 'f', 6);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(locale.decimalPoint()))
        text.chop(locale.decimalPoint().size());
    return text;
}

} // namespace

HerbRecord::HerbRecord(FrmMain& form) : m_form(form) {
    createButtons();
    m_form.pgbInf->setRange(0, HerbRecordComposer::kProgressMax);
    m_form.RtfTemp->viewport()->installEventFilter(this);
    m_form.RtfTemp->viewport()->setCursor(Qt::ArrowCursor);
}

HerbRecord::~HerbRecord() = default;

void HerbRecord::createButtons() {
    for (int i = 1; i <= kSegmentCount; ++i) {
        QAction* button = m_form.TbSeg->addAction(QString::number(i));
        button->setObjectName(QStringLiteral("TbSeg%1").arg(i));
        button->setToolTip(App().Settings.SegmentTitles[i]);
        m_buttons[static_cast<size_t>(i)] = button;
        setSectionShown(i, true);
        connect(button, &QAction::triggered, this, [this, i] { TbSeg_ButtonClick(i); });
        if (QWidget* widget = m_form.TbSeg->widgetForAction(button))
            widget->installEventFilter(this);
    }
}

bool HerbRecord::sectionShown(int i) const {
    return m_buttons[static_cast<size_t>(i)]->property("Tag").toInt() != 0;
}

void HerbRecord::setSectionShown(int i, bool shown) {
    QAction* button = m_buttons[static_cast<size_t>(i)];
    button->setProperty("Tag", shown ? 1 : 0);
    button->setProperty("Image", shown ? i : i + kSegmentCount);
    button->setIcon(segmentIcon(i, shown));
}

void HerbRecord::showBusy(bool on) {
    m_form.Frame2->setVisible(on);
    m_form.pgbInf->setValue(0);
    m_form.pgbInf->setVisible(on);
    // The cover only hides the record while it is rebuilt; it never lies over another page.
    m_form.TxtTemp->setVisible(on && m_form.RtfByl->isVisible());
    if (on) {
        m_form.TxtTemp->raise();
        m_form.Frame2->raise();
    }
}

bool HerbRecord::keepGoing(quint64 generation, int progress) {
    if (generation != m_generation)
        return false;
    if (!m_sinceRepaint.isValid() || m_sinceRepaint.elapsed() >= kRepaintMs) {
        // The bar moves only when it is repainted: each change of its value costs a repaint.
        m_form.pgbInf->setValue(progress >= 0 ? progress : HerbRecordComposer::kProgressMax);
        // Repaint only: a selection made meanwhile is handled once this load is done.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_sinceRepaint.start();
    }
    if (onYield)
        onYield();
    return generation == m_generation;
}

void HerbRecord::UkazBylinu() {
    FrmMain::BusyScope busy(m_form);
    QElapsedTimer clock;
    clock.start();
    const quint64 generation = ++m_generation;
    ++m_loadDepth;
    const auto done = qScopeGuard([this] { endLoad(); });

    QTreeWidgetItem* item = m_form.selectedListItem();
    if (!item) {
        m_form.TxtByl->clear();
        m_form.CurrentHerb = 0;
        m_form.RtfByl->setText(QString());
        writeTimingLine(clock.nsecsElapsed());
        return;
    }
    const long id = FrmMain::listId(item);
    const QString name = item->text(0);
    showBusy(true);
    m_sinceRepaint.invalidate(); // the busy panel is painted before the work starts
    if (!keepGoing(generation, 0))
        return;
    db::Connection* connection = App().DbConnection.get();
    const CKelSrv* srv = App().SrvObj.get();
    if (!connection || !srv) {
        showBusy(false);
        return;
    }
    RecordRequest request;
    request.Idx = id;
    request.HerbName = name;
    for (const LanguageEntry& l : m_form.Languages)
        request.Languages.emplace_back(l.Idx, l.Nazev);
    for (int i = 1; i <= kSegmentCount; ++i)
        request.Shown[static_cast<size_t>(i)] = sectionShown(i);
    request.FindText = m_form.FindText;

    HerbRecordComposer composer(*connection, App().Settings, *srv, App().ErrObj.get());
    const ComposedRecord record = composer.NactiBylinu(
        request, [this, generation](int progress) { return keepGoing(generation, progress); });
    // An error report's dialog may have let a newer selection in after the last test.
    if (record.outcome == ComposedRecord::Outcome::Superseded || generation != m_generation)
        return;
    applyRecord(id, name, record);
    showBusy(false);
    writeTimingLine(clock.nsecsElapsed());
}

void HerbRecord::applyRecord(long id, const QString& name, const ComposedRecord& record) {
    m_form.CurrentHerb = id;
    m_form.CurrentHerbName = name;
    m_form.RtfByl->setTextRTF(record.Rtf);
    ProgramSettings& settings = App().Settings;
    for (int i = 1; i <= kSegmentCount; ++i) {
        const auto index = static_cast<size_t>(i);
        if (record.ButtonEnabled[index])
            m_buttons[index]->setEnabled(*record.ButtonEnabled[index]);
        if (record.Captions[index])
            settings.Segments[i].Caption = *record.Captions[index];
    }
    // A failed composition leaves the lists as they are, as the loaders return on a failure.
    if (record.outcome != ComposedRecord::Outcome::Failed)
        m_form.RefillHerbLists(id);
    m_form.RtfByl->setSelStart(0);
    if (m_form.focusWidget() != m_form.TxtByl) {
        // Replaced as a selection, so that the box's search runs also when the text is the same.
        m_form.TxtByl->selectAll();
        m_form.TxtByl->insert(name);
    } else {
        // The box keeps its text (a herb link clicked in a description), so its search does not
        // run again: the status bar still named the herb shown before.
        m_form.setPanelText(QStringLiteral("Popis"), name);
    }
}

void HerbRecord::endLoad() {
    if (--m_loadDepth > 0)
        return;
    m_form.ForceLoad = false;
    showBusy(false);
}

void HerbRecord::writeTimingLine(qint64 nanoseconds) const {
    const CKelSrv* srv = App().SrvObj.get();
    if (App().Settings.LogLevel != 2 || !srv)
        return;
    srv->SaveLogMessage(srv->CompletePath(paths::ProgramDir()) + QStringLiteral("Lumo.log"),
                        QStringLiteral("Výběr byliny ") + m_form.CurrentHerbName + QStringLiteral(" - ") +
                            secondsText(double(nanoseconds) / 1e9) + QStringLiteral("sec"));
}

void HerbRecord::TbSeg_ButtonClick(int Button) {
    if (Button < 1 || Button > kSegmentCount)
        return;
    // The click's own modifiers decide: a Ctrl release this window never saw (a dialog had
    // the keyboard) must not turn a plain click into a hiding one.
    const Qt::KeyboardModifiers modifiers =
        m_clickModifiers ? *m_clickModifiers : QGuiApplication::queryKeyboardModifiers();
    m_clickModifiers.reset();
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    m_form.CtrlDown = false;
    bool recompose = false;
    if (ctrl) {
        setSectionShown(Button, !sectionShown(Button));
        recompose = true;
    } else if (!sectionShown(Button)) {
        setSectionShown(Button, true);
        recompose = true;
    }
    m_form.TbSeg->update();
    // A section just shown is in the record only once it is recomposed: scroll after that.
    if (recompose)
        UkazBylinu();
    if (!ctrl)
        scrollToSection(Button);
}

bool HerbRecord::scrollToSection(int i) {
    const ProgramSettings& s = App().Settings;
    const SegmentSettings& seg = s.Segments[i];
    if (seg.Caption.isEmpty())
        return false;
    ui::RichTextBox* box = m_form.RtfByl;
    const QString text = box->Text();
    for (qsizetype at = text.indexOf(seg.Caption, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(seg.Caption, at + 1, Qt::CaseInsensitive)) {
        // The caption may also occur in running text or end another heading ("Indikace:" in
        // "Kontraindikace:"): only a heading that begins its line counts.
        if (at > 0 && text[at - 1] != u'\n' && text[at - 1] != u'\r')
            continue;
        const QTextCharFormat f = box->charFormatAt(static_cast<int>(at));
        const long colour =
            f.foreground().style() == Qt::NoBrush ? -1 : ui::ColorToOle(f.foreground().color());
        const bool heading =
            s.SafeText ? colour == PaletteColor(seg.TitleColor) && qRound(f.fontPointSize()) == seg.TitleSize
                       : colour == 0x8000;
        if (!heading)
            continue;
        box->setFocus();
        // From the end back up, so that the heading comes to the top.
        box->setSelStart(box->TextLength());
        box->setSelStart(static_cast<int>(at));
        return true;
    }
    return false;
}

int HerbRecord::NajdiOddil(const ui::RichTextBox& box) {
    static const struct {
        int part;
        const char* heading;
    } kParts[] = {{2, "Seznam bylin"}, {1, "Související indikace"}, {0, "Širší indikace"}};
    const QString text = box.Text();
    const int caret = box.SelStart();
    for (const auto& p : kParts) {
        const qsizetype at = text.indexOf(QString::fromUtf8(p.heading), 0, Qt::CaseInsensitive) + 1;
        if (at > 0 && at < caret)
            return p.part;
    }
    return -1;
}

long HerbRecord::herbAtCaret() const {
    const QString text = m_form.RtfTemp->Text();
    const qsizetype heading = text.indexOf(QStringLiteral("Seznam bylin"), 0, Qt::CaseInsensitive);
    const int caret = m_form.RtfTemp->SelStart();
    if (heading < 0 || caret <= heading)
        return 0;
    // The heading's line, then one line a name.
    const qsizetype line = QStringView(text).mid(heading, caret - heading).count(u'\n') - 1;
    const std::vector<long>& herbs = m_form.DescriptionHerbs;
    return line >= 0 && line < qsizetype(herbs.size()) ? herbs[size_t(line)] : 0;
}

void HerbRecord::RtfTemp_MouseUp(Qt::MouseButton Button) {
    CKelSrv* srv = App().SrvObj.get();
    if (Button != Qt::LeftButton || !srv)
        return;
    const QString word = srv->TextOver(*m_form.RtfTemp);
    if (word.trimmed().isEmpty())
        return;
    if (NajdiOddil(*m_form.RtfTemp) >= 2) {
        // A herb of the description's list: back to the herb list, where the word selects it.
        // The refill does not show the herb shown before: only the new one is composed.
        const QString key = QStringLiteral("K") + QString::number(herbAtCaret());
        m_form.NactiSeznamBylin(false);
        m_form.CurrentTab = m_form.tabIndex() + 1;
        m_form.NastavTb();
        srv->TBoxGotFocus(m_form.TxtByl, 0xFFFFFF, 0);
        m_form.TxtByl->setFocus();
        // A name two herbs share (a folk name) is the clicked line's herb: selected first, it
        // stays selected when the box takes the name.
        for (int i = 0; i < m_form.Lv->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = m_form.Lv->topLevelItem(i);
            if (FrmMain::listKey(item) == key && item->text(0).trimmed() == word.trimmed()) {
                m_form.selectListItem(item);
                break;
            }
        }
    }
    m_form.TxtByl->setText(word);
    m_form.UkazVybrane();
}

bool HerbRecord::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
        if (qobject_cast<QWidget*>(watched) && static_cast<QWidget*>(watched)->parentWidget() == m_form.TbSeg)
            m_clickModifiers = static_cast<QMouseEvent*>(event)->modifiers();
    }
    if (watched == m_form.RtfTemp->viewport() && event->type() == QEvent::MouseButtonRelease)
        RtfTemp_MouseUp(static_cast<QMouseEvent*>(event)->button());
    return QObject::eventFilter(watched, event);
}

} // namespace lumo
