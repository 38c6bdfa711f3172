#include "browsers/BrowserErrors.h"

#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "platform/err/VbError.h"

namespace lumo {

void ReportFailure(const LoadReport& report) {
    const err::ErrorRecord& e = err::CaptureCurrentException();
    if (CKelErr* errObj = App().ErrObj.get())
        errObj->ErrView(report.number, err::SystemText(QString::fromUtf8(report.message), e),
                        QString::fromUtf8(report.title), QString::fromUtf8(report.location) + e.Description);
}

void ReportEmpty(const LoadReport& report) {
    if (CKelErr* errObj = App().ErrObj.get())
        errObj->ErrView(report.number, QString::fromUtf8(report.message), QString::fromUtf8(report.title),
                        QString::fromUtf8(report.location));
}

void Guarded(const char* name, const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        const QString location =
            QStringLiteral("LUMO-FrmMain-") + QString::fromUtf8(name) + QStringLiteral("-");
        const err::ErrorRecord& e = err::CaptureCurrentException();
        if (CKelErr* errObj = App().ErrObj.get())
            errObj->ErrView(
                static_cast<int>(e.Number),
                err::SystemText(QStringLiteral("Požadavek nelze provést, kontaktujte technickou podporu"), e),
                QStringLiteral("Požadavek nelze provést"), location + e.Description);
    }
}

} // namespace lumo
