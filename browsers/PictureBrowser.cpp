#include "browsers/PictureBrowser.h"

#include "browsers/BrowserErrors.h"
#include "browsers/InstallOnce.h"
#include "browsers/MainListSteps.h"
#include "browsers/PictureFit.h"
#include "mainwindow/FrmMain.h"
#include "platform/db/Recordset.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/ui/Units.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolBar>

namespace lumo {

namespace {

constexpr long kInvalidPicture = 481;
constexpr char kNotAvailable[] = "Obrázek není k dispozici";

constexpr LoadReport kLoadIds{19, "Nelze načíst obrázky, kontaktujte technickou podporu",
                              "Nelze načíst obrázky", "LUMO-FrmMain-NactiObrazky-"};
constexpr LoadReport kLoadPicture{20, "Nelze načíst obrázek, kontaktujte technickou podporu",
                                  "Nelze načíst obrázek", "LUMO-FrmMain-UkazObrazek-"};

enum Command { First, Last, Prev, Next, Print };

int px(double twips) {
    return ui::TwipsToPixels(twips);
}

// Writes the picture's bytes as the whole content of the file (truncated first: nothing of a
// longer earlier picture stays behind). A scratch file, so it is not synced to the disk.
// The picture is drawn from the bytes read, so a folder that takes no file (a read-only
// installation shared by several users) still shows it.
void writeWhole(const QString& path, const QByteArray& data) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(data);
}

} // namespace

