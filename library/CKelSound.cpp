#include "library/CKelSound.h"

#include "platform/paths/ProgramPaths.h"
#include "platform/sound/SoundBackend.h"
#include "platform/sound/WaveFile.h"

#include <QDir>
#include <QFileInfo>

namespace lumo {

namespace {

const QString kPlaySource = QStringLiteral("CKelSound - PlayWav");

// An exact name, never a pattern; relative names are the program folder's.
QString waveFilePath(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QString normal = paths::Normalize(trimmed);
    return QDir::isRelativePath(normal) ? paths::InProgramDir(normal) : paths::Resolve(normal);
}

} // namespace

CKelSound::CKelSound() = default;

void CKelSound::fail(long number, const QString& description, const QString& title, const QString& source) {
    m_Result = number;
    long n = number;
    QString d = description, t = title, s = source;
    Q_EMIT ClassError(n, d, t, s);
}

void CKelSound::MBeep(long Frequency, long Duration) {
    // The range the platform's tone call accepts.
    if (Frequency < 37 || Frequency > 32767 || Duration < 0) {
        fail(7000, QStringLiteral("Došlo k selhání třídy, operaci nelze provést"),
             QStringLiteral("Selhání třídy"), QStringLiteral("CKelSound - MBeep"));
        return;
    }
    sound::Backend().beep(static_cast<int>(Frequency), static_cast<int>(Duration));
    m_Result = 0;
}

bool CKelSound::WaveReady() {
    m_Result = 0;
    return sound::Backend().hasWaveOutput();
}

void CKelSound::PlayWav(const QString& FileName, long Flags) {
    const QString path = waveFilePath(FileName);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        fail(7001, QStringLiteral("Soubor nelze přehrát - chybný nebo neplatný název souboru Wav"),
             QStringLiteral("Chybná specifikace souboru Wav"), kPlaySource);
        return;
    }
    if (!sound::Backend().hasWaveOutput()) {
        fail(7002, QStringLiteral("Soubor nelze přehrát - na tomto počítači nelze přehrávat soubory Wav"),
             QStringLiteral("Nedostatečné technické vybavení"), kPlaySource);
        return;
    }
    // Checked before playing: a sound that plays without waiting reports nothing later.
    if (!sound::IsPlayableWave(path) || !sound::Backend().playWave(path, Flags)) {
        fail(7003, QStringLiteral("Soubor nelze přehrát - došlo k selhání zařízení Wav"),
             QStringLiteral("Selhání technického vybavení"), kPlaySource);
        return;
    }
    m_Result = 0;
}

} // namespace lumo
