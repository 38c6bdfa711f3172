#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class QWidget;

// The error report state shared by the error object and its dialog, and the
// texts of the message and of the error log.
namespace lumo {

// Bits of the button mask of an error report.
enum ErrButton : long {
    errBtnHelp = 1,        // help button; the dialog takes the help context
    errBtnTimer = 2,       // the dialog closes itself
    errBtnNoExit = 4,      // exit button hidden
    errBtnRetry = 32,      // "&Opakovat"
    errBtnIgnore = 64,     // "&Ignorovat"
    errBtnNoEnd = 128,     // the exit button asks for shut-down instead of ending the process
    errBtnUserAction = 256 // the caller's own button
};

// One report: its arguments, the message built from them and what the user chose.
struct ErrReport {
    QString Message;
    int Number = 0;
    QString Title;
    QString Source;
    long Buttons = 0;
    QString HelpFile;
    long HelpContext = 0;
    long BackColor = 255;
    long ForeColor = 0xFFFFFF;
    long TimerInterval = 0;
    long ExitCode = 0;
    QString WaveFile;
    QString ButtonCaption = QStringLiteral("Opravit");
    bool ResumeErr = false;
    bool ResumeNext = false;
    bool ErrAbort = false;
    bool UserAction = false;
    bool AbortRequested = false;

    bool has(ErrButton bit) const { return (Buttons & bit) != 0; }
};

// Sound, help and clock as the dialog needs them; tests install recorders.
// Until the sound service exists there is no wave device and beeps are silent.
// Until the help service exists the help button and F1 show nothing, which is
// also what a missing help file does.
struct ErrSeams {
    std::function<bool()> WaveReady = [] { return false; };
    std::function<void(int hz, int ms)> Beep = [](int, int) {};
    std::function<void(const QString& waveFile)> PlayWave = [](const QString&) {};
    // HTML Help: owner window, "file>window" path, command, context number.
    std::function<void(QWidget* owner, const QString& path, int command, long context)> HtmlHelp =
        [](QWidget*, const QString&, int, long) {};
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };
};

// The process-wide state.
struct ErrMain {
    ErrReport Report;          // the last report, with the user's choice once its dialog closed
    bool SoundEnabled = false; // dialog sound; start-up turns it on when a wave device exists
    // The first timer tick any error dialog receives only arms this flag; from then
    // on every tick closes its dialog. It lives as long as the process.
    bool TimerArmed = false;
    QWidget* ErrDialogHwnd = nullptr; // the open error dialog, owner of the help window
    ErrSeams Seams;
};

ErrMain& ErrState();

// "Chyba číslo N v modulu Source" CR LF "Popis chyby: Description".
QString ErrMessage(int number, const QString& source, const QString& description);
// The log's first lines, written when the log is created (CR LF line ends).
QString ErrLogHeader(const QDateTime& when);
// One log entry, from the date line to the line "*" and the empty line after it.
QString ErrLogEntry(const QDateTime& when, int number, const QString& title, const QString& source,
                    const QString& description);

} // namespace lumo
