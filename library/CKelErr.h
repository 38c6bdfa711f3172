#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace lumo {

// The error object: the one entry through which every failure is reported.
// Its error properties read and write the process-wide current-error record.
class CKelErr {
public:
    // Raised after a report's dialog closed when the user asked to end the program
    // but the mask forbade ending it; the handler may change the exit code.
    using DemandShutdownHandler = std::function<void(long& ExitCode)>;

    CKelErr();
    // Never throws and never reports.
    ~CKelErr();
    CKelErr(const CKelErr&) = delete;
    CKelErr& operator=(const CKelErr&) = delete;

    QString Description() const;
    void Description(const QString& value);
    long HelpContext() const;
    void HelpContext(long value);
    QString HelpFile() const;
    void HelpFile(const QString& value);
    long Number() const;
    void Number(long value);
    QString Source() const;
    void Source(const QString& value);
    long LastDllError() const;

    // Full path of the error log; the program folder's "Errors.txt" by default.
    QString ErrorLog() const { return m_ErrorLog; }
    void ErrorLog(const QString& value) { m_ErrorLog = value; }
    bool SoundEnabled() const;
    void SoundEnabled(bool value);

    // What the user chose in the last report's dialog.
    bool ResumeErr() const;
    bool ResumeNext() const;
    bool ErrAbort() const;
    bool UserAction() const;

    // Caption of the user-action button (each report overwrites it).
    QString Caption() const;
    void Caption(const QString& value);

    // Clears the current-error record.
    void Clear();
    // Saves the current error's number, description and source on the error stack.
    void Push();
    // Restores the current error from the top of the stack; the bottom entry is
    // never removed: popping it raises error 28 after restoring it.
    void Pop();

    // Reports a failure: logs it to "Errors.txt" and shows the error dialog.
    // The defaults are the standard arguments every call site of the program passes.
    // Never throws; a report made while another dialog is open gets its own dialog.
    void ErrView(int Number, const QString& Description, const QString& Title, const QString& Source,
                 long Buttons = 8, const QString& HelpFile = QStringLiteral("KelErr.Hlp"),
                 long HelpContext = 0, long BackColor = 255, long ForeColor = 0xFFFFFF,
                 long TimerInterval = 500, long ExitCode = 1,
                 const QString& WaveFile = QStringLiteral("Err.Wav"),
                 const QString& ButtonCaption = QStringLiteral("Opravit"));

    // Appends one entry to the error log without showing anything (for failures
    // met where a dialog would be out of place). On failure returns false with the
    // reason in error; it never reports and never throws.
    bool WriteErrorLog(int Number, const QString& Description, const QString& Title, const QString& Source,
                       QString* error = nullptr) const noexcept;

    // Deletes the error log; a missing log raises error 53.
    void LogClear();

    void onDemandShutdown(DemandShutdownHandler handler) { m_demandShutdown = std::move(handler); }

private:
    struct StackEntry {
        long Number = 0;
        QString Description;
        QString Source;
    };

    void showReport(const QString& logFailure);

    std::vector<StackEntry> m_ErrorStack;
    QString m_ErrorLog;
    DemandShutdownHandler m_demandShutdown;
};

} // namespace lumo
