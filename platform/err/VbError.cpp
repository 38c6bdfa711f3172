#include "platform/err/VbError.h"

#include "platform/err/RunTimeErrors.h"

#include <filesystem>
#include <new>
#include <system_error>

#include <cerrno>

namespace lumo::err {

ErrorRecord& CurrentError() {
    static ErrorRecord record;
    return record;
}

VbError::VbError(long number, QString description, QString source, QString helpFile, long helpContext) {
    m_record.Number = number;
    m_record.Description = description.isEmpty() ? StandardErrorText(number) : std::move(description);
    m_record.Source = std::move(source);
    m_record.HelpFile = std::move(helpFile);
    m_record.HelpContext = helpContext;
    m_what = QString(QString::number(number) + QStringLiteral(": ") + m_record.Description).toStdString();
}

void Raise(long number, const QString& source, const QString& description) {
    VbError e(number, description, source);
    const long dll = CurrentError().LastDllError;
    CurrentError() = e.record();
    CurrentError().LastDllError = dll;
    throw e;
}

namespace {

ErrorRecord makeRecord(long number, const QString& description, const QString& source) {
    ErrorRecord r;
    r.Number = number;
    r.Description = description;
    r.Source = source;
    return r;
}

long numberForErrno(int code) {
    switch (code) {
    case ENOENT:
        return errFileNotFound;
    case ENOTDIR:
        return errPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return errPermissionDenied;
    case ENOSPC:
        return errDiskFull;
    case EEXIST:
        return errFileExists;
    case EIO:
        return errDeviceIo;
    case EBUSY:
    case EISDIR:
    case ENOTEMPTY:
        return errPathFileAccess;
    case ENAMETOOLONG:
    case EINVAL:
        return errBadFileName;
    default:
        return errPathFileAccess;
    }
}

} // namespace

const ErrorRecord& CaptureCurrentException(const QString& source) {
    ErrorRecord& cur = CurrentError();
    try {
        throw;
    } catch (const VbError& e) {
        const long dll = cur.LastDllError;
        cur = e.record();
        cur.LastDllError = dll;
    } catch (const std::bad_alloc&) {
        cur = makeRecord(errOutOfMemory, StandardErrorText(errOutOfMemory), source);
    } catch (const std::system_error& e) {
        const long n = numberForErrno(e.code().value());
        cur = makeRecord(n, StandardErrorText(n), source);
        cur.LastDllError = e.code().value();
    } catch (const std::exception& e) {
        cur = makeRecord(errInvalidCall, QString::fromLocal8Bit(e.what()), source);
    } catch (...) {
        cur = makeRecord(errInvalidCall, StandardErrorText(errInvalidCall), source);
    }
    return cur;
}

QString SystemText(const QString& message, const ErrorRecord& e, const QString& separator) {
    return message + QStringLiteral("\r\nSystem: ") + QString::number(e.Number) + separator + e.Description;
}

QString SystemText(const QString& message, const QString& separator) {
    return SystemText(message, CurrentError(), separator);
}

} // namespace lumo::err