QImage ReadPicture(const QByteArray& data, const QSize& size) {
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    const QSize whole = reader.size();
    QSize target;
    if (size.isValid() && whole.isValid() && size.width() < whole.width() && size.height() < whole.height()) {
        target = whole.scaled(size, Qt::KeepAspectRatio);
        // The JPEG decoder scales by eighths while decoding: ask for the smallest such size that
        // still covers the target (no further scaling inside the reader), then scale the rest.
        for (int n = 1; n <= 8; ++n) {
            const QSize step((whole.width() * n + 7) / 8, (whole.height() * n + 7) / 8);
            if (step.width() >= target.width() && step.height() >= target.height()) {
                reader.setScaledSize(step);
                break;
            }
        }
    }
    QImage image = reader.read();
    if (image.isNull())
        err::Raise(kInvalidPicture, QStringLiteral("UkazObrazek"),
                   QStringLiteral("Neplatný obrázek (%1)").arg(reader.errorString()));
    if (target.isValid() && image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

PictureBrowser::PictureBrowser(FrmMain& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("PictureBrowser"));
    createCommands();
    m_form.ImgByl->setScaledContents(true);
    m_form.ImgByl->installEventFilter(this);
    // The pair draws the name with a light shadow one step below it.
    m_form.LblObr[1]->setStyleSheet(QStringLiteral("color: #c0c0c0"));
    m_form.LblObr[0]->raise();
    m_form.PictureIds.assign(1, 0);
    setCaption(QString::fromUtf8(kNotAvailable), m_form.LblObr[0]->width());

    FrmMainHooks& hooks = m_form.Hooks;
    hooks.HerbListLoaders[3] = [this](long idx) { NactiObrazky(idx); };
    hooks.TabChosen[3] = [this] {
        UkazObrazek();
        // A resize on another page laid the picture over the whole frame.
        Guarded("PrizpusobObrazek", [this] { PrizpusobObrazek(); });
    };
    hooks.PrizpusobObrazek = [this] { Guarded("PrizpusobObrazek", [this] { PrizpusobObrazek(); }); };
    hooks.PicturePrev = [this] { Guarded("mnuObrPrev_Click", [this] { mnuObrPrev_Click(); }); };
    hooks.PictureNext = [this] { Guarded("mnuObrNext_Click", [this] { mnuObrNext_Click(); }); };
    NastavTbObr();
}

PictureBrowser& PictureBrowser::Install(FrmMain& form) {
    return InstallOnce<PictureBrowser>(form);
}

void PictureBrowser::createCommands() {
    mnuObr = new QMenu(QStringLiteral("Obrázky"), &m_form);
    mnuObr->setObjectName(QStringLiteral("mnuObr"));
    struct Entry {
        const char* key;
        const char* button;
        const char* menuName;
        const char* menuCaption;
        const char* handler;
    };
    static constexpr Entry kEntries[] = {{"First", "První", "mnuObrFirst", "První", "mnuObrFirst_Click"},
                                         {"Last", "Poslední", "mnuObrLast", "Poslední", "mnuObrLast_Click"},
                                         {"Prev", "Předchozí", "mnuObrPrev", "Předchozí", "mnuObrPrev_Click"},
                                         {"Next", "Další", "mnuObrNext", "Následující", "mnuObrNext_Click"},
                                         {"Print", "Tisk", "mnuObrPrint", "Vytisknout", "mnuObrPrint_Click"}};
    // Toolbar order: First, Prev, Next, Last, Print; menu order: First, Last, Prev, Next, Print.
    for (int command : {First, Prev, Next, Last, Print}) {
        const Entry& e = kEntries[command];
        QAction* button = m_form.TbObr->addAction(QString::fromUtf8(e.button));
        button->setObjectName(QString::fromLatin1(e.key));
        Buttons[static_cast<size_t>(command)] = button;
        connect(button, &QAction::triggered, this, [this, command] { step(command); });
    }
    for (int command : {First, Last, Prev, Next, Print}) {
        const Entry& e = kEntries[command];
        QAction* item = mnuObr->addAction(QString::fromUtf8(e.menuCaption));
        item->setObjectName(QString::fromLatin1(e.menuName));
        MenuItems[static_cast<size_t>(command)] = item;
        connect(item, &QAction::triggered, this, [this, command] { step(command); });
    }
}

void PictureBrowser::step(int command) {
    static constexpr const char* kHandlers[] = {"mnuObrFirst_Click", "mnuObrLast_Click", "mnuObrPrev_Click",
                                                "mnuObrNext_Click", "mnuObrPrint_Click"};
    Guarded(kHandlers[command], [this, command] {
        switch (command) {
        case First:
            mnuObrFirst_Click();
            break;
        case Last:
            mnuObrLast_Click();
            break;
        case Prev:
            mnuObrPrev_Click();
            break;
        case Next:
            mnuObrNext_Click();
            break;
        default:
            mnuObrPrint_Click();
        }
    });
}

bool PictureBrowser::eventFilter(QObject* watched, QEvent* event) {
    // Only the picture is watched: the window may be half destroyed when its last events come.
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            mnuObr->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PictureBrowser::NactiObrazky(long herb) {
    m_form.PictureCount = 0;
    try {
        db::Recordset rs;
        OpenQuery(rs, QStringLiteral("SELECT * FROM Obrazky WHERE IdxByliny=") + QString::number(herb) +
                          QStringLiteral(" ORDER BY Nazev"));
        m_form.PictureIds.assign(1, 0);
        for (; !rs.eof(); rs.moveNext())
            m_form.PictureIds.push_back(rs.field(QStringLiteral("Idx")).toLong());
        m_form.PictureCount = static_cast<long>(m_form.PictureIds.size()) - 1;
        m_form.CurrentPicture = m_form.PictureCount > 0 ? 1 : 0;
        NastavTbObr();
        if (m_form.CurrentTab == 4)
            UkazObrazek();
        rs.close();
    } catch (...) {
        ReportFailure(kLoadIds);
    }
}

void PictureBrowser::UkazObrazek() {
    const long current = m_form.CurrentPicture;
    const long id = current >= 0 && current < static_cast<long>(m_form.PictureIds.size())
                        ? m_form.PictureIds[static_cast<size_t>(current)]
                        : 0;
    if (id == ShownPictureId)
        return;
    ShownPictureId = id;
    try {
        db::Recordset rs;
        OpenQuery(rs, QStringLiteral("SELECT * FROM Obrazky WHERE Idx=") + QString::number(id));
        m_form.ImgByl->hide();
        if (rs.eof())
            showMissing();
        else
            loadPicture(rs.field(QStringLiteral("Nazev")).str(), rs.field(QStringLiteral("DataObr")).bytes());
        m_form.ImgByl->show();
        rs.close();
    } catch (...) {
        // The failed picture is tried again when asked for next time; meanwhile none is shown.
        ShownPictureId = -1;
        m_data.clear();
        PictureSize = QSize();
        m_form.ImgByl->clear();
        setCaption(QString::fromUtf8(kNotAvailable), m_form.LblObr[0]->width());
        ReportFailure(kLoadPicture);
    }
}

void PictureBrowser::showMissing() {
    m_data.clear();
    PictureSize = QSize();
    m_rendered = QSize();
    m_form.ImgByl->clear();
    const TwipRect& frame = m_form.layout().LvUL;
    m_form.ImgByl->resize(px(frame.width), px(frame.height));
    setCaption(QString::fromUtf8(kNotAvailable), px(frame.width));
}

void PictureBrowser::loadPicture(const QString& name, const QByteArray& data) {
    setCaption(QStringLiteral("Načítám obrázek ") + name, m_form.LblObr[0]->width());
    m_form.LblObr[0]->repaint();
    const QString file = paths::InProgramDir(QStringLiteral("Temp.jpg"));
    writeWhole(file, data);
    QBuffer buffer;
    buffer.setData(data);
    QImageReader header(&buffer);
    const QSize size = header.size();
    if (!size.isValid())
        err::Raise(kInvalidPicture, QStringLiteral("UkazObrazek"),
                   QStringLiteral("Neplatný obrázek (%1)").arg(header.errorString()));
    m_data = data;
    PictureSize = size;
    m_rendered = QSize();
    setCaption(name, m_form.LblObr[0]->width());
    PrizpusobObrazek();
}

void PictureBrowser::PrizpusobObrazek() {
    const TwipRect& frame = m_form.layout().LvUL;
    const PictureBox box = FitPicture(frame.width, frame.height, PictureSize.width(), PictureSize.height());
    m_form.ImgByl->resize(px(box.width), px(box.height));
    for (QLabel* label : m_form.LblObr)
        label->resize(px(box.width), label->height());
    renderPixmap();
}

// Decodes the picture at the size it is drawn, once per size: a large photograph is read
// scaled down by the decoder instead of whole.
void PictureBrowser::renderPixmap() {
    if (m_data.isEmpty())
        return;
    const QSize target = m_form.ImgByl->size() * m_form.ImgByl->devicePixelRatioF();
    if (target.isEmpty() || target == m_rendered)
        return;
    m_rendered = target;
    QPixmap pixmap = QPixmap::fromImage(ReadPicture(m_data, target));
    pixmap.setDevicePixelRatio(m_form.ImgByl->devicePixelRatioF());
    m_form.ImgByl->setPixmap(pixmap);
}

void PictureBrowser::setCaption(const QString& caption, int widthPx) {
    for (QLabel* label : m_form.LblObr) {
        label->setText(caption);
        label->resize(widthPx, label->height());
    }
}

void PictureBrowser::NastavTbObr() {
    const PictureButtons b = PictureButtonStates(m_form.PictureCount, m_form.CurrentPicture);
    const bool states[] = {b.First, b.Last, b.Prev, b.Next, b.Print};
    for (size_t i = 0; i < 5; ++i) {
        Buttons[i]->setEnabled(states[i]);
        MenuItems[i]->setEnabled(states[i]);
    }
}

namespace {

void stepTo(FrmMain& form, PictureStep step, PictureBrowser& browser) {
    const long next = SteppedPicture(step, form.PictureCount, form.CurrentPicture);
    if (next == form.CurrentPicture)
        return;
    form.CurrentPicture = next;
    browser.UkazObrazek();
    browser.NastavTbObr();
}

} // namespace

void PictureBrowser::mnuObrFirst_Click() {
    stepTo(m_form, PictureStep::First, *this);
}

void PictureBrowser::mnuObrLast_Click() {
    stepTo(m_form, PictureStep::Last, *this);
}

void PictureBrowser::mnuObrNext_Click() {
    stepTo(m_form, PictureStep::Next, *this);
}

void PictureBrowser::mnuObrPrev_Click() {
    stepTo(m_form, PictureStep::Prev, *this);
}

} // namespace lumo
