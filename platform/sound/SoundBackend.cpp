#include "platform/sound/SoundBackend.h"

#include "platform/sound/WaveFile.h"
#include "platform/sound/WaveOutput.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryFile>
#include <QThread>

namespace lumo::sound {

namespace {

// A longer beep would hold the program up: it is cut to this.
constexpr int kLongestBeepMs = 5000;
constexpr int kToneLeadMs = 30;
constexpr int kToneTailMs = 250;

bool headless() {
    const QString platform = QGuiApplication::platformName();
    return !qobject_cast<QApplication*>(QCoreApplication::instance()) || platform == u"offscreen" ||
           platform == u"minimal";
}

// No wave device: nothing plays; the bell is still the desktop's.
class SilentBackend : public SoundBackend {
public:
    bool hasWaveOutput() override { return false; }
    bool playWave(const QString&, long) override { return false; }

    void beep(int, int ms) override {
        // The desktop bell has its own pitch; the caller still waits the duration,
        // so that a sequence of beeps keeps its rhythm.
        if (headless())
            return;
        QApplication::beep();
        if (ms > 0)
            QThread::msleep(static_cast<unsigned long>(qMin(ms, kLongestBeepMs)));
    }
};

// Wave output and tones through the module; the bell where a tone cannot play.
class DeviceBackend : public SilentBackend {
public:
    explicit DeviceBackend(std::unique_ptr<WaveOutput> output) : m_output(std::move(output)) {}
    bool hasWaveOutput() override { return m_output->hasDevice(); }
    bool playWave(const QString& path, long flags) override { return m_output->play(path, flags); }

    void beep(int hz, int ms) override {
        if (ms <= 0 || !playTone(hz, qMin(ms, kLongestBeepMs)))
            SilentBackend::beep(hz, ms);
    }

private:
    bool playTone(int hz, int ms) {
        QTemporaryFile file(QDir::tempPath() + QStringLiteral("/LumoTone-XXXXXX.wav"));
        // Silence around the tone: the sound server drops the first and the last moments of a
        // short stream.
        if (!file.open() || file.write(ToneWave(hz, ms, kToneLeadMs, kToneTailMs)) < 0 || !file.flush())
            return false;
        return m_output->tone(file.fileName(), ms);
    }

    std::unique_ptr<WaveOutput> m_output;
};

std::unique_ptr<SoundBackend>& slot() {
    static std::unique_ptr<SoundBackend> backend;
    return backend;
}

} // namespace

SoundBackend& Backend() {
    if (!slot()) {
        // Without a screen (CI) there is no one to hear it either; without the module or a
        // device nothing plays.
        std::unique_ptr<WaveOutput> output =
            headless() ? nullptr : LoadWaveOutput(QCoreApplication::applicationDirPath());
        if (output && output->hasDevice())
            slot() = MakeDeviceBackend(std::move(output));
        else
            slot() = MakeSilentBackend();
    }
    return *slot();
}

void PreloadBackend() {
    if (!slot() && !headless())
        PreloadWaveOutput(QCoreApplication::applicationDirPath());
}

void SetBackend(std::unique_ptr<SoundBackend> backend) {
    slot() = std::move(backend);
}

std::unique_ptr<SoundBackend> MakeSilentBackend() {
    return std::make_unique<SilentBackend>();
}

std::unique_ptr<SoundBackend> MakeDeviceBackend(std::unique_ptr<WaveOutput> output) {
    return std::make_unique<DeviceBackend>(std::move(output));
}

} // namespace lumo::sound
