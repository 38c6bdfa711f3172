#include "installer/CopyEngine.h"

#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"

#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumo::setup {

namespace {

// Reads and writes go through this much at a time; progress still counts 4096-byte blocks.
constexpr qint64 kChunk = 1 << 20;

long errorNumber(int e) {
    switch (e) {
    case ENOENT:
        return err::errFileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return err::errPermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return err::errDiskFull;
    default:
        return err::errPathFileAccess;
    }
}

[[noreturn]] void raiseErrno(int e, const QString& path) {
    err::Raise(errorNumber(e), QStringLiteral("ZefSetup"),
               QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(e))));
}

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

double steadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool writeAll(int fd, const char* data, qint64 n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, data, static_cast<size_t>(n));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        data += w;
        n -= w;
    }
    return true;
}

qint64 readFull(int fd, char* data, qint64 n) {
    qint64 got = 0;
    while (got < n) {
        const ssize_t r = ::read(fd, data + got, static_cast<size_t>(n - got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return -1;
        if (r == 0)
            break;
        got += r;
    }
    return got;
}

// Moves up to want bytes from in to out: in the kernel where the file systems allow it,
// else through buffer. The bytes moved; -1 with errno set on failure.
qint64 moveChunk(int in, int out, qint64 want, std::vector<char>& buffer, bool& kernelCopy,
                 const QString& source, const QString& temp) {
    while (kernelCopy) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(want), 0);
        if (n >= 0)
            return n;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
            raiseErrno(errno, temp);
        kernelCopy = false; // not between these files: copy through the buffer
    }
    if (buffer.empty())
        buffer.resize(static_cast<size_t>(kChunk));
    const qint64 got = readFull(in, buffer.data(), want);
    if (got < 0)
        raiseErrno(errno, source);
    if (!writeAll(out, buffer.data(), got))
        raiseErrno(errno, temp);
    return got;
}

// Copies the bytes of in to out, reporting progress per 4096-byte block.
void copyBytes(int in, int out, qint64 n, const QString& source, const QString& temp,
               const CopyHooks& hooks) {
    const auto clock = hooks.clock ? hooks.clock : steadySeconds;
    const double t0 = clock();
    double tLast = t0;
    std::vector<char> buffer;
    bool kernelCopy = true;
    qint64 done = 0;
    while (done < n) {
        const qint64 want = qMin(kChunk, n - done);
        const qint64 got = moveChunk(in, out, want, buffer, kernelCopy, source, temp);
        if (got <= 0) // the source shrank while it was copied
            err::Raise(err::errInputPastEnd, QStringLiteral("ZefSetup"),
                       QStringLiteral("%1: %2").arg(source, err::StandardErrorText(err::errInputPastEnd)));
        const qint64 firstBlock = done / kCopyBlock + 1;
        done += got;
        if (!hooks.update)
            continue;
        for (qint64 i = firstBlock; i <= done / kCopyBlock; ++i) {
            const double now = clock();
            if (now - tLast <= 0.5)
                continue;
            CopyFigures f;
            f.barPos =
                static_cast<int>(std::llround(static_cast<double>(i) * kCopyBlock * hooks.barWidth / n));
            f.speedKBps = 4.0 * static_cast<double>(i) / (now - t0);
            f.elapsed = now - t0;
            hooks.update(f);
            tLast = now;
        }
    }
}

} // namespace

void CopyFileWithProgress(const QString& sourcePath, const QString& targetPath, const CopyHooks& hooks) {
    const QString source = paths::Resolve(sourcePath);
    const QString target = paths::Resolve(targetPath);
    const QByteArray src = QFile::encodeName(source);
    const QByteArray dst = QFile::encodeName(target);
    Fd in(::open(src.constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        raiseErrno(errno, source);
    struct stat ss {};
    if (::fstat(in.get(), &ss) != 0)
        raiseErrno(errno, source);
    if (S_ISDIR(ss.st_mode))
        err::Raise(err::errPathFileAccess, QStringLiteral("ZefSetup"),
                   QStringLiteral("%1 is a folder").arg(source));
    struct stat ts {};
    if (::stat(dst.constData(), &ts) == 0 && ts.st_dev == ss.st_dev && ts.st_ino == ss.st_ino) {
        if (hooks.finished)
            hooks.finished(hooks.barWidth - 30);
        return; // the same file: it already holds the source's bytes
    }

    const QFileInfo ti(target);
    const QByteArray temp =
        QFile::encodeName(ti.path() + QStringLiteral("/.") + ti.fileName() + QStringLiteral(".zefpart"));
    ::unlink(temp.constData());
    Fd out(::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (out.get() < 0)
        raiseErrno(errno, target);
    try {
        copyBytes(in.get(), out.get(), ss.st_size, source, QFile::decodeName(temp), hooks);
        // The source's permission bits, and the owner may always write the copy.
        // The rename replaces the old file only with a complete copy. No flush is waited for:
        // like a plain copy, the data reaches the disk when the file system writes it back.
        if (::fchmod(out.get(), (ss.st_mode & 07777 & ~(S_ISUID | S_ISGID)) | S_IWUSR) != 0)
            raiseErrno(errno, target);
        if (::close(out.release()) != 0 || ::rename(temp.constData(), dst.constData()) != 0)
            raiseErrno(errno, target);
    } catch (...) {
        ::unlink(temp.constData());
        throw;
    }
    if (hooks.finished)
        hooks.finished(hooks.barWidth - 30);
}

QString FormatGrouped(double value, int decimals, QChar decimalPoint) {
    QString text = QString::number(value, 'f', decimals);
    const qsizetype dot = text.indexOf(u'.');
    if (dot >= 0)
        text[dot] = decimalPoint;
    const qsizetype intEnd = dot >= 0 ? dot : text.size();
    const qsizetype digits = intEnd - (text.startsWith(u'-') ? 1 : 0);
    if (digits > 3)
        text.insert(intEnd - 3, u' ');
    return text;
}

SizeText FormatSize(qint64 n, QChar decimalPoint) {
    if (n <= 1024000)
        return {FormatGrouped(static_cast<double>(n), 0, decimalPoint), QStringLiteral("Byte")};
    if (n <= 100000000)
        return {FormatGrouped(static_cast<double>(n) / 1024, 2, decimalPoint), QStringLiteral("kB")};
    return {FormatGrouped(static_cast<double>(n) / 1024000, 2, decimalPoint), QStringLiteral("MB")};
}

SizeText FormatSpeed(double kBps, QChar decimalPoint) {
    if (kBps <= 10)
        return {FormatGrouped(kBps * 1000, 2, decimalPoint), QStringLiteral("B/s")};
    if (kBps <= 10000)
        return {FormatGrouped(kBps, 2, decimalPoint), QStringLiteral("kB/s")};
    return {FormatGrouped(kBps / 1000, 2, decimalPoint), QStringLiteral("MB/s")};
}

QString FormatElapsed(double e) {
    // Halves round to even: 59.5 s is 00:01:00, where rounding halves up left -1 seconds.
    const long hours = std::lrint(e) / 3600;
    const long minutes = std::lrint(e - 3600.0 * hours) / 60;
    const long seconds = std::lrint(e - 3600.0 * hours - 60.0 * minutes);
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QChar(u'0'))
        .arg(minutes, 2, 10, QChar(u'0'))
        .arg(seconds, 2, 10, QChar(u'0'));
}

} // namespace lumo::setup
