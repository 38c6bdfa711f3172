// The wave output module: Qt Multimedia behind the WaveOutput interface.
#include "platform/sound/SoundBackend.h"
#include "platform/sound/WaveOutput.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QMediaDevices>
#include <QObject>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace lumo::sound {
namespace {

// Waits for the end of a sound that was asked to play; a broken device ends the wait too.
bool playedToTheEnd(QSoundEffect* effect, int timeoutMs) {
    QEventLoop wait;
    QObject::connect(effect, &QSoundEffect::playingChanged, &wait, [&] {
        if (!effect->isPlaying())
            wait.quit();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, &wait, [&] {
        if (effect->status() == QSoundEffect::Error)
            wait.quit();
    });
    QTimer::singleShot(timeoutMs, &wait, &QEventLoop::quit);
    if (effect->status() != QSoundEffect::Error)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    return effect->status() != QSoundEffect::Error;
}

// How long a played tone's effect is kept for the device to drain it.
constexpr int kDrainMs = 2000;

// Waits until the effect has read its file; false when it cannot.
bool waitForStatus(QSoundEffect* effect, int timeoutMs) {
    if (effect->status() == QSoundEffect::Loading) {
        QEventLoop wait;
        QObject::connect(effect, &QSoundEffect::statusChanged, &wait, &QEventLoop::quit);
        QTimer::singleShot(timeoutMs, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return effect->status() == QSoundEffect::Ready;
}

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
        return playedToTheEnd(effect, 60000);
    }

    bool tone(const QString& path, int ms) override {
        auto* effect = new QSoundEffect(QMediaDevices::defaultAudioOutput());
        effect->setSource(QUrl::fromLocalFile(path));
        // The file is read first: the caller removes it once the tone has played.
        if (!waitForStatus(effect, 2000)) {
            delete effect;
            return false;
        }
        effect->play();
        // The effect counts as stopped once its samples are handed to the device, not once they
        // are heard: the tone's own length is waited for, and the effect stays until it drains.
        QEventLoop wait;
        QObject::connect(effect, &QSoundEffect::statusChanged, &wait, [&] {
            if (effect->status() == QSoundEffect::Error)
                wait.quit();
        });
        QTimer::singleShot(ms, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
        const bool played = effect->status() != QSoundEffect::Error;
        QTimer::singleShot(kDrainMs, effect, &QObject::deleteLater);
        return played;
    }

private:
    QPointer<QSoundEffect> m_effect;
};

} // namespace
} // namespace lumo::sound

extern "C" __attribute__((visibility("default"))) lumo::sound::WaveOutput* lumo_create_wave_output() {
    return new lumo::sound::QtWaveOutput;
}
