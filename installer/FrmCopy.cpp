#include "installer/FrmCopy.h"

#include "installer/CopyEngine.h"
#include "installer/ReportError.h"
#include "installer/SetupState.h"
#include "installer/VbColour.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/ui/DialogPresenter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace lumo::setup {

namespace {

constexpr int kScalePixels = 320;
// The widest a path is shown: a longer one would carry the window past the screen's edge.
constexpr int kPathPixels = 560;

QChar decimalPoint() {
    return QLocale().decimalPoint().at(0);
}

void reportCopyError(const QString& source) {
    const err::ErrorRecord& e = err::CurrentError();
    ReportError(94,
                QStringLiteral("Při kopírování souboru do Vašeho počítače došlo k systémové chybě\r\n") +
                    QString::number(e.Number) + u'-' + e.Description,
                QStringLiteral("Chyba při kopírování"), source);
    err::CurrentError().Clear();
}

} // namespace

FrmCopy::FrmCopy(const QString& source, const QString& target, QWidget* parent)
    : QDialog(parent), m_source(source), m_target(target) {
    setWindowTitle(QStringLiteral("Kopírování souboru"));
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    auto* grid = new QGridLayout(Frame1);
    grid->addWidget(label(0, QStringLiteral("Zdroj:")), 0, 0);
    grid->addWidget(pathLabel(2, source), 0, 1, 1, 3);
    grid->addWidget(label(1, QStringLiteral("Cíl:")), 1, 0);
    grid->addWidget(pathLabel(3, target), 1, 1, 1, 3);
    grid->addWidget(label(4, QStringLiteral("Velikost:")), 2, 0);
    grid->addWidget(label(10, QString()), 2, 1, Qt::AlignRight);
    grid->addWidget(label(5, QString()), 2, 2);
    grid->addWidget(label(6, QStringLiteral("Rychlost kopírování:")), 3, 0);
    grid->addWidget(label(11, QString()), 3, 1, Qt::AlignRight);
    grid->addWidget(label(7, QStringLiteral("kB/s")), 3, 2);
    grid->addWidget(label(8, QStringLiteral("Čas:")), 4, 0);
    grid->addWidget(label(12, QStringLiteral("0:00:00")), 4, 1, Qt::AlignRight);

    shp0 = new QFrame(Frame1);
    shp0->setObjectName(QStringLiteral("shp0"));
    shp0->setFrameShape(QFrame::Box);
    shp0->setFixedSize(kScalePixels, 16);
    shp1 = new QFrame(shp0);
    shp1->setObjectName(QStringLiteral("shp1"));
    shp1->setAutoFillBackground(true);
    SetColour(shp1, QPalette::Window, 0x800000);
    shp1->setGeometry(0, 0, 0, 16);
    grid->addWidget(shp0, 5, 0, 1, 4);

    cmdStorno = new QPushButton(QStringLiteral("Storno"), this);
    cmdStorno->setObjectName(QStringLiteral("cmdStorno"));
    connect(cmdStorno, &QPushButton::clicked, this, &FrmCopy::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(cmdStorno, 0, Qt::AlignRight);
    SetFormColour(this, State().FormColour);
}

QLabel* FrmCopy::label(int index, const QString& text) {
    auto* l = new QLabel(text, Frame1);
    l->setObjectName(QStringLiteral("LblInf%1").arg(index));
    l->setTextFormat(Qt::PlainText);
    LblInf[index] = l;
    return l;
}

QLabel* FrmCopy::pathLabel(int index, const QString& path) {
    QLabel* l = label(index, path);
    // Shortened in the middle, so the file's name stays; the tooltip holds it whole.
    const QString shown = l->fontMetrics().elidedText(path, Qt::ElideMiddle, kPathPixels);
    if (shown != path) {
        l->setText(shown);
        l->setToolTip(path);
    }
    return l;
}

void FrmCopy::setBar(int pos) {
    shp1->setFixedWidth(qBound(0, pos * kScalePixels / kScaleWidth, kScalePixels));
}

bool FrmCopy::CopyFile() {
    m_started = true;
    m_busy = true;
    cmdStorno->setEnabled(false);
    setBar(0);
    const QChar dp = decimalPoint();
    // The size of the file the engine copies, also when the name is written in another case.
    const SizeText size = FormatSize(QFileInfo(paths::Resolve(m_source)).size(), dp);
    LblInf[10]->setText(size.value);
    LblInf[5]->setText(size.unit);
    CopyHooks hooks;
    hooks.barWidth = kScaleWidth;
    hooks.update = [this, dp](const CopyFigures& f) {
        setBar(f.barPos);
        const SizeText speed = FormatSpeed(f.speedKBps, dp);
        LblInf[11]->setText(speed.value);
        LblInf[7]->setText(speed.unit);
        LblInf[12]->setText(FormatElapsed(f.elapsed));
        QCoreApplication::processEvents();
    };
    hooks.finished = [this](int pos) {
        setBar(pos);
        QCoreApplication::processEvents();
    };
    try {
        CopyFileWithProgress(m_source, m_target, hooks);
        m_copied = true;
    } catch (...) {
        err::CaptureCurrentException(QStringLiteral("ZefSetup"));
        reportCopyError(QStringLiteral("ZefSetup - CopyFile"));
    }
    m_busy = false;
    cmdStorno->setEnabled(true);
    return m_copied;
}

void FrmCopy::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, [this] {
            if (m_started)
                return;
            CopyFile();
            accept();
        });
    }
}

void FrmCopy::closeEvent(QCloseEvent* event) {
    if (m_busy) {
        QApplication::beep();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FrmCopy::reject() {
    // Esc and the close box are refused while the copy runs.
    if (m_busy) {
        QApplication::beep();
        return;
    }
    QDialog::reject();
}

bool CopyWithWindow(const QString& source, const QString& target) {
    State().CopySource = source;
    State().CopyTarget = target;
    FrmCopy window(source, target);
    ui::DialogPresenter::exec(window);
    // Offscreen without anyone to answer, the window is never shown: copy all the same.
    if (!window.Started())
        return window.CopyFile();
    return window.Copied();
}

bool ZkopirujSoubor(const QString& source, const QString& target) {
    try {
        CopyFileWithProgress(source, target);
        return true;
    } catch (...) {
        err::CaptureCurrentException(QStringLiteral("VesSetup"));
        reportCopyError(QStringLiteral("VesSetup - ZkopirujSoubor"));
        return false;
    }
}

} // namespace lumo::setup
