#include "platform/sound/SoundBackend.h"

#include "platform/sound/WaveOutput.h"

#include <QApplication>
#include <QGuiApplication>
#include <QThread>

namespace lumo::sound {

namespace {

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
            QThread::msleep(static_cast<unsigned long>(qMin(ms, 5000)));
    }
};

// The desktop's bell and wave output through the module.
class DeviceBackend : public SilentBackend {
public:
    explicit DeviceBackend(std::unique_ptr<WaveOutput> output) : m_output(std::move(output)) {}
    bool hasWaveOutput() override { return m_output->hasDevice(); }
    bool playWave(const QString& path, long flags) override { return m_output->play(path, flags); }

private:
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
            slot() = std::make_unique<DeviceBackend>(std::move(output));
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

} // namespace lumo::sound
