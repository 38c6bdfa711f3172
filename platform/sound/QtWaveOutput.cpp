// The wave output module: Qt Multimedia behind the WaveOutput interface.
#include "platform/sound/SoundBackend.h"
#include "platform/sound/WaveOutput.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace lumo::sound {
namespace {

class QtWaveOutput : public WaveOutput {
public:
    bool hasDevice() override { return !QMediaDevices::audioOutputs().isEmpty(); }

    bool play(const QString& path, long flags) override {
        if (m_effect)
            m_effect->stop();
        delete m_effect.data();
        auto* effect = new QSoundEffect(QMediaDevices::defaultAudioOutput());
        m_effect = effect;
        effect->setSource(QUrl::fromLocalFile(path));
        const bool loop = (flags & sndLoop) && (flags & sndAsync);
        effect->setLoopCount(loop ? QSoundEffect::Infinite : 1);
        effect->play();
        if (flags & sndAsync)
            return effect->status() != QSoundEffect::Error;
        // Waits for the end of the sound; a broken device ends the wait too.
        QEventLoop wait;
        QObject::connect(effect, &QSoundEffect::playingChanged, &wait, [&] {
            if (!effect->isPlaying())
                wait.quit();
        });
        QObject::connect(effect, &QSoundEffect::statusChanged, &wait, [&] {
            if (effect->status() == QSoundEffect::Error)
                wait.quit();
        });
        QTimer::singleShot(60000, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
        return effect->status() != QSoundEffect::Error;
    }

private:
    QPointer<QSoundEffect> m_effect;
};

} // namespace
} // namespace lumo::sound

extern "C" __attribute__((visibility("default"))) lumo::sound::WaveOutput* lumo_create_wave_output() {
    return new lumo::sound::QtWaveOutput;
}
