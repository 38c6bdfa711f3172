#include "platform/sound/SoundBackend.h"

#include <QApplication>
#include <QAudioDevice>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace lumo::sound {

namespace {

bool headless() {
    const QString platform = QGuiApplication::platformName();
    return !qobject_cast<QApplication*>(QCoreApplication::instance()) || platform == u"offscreen" ||
           platform == u"minimal";
}

// The desktop's bell and wave output through Qt Multimedia.
class QtBackend : public SoundBackend {
public:
    bool hasWaveOutput() override { return !QMediaDevices::audioOutputs().isEmpty(); }

    bool playWave(const QString& path, long flags) override {
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

    void beep(int, int ms) override {
        // The desktop bell has its own pitch; the caller still waits the duration,
        // so that a sequence of beeps keeps its rhythm.
        if (headless())
            return;
        QApplication::beep();
        if (ms > 0)
            QThread::msleep(static_cast<unsigned long>(qMin(ms, 5000)));
    }

private:
    QPointer<QSoundEffect> m_effect;
};

// No wave device: nothing plays; the bell is still the desktop's.
class SilentBackend : public QtBackend {
public:
    bool hasWaveOutput() override { return false; }
    bool playWave(const QString&, long) override { return false; }
};

std::unique_ptr<SoundBackend>& slot() {
    static std::unique_ptr<SoundBackend> backend;
    return backend;
}

} // namespace

SoundBackend& Backend() {
    if (!slot()) {
        // Without a screen (CI) there is no one to hear it either.
        const bool device = !headless() && !QMediaDevices::audioOutputs().isEmpty();
        slot() = device ? std::unique_ptr<SoundBackend>(new QtBackend) : MakeSilentBackend();
    }
    return *slot();
}

void SetBackend(std::unique_ptr<SoundBackend> backend) {
    slot() = std::move(backend);
}

std::unique_ptr<SoundBackend> MakeSilentBackend() {
    return std::make_unique<SilentBackend>();
}

} // namespace lumo::sound
