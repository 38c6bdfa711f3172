#include "installer/ReportError.h"

#include "installer/FrmErrSetup.h"
#include "platform/err/VbError.h"
#include "platform/ui/DialogPresenter.h"

namespace lumo::setup {

QString ReportText(int code, const QString& message, const QString& source) {
    QString text =
        QStringLiteral("Chyba číslo %1 v modulu %2\r\nPopis chyby: %3").arg(code).arg(source, message);
    const err::ErrorRecord& e = err::CurrentError();
    if (e.Number != 0)
        text = err::SystemText(text, e);
    return text;
}

void ReportError(int code, const QString& message, const QString& title, const QString& source, int flags,
                 long colour, int timeout) {
    FrmErrSetup window(ReportText(code, message, source), title, flags, colour, timeout);
    ui::DialogPresenter::exec(window);
}

} // namespace lumo::setup
