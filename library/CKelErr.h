#pragma once

#include <QString>

namespace lumo {

// The error object: the one entry through which every failure is reported.
class CKelErr {
public:
    CKelErr();
    ~CKelErr();

    // Reports a failure: logs it to "Errors.txt" and shows the error dialog.
    // The defaults are the standard arguments every call site of the program passes.
    void ErrView(int Number, const QString& Description, const QString& Title, const QString& Source,
                 long Buttons = 8, const QString& HelpFile = QStringLiteral("KelErr.Hlp"), long HelpContext = 0,
                 long BackColor = 255, long ForeColor = 0xFFFFFF, long TimerInterval = 500, long ExitCode = 1,
                 const QString& WaveFile = QStringLiteral("Err.Wav"),
                 const QString& ButtonCaption = QStringLiteral("Opravit"));
};

} // namespace lumo
