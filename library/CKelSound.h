#pragma once

#include <QObject>
#include <QString>

namespace lumo {

// Beeps, the wave output test and wave files. Failures are not raised: they end in
// Result and the ClassError event.
class CKelSound : public QObject {
    Q_OBJECT
public:
    CKelSound();

    // 0 after a successful operation, else the number of the last failure.
    long Result() const { return m_Result; }
    // The desktop's bell; returns after Duration milliseconds.
    void MBeep(long Frequency, long Duration);
    // At least one wave output device exists.
    bool WaveReady();
    // Flags: 1 return at once, 2 no default sound, 8 repeat (with 1). A relative name
    // belongs to the program folder; names resolve in any case.
    void PlayWav(const QString& FileName, long Flags);

Q_SIGNALS:
    void ClassError(long& Number, QString& Description, QString& Title, QString& Source);

private:
    void fail(long number, const QString& description, const QString& title, const QString& source);

    long m_Result = 0;
};

} // namespace lumo
