#include "library/CKelErr.h"

#include "library/ErrMain.h"
#include "library/FrmErr.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/DialogPresenter.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

namespace lumo {

namespace {

void toStderr(const QString& text) {
    std::fputs(text::toLf(text).toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

// Widgets exist only on the GUI thread of a widget application.
bool canShowDialogs() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    return app && QThread::currentThread() == app->thread();
}

} // namespace

CKelErr::CKelErr() : m_ErrorStack(1), m_ErrorLog(paths::ProgramDir() + QStringLiteral("/Errors.txt")) {}

CKelErr::~CKelErr() = default;

QString CKelErr::Description() const {
    return err::CurrentError().Description;
}
void CKelErr::Description(const QString& value) {
    err::CurrentError().Description = value;
}
long CKelErr::HelpContext() const {
    return err::CurrentError().HelpContext;
}
void CKelErr::HelpContext(long value) {
    err::CurrentError().HelpContext = value;
}
QString CKelErr::HelpFile() const {
    return err::CurrentError().HelpFile;
}
void CKelErr::HelpFile(const QString& value) {
    err::CurrentError().HelpFile = value;
}
long CKelErr::Number() const {
    return err::CurrentError().Number;
}
void CKelErr::Number(long value) {
    err::CurrentError().Number = value;
}
QString CKelErr::Source() const {
    return err::CurrentError().Source;
}
void CKelErr::Source(const QString& value) {
    err::CurrentError().Source = value;
}
long CKelErr::LastDllError() const {
    return err::CurrentError().LastDllError;
}

bool CKelErr::SoundEnabled() const {
    return ErrState().SoundEnabled;
}
void CKelErr::SoundEnabled(bool value) {
    ErrState().SoundEnabled = value;
}
bool CKelErr::ResumeErr() const {
    return ErrState().Report.ResumeErr;
}
bool CKelErr::ResumeNext() const {
    return ErrState().Report.ResumeNext;
}
bool CKelErr::ErrAbort() const {
    return ErrState().Report.ErrAbort;
}
bool CKelErr::UserAction() const {
    return ErrState().Report.UserAction;
}
QString CKelErr::Caption() const {
    return ErrState().Report.ButtonCaption;
}
void CKelErr::Caption(const QString& value) {
    ErrState().Report.ButtonCaption = value;
}

void CKelErr::Clear() {
    err::CurrentError().Clear();
}

void CKelErr::Push() {
    const err::ErrorRecord& e = err::CurrentError();
    m_ErrorStack.push_back({e.Number, e.Description, e.Source});
}

void CKelErr::Pop() {
    const StackEntry top = m_ErrorStack.back();
    err::ErrorRecord& e = err::CurrentError();
    e.Number = top.Number;
    e.Description = top.Description;
    e.Source = top.Source;
    if (m_ErrorStack.size() > 1)
        m_ErrorStack.pop_back();
    else
        err::Raise(err::errOutOfStack, QStringLiteral("KelVBLib-CKelErr-Pop"));
}

void CKelErr::ErrView(int Number, const QString& Description, const QString& Title, const QString& Source,
                      long Buttons, const QString& HelpFile, long HelpContext, long BackColor, long ForeColor,
                      long TimerInterval, long ExitCode, const QString& WaveFile,
                      const QString& ButtonCaption) {
    // Called from failure handlers: nothing may escape from here.
    try {
        ErrReport r;
        r.Number = Number;
        r.Title = Title;
        r.Source = Source;
        r.Buttons = Buttons;
        r.HelpFile = HelpFile;
        r.HelpContext = HelpContext;
        r.BackColor = BackColor;
        r.ForeColor = ForeColor;
        r.TimerInterval = TimerInterval;
        r.WaveFile = WaveFile;
        r.ExitCode = ExitCode;
        r.ButtonCaption = ButtonCaption;
        r.Message = ErrMessage(Number, Source, Description);

        QString logFailure;
        if (Buttons != 0 && !WriteErrorLog(Number, Description, Title, Source, &logFailure) &&
            logFailure.isEmpty())
            logFailure = err::StandardErrorText(err::errPathFileAccess);
        ErrState().Report = r;
        showReport(logFailure);
    } catch (...) {
        toStderr(QStringLiteral("Error report failed: ") + ErrMessage(Number, Source, Description));
    }
}

// Each report gets its own dialog, so a report made while another one is open
// (timers keep firing inside the dialog's loop) neither fails nor loses the
// outer report's answer.
void CKelErr::showReport(const QString& logFailure) {
    ErrMain& state = ErrState();
    ErrReport report = state.Report;
    if (!canShowDialogs()) {
        toStderr(report.Title + QStringLiteral(": ") + report.Message);
        return;
    }
    {
        frmErr dialog(report);
        if (!logFailure.isEmpty())
            dialog.ShowLogFailure(m_ErrorLog, logFailure);
        ui::DialogPresenter::exec(dialog);
    }
    state.Report = report;
    if (report.AbortRequested && m_demandShutdown)
        m_demandShutdown(state.Report.ExitCode);
}

bool CKelErr::WriteErrorLog(int Number, const QString& Description, const QString& Title,
                            const QString& Source, QString* error) const noexcept {
    QString entry;
    try {
        const QDateTime when = ErrState().Seams.Now();
        entry = ErrLogEntry(when, Number, Title, Source, Description);
        const QString path = paths::Resolve(m_ErrorLog);
        // Header and entry go out in one write, so a second instance appending at
        // the same time cannot split them. An empty file (left by a write that failed on a
        // full disk) is new too.
        const QFileInfo log(path);
        const QString text = log.exists() && log.size() > 0 ? entry : ErrLogHeader(when) + entry;
        QString reason;
        if (text::appendAnsiFile(path, text, &reason))
            return true;
        if (error)
            *error = reason;
        // The entry is not lost: it goes to stderr instead, and never back into a report.
        toStderr(QStringLiteral("Cannot write the error log ") + m_ErrorLog + QStringLiteral(": ") + reason +
                 QStringLiteral("\n") + entry);
    } catch (...) {
        toStderr(QStringLiteral("Cannot write the error log ") + m_ErrorLog + QStringLiteral("\n") + entry);
    }
    return false;
}

void CKelErr::LogClear() {
    static const QString source = QStringLiteral("KelVBLib-CKelErr-LogClear");
    const QString path = paths::Resolve(m_ErrorLog);
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        err::Raise(err::errFileNotFound, source);
    if (!QFile::remove(path))
        err::Raise(err::errPathFileAccess, source);
}

} // namespace lumo
