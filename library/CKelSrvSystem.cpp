// System information, display, memory, progress and colour services of the service object.
#include "library/CKelSrv.h"

#include "library/MSrvMain.h"
#include "library/frmColor.h"
#include "library/frmInfo.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>

#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>

namespace lumo {

namespace {

// The operating system: "Linux", the kernel's "major.minor.build", the distribution's name.
struct OsRecord {
    QString Platform, Version, ServicePack;
};

OsRecord OSVersionInfo() {
    utsname u{};
    if (uname(&u) != 0)
        err::Raise(err::vbObjectError + 1, QStringLiteral("CKelSysInfo-OSVersion"),
                   QStringLiteral("Selhání při volání GetVersionEx"));
    OsRecord r;
    r.Platform = QString::fromLocal8Bit(u.sysname);
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch m = numbers.match(QString::fromLocal8Bit(u.release));
    r.Version = QStringLiteral("%1.%2.%3")
                    .arg(m.captured(1).toInt())
                    .arg(m.captured(2).toInt())
                    .arg(m.captured(3).toInt());
    QFile release(QStringLiteral("/etc/os-release"));
    if (release.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : release.readAll().split('\n')) {
            if (line.startsWith("PRETTY_NAME="))
                r.ServicePack = QString::fromUtf8(line.mid(12)).remove(u'"').trimmed();
        }
    }
    return r;
}

// Memory in bytes, 64 bits wide: physical memory, swap for the page file, and the
// process's address-space limit for virtual memory.
struct MemoryRecord {
    qint64 Load = 0, PhysTotal = 0, PhysFree = 0, PageTotal = 0, PageFree = 0, VirtualTotal = 0,
           VirtualFree = 0;
};

MemoryRecord MemoryStatus() {
    MemoryRecord r;
    struct sysinfo s {};
    if (sysinfo(&s) != 0)
        return r;
    const qint64 unit = s.mem_unit ? s.mem_unit : 1;
    r.PhysTotal = static_cast<qint64>(s.totalram) * unit;
    qint64 available = static_cast<qint64>(s.freeram + s.bufferram) * unit;
    QFile info(QStringLiteral("/proc/meminfo"));
    if (info.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : info.readAll().split('\n')) {
            if (line.startsWith("MemAvailable:"))
                available = line.mid(13).trimmed().split(' ').value(0).toLongLong() * 1024;
        }
    }
    r.PhysFree = available;
    r.PageTotal = static_cast<qint64>(s.totalswap) * unit;
    r.PageFree = static_cast<qint64>(s.freeswap) * unit;
    r.Load = r.PhysTotal > 0 ? (100 * (r.PhysTotal - r.PhysFree)) / r.PhysTotal : 0;
    rlimit as{};
    const bool limited = getrlimit(RLIMIT_AS, &as) == 0 && as.rlim_cur != RLIM_INFINITY;
    r.VirtualTotal = limited ? static_cast<qint64>(as.rlim_cur) : r.PhysTotal + r.PageTotal;
    r.VirtualFree = qMax<qint64>(0, r.VirtualTotal - (r.PhysTotal - r.PhysFree));
    return r;
}

// Made on first use; it stays loaded while hidden and goes with the application.
frmInfo* progressWindow() {
    static QPointer<frmInfo> window;
    if (!window) {
        window = new frmInfo();
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, window.data(), &QObject::deleteLater);
    }
    return window.data();
}

} // namespace

QString CKelSrv::OSPlatform() const {
    return OSVersionInfo().Platform;
}

QString CKelSrv::OSVersion() const {
    return OSVersionInfo().Version;
}

QString CKelSrv::OSServicePack() const {
    return OSVersionInfo().ServicePack;
}

bool CKelSrv::PrinterInstalled() const {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

// No ODBC driver manager belongs to this program: there are no data sources.
long CKelSrv::NumberODBC() const {
    return 0;
}

bool CKelSrv::GetODBC(QStringList& Names, QStringList& Descriptions) const {
    Q_UNUSED(Names);
    Q_UNUSED(Descriptions);
    return true;
}

long CKelSrv::ScreenWidth() const {
    return FormLinked() ? ScreenMetrics(m_UsedForm.data()).Width : 0;
}

long CKelSrv::ScreenHeight() const {
    return FormLinked() ? ScreenMetrics(m_UsedForm.data()).Height : 0;
}

long CKelSrv::BitsPerPixel() const {
    return FormLinked() ? ScreenMetrics(m_UsedForm.data()).BitsPerPixel : 0;
}

// The desktop does not list its modes to programs: the current mode is the one.
long CKelSrv::NumVideoModes() const {
    return 1;
}

void CKelSrv::GetVideoModes(QList<long>& Widths, QList<long>& Heights, QList<long>& Bits) const {
    if (Widths.isEmpty() || Heights.isEmpty() || Bits.isEmpty())
        err::Raise(err::errSubscript);
    const QScreen* screen = QGuiApplication::primaryScreen();
    Widths[0] = screen ? screen->size().width() : 0;
    Heights[0] = screen ? screen->size().height() : 0;
    Bits[0] = screen ? screen->depth() : 0;
}

// Display modes belong to the desktop's own settings; nothing changes.
void CKelSrv::SetDisplay(long Width, long Height, long Bits) const {
    Q_UNUSED(Width);
    Q_UNUSED(Height);
    Q_UNUSED(Bits);
}

qint64 CKelSrv::PhysFree() const {
    return MemoryStatus().PhysFree;
}
qint64 CKelSrv::PageFree() const {
    return MemoryStatus().PageFree;
}
qint64 CKelSrv::VirtualFree() const {
    return MemoryStatus().VirtualFree;
}
qint64 CKelSrv::PhysTotal() const {
    return MemoryStatus().PhysTotal;
}
qint64 CKelSrv::PageTotal() const {
    return MemoryStatus().PageTotal;
}
qint64 CKelSrv::VirtualTotal() const {
    return MemoryStatus().VirtualTotal;
}
long CKelSrv::MemoryLoad() const {
    return static_cast<long>(MemoryStatus().Load);
}

// The desktop's panel is not a window of this program.
void CKelSrv::HideTaskbar() const {}
void CKelSrv::ShowTaskbar() const {}

void CKelSrv::SetErrorLevel(qint16 ExitCode) const {
    std::fflush(nullptr);
    ::_exit(ExitCode);
}

long CKelSrv::SelectColor(long Initial) const {
    frmColor form(Initial);
    return form.Run();
}

void CKelSrv::ShowProgress(const QString& Caption, const QString& Text, std::optional<float> Value) const {
    if (!FormsLoaded())
        return;
    frmInfo* w = progressWindow();
    if (Value)
        w->pgbInfo->setValue(qBound(0, static_cast<int>(*Value), 100));
    w->ShowProgress(Caption, Text);
}

void CKelSrv::ViewProgress(long& Value) const {
    if (FormsLoaded())
        progressWindow()->SetProgress(static_cast<int>(Value));
}

void CKelSrv::HideProgress() const {
    if (FormsLoaded())
        progressWindow()->HideProgress();
}

CopyProgress* CKelSrv::ProgressWindow() {
    return progressWindow();
}

} // namespace lumo
