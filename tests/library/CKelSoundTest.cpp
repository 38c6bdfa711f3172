#include "library/CKelSound.h"
#include "platform/sound/SoundBackend.h"
#include "platform/sound/WaveFile.h"
#include "platform/sound/WaveOutput.h"

#include "common/TempProgramDir.h"

#include <QFile>

#include <algorithm>
#include <cstdlib>

#include <sys/resource.h>

#include <gtest/gtest.h>

namespace lumo {
namespace {

struct FakeDevice : sound::SoundBackend {
    bool device = false;
    bool failPlay = false;
    QStringList played;
    QList<long> flags;
    QList<std::pair<int, int>> beeps;
    bool hasWaveOutput() override { return device; }
    bool playWave(const QString& path, long f) override {
        played << path;
        flags << f;
        return !failPlay;
    }
    void beep(int hz, int ms) override { beeps.append({hz, ms}); }
};

struct Failure {
    long number;
    QString description, title, source;
};

class CKelSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto fake = std::make_unique<FakeDevice>();
        dev = fake.get();
        sound::SetBackend(std::move(fake));
        QObject::connect(&snd, &CKelSound::ClassError, [this](long& n, QString& d, QString& t, QString& s) {
            failures.push_back({n, d, t, s});
        });
        // The sound the build writes, in the program folder.
        QFile built(qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Err.Wav"));
        ASSERT_TRUE(built.open(QIODevice::ReadOnly));
        dir.write(QStringLiteral("Err.Wav"), built.readAll());
    }
    void TearDown() override { sound::SetBackend(nullptr); }

    test::TempProgramDir dir;
    CKelSound snd;
    FakeDevice* dev = nullptr;
    std::vector<Failure> failures;
};

TEST_F(CKelSoundTest, PlayWavReportsEachFailureOnceAndPlaysOnlyCheckedWaveFiles) {
    dev->device = true;
    snd.PlayWav(QStringLiteral("/nonexistent/x.wav"), 1);
    EXPECT_EQ(snd.Result(), 7001);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].description,
              QStringLiteral("Soubor nelze přehrát - chybný nebo neplatný název souboru Wav"));
    EXPECT_EQ(failures[0].title, QStringLiteral("Chybná specifikace souboru Wav"));
    EXPECT_EQ(failures[0].source, QStringLiteral("CKelSound - PlayWav"));
    // A pattern is a name, not a search.
    snd.PlayWav(QStringLiteral("*.Wav"), 1);
    EXPECT_EQ(snd.Result(), 7001);

    // Relative names belong to the program folder and resolve in any case.
    snd.PlayWav(QStringLiteral("err.wav"), 1);
    EXPECT_EQ(snd.Result(), 0);
    ASSERT_EQ(dev->played.size(), 1);
    EXPECT_EQ(dev->played[0], dir.file(QStringLiteral("Err.Wav")));
    EXPECT_EQ(dev->flags[0], 1);

    // A file that is no wave, and a device that fails, are device failures.
    dir.write(QStringLiteral("bad.wav"), QByteArray("RIFF\x10\0\0\0WAVEjunk", 16));
    snd.PlayWav(dir.file(QStringLiteral("bad.wav")), 1);
    EXPECT_EQ(snd.Result(), 7003);
    EXPECT_EQ(dev->played.size(), 1);
    dev->failPlay = true;
    snd.PlayWav(QStringLiteral("Err.Wav"), 0);
    EXPECT_EQ(snd.Result(), 7003);
    EXPECT_EQ(failures.back().description,
              QStringLiteral("Soubor nelze přehrát - došlo k selhání zařízení Wav"));
    EXPECT_EQ(failures.back().title, QStringLiteral("Selhání technického vybavení"));

    // Without a device nothing is asked of it.
    dev->device = false;
    snd.PlayWav(QStringLiteral("Err.Wav"), 1);
    EXPECT_EQ(snd.Result(), 7002);
    EXPECT_EQ(failures.back().description,
              QStringLiteral("Soubor nelze přehrát - na tomto počítači nelze přehrávat soubory Wav"));
    EXPECT_EQ(failures.back().title, QStringLiteral("Nedostatečné technické vybavení"));
    EXPECT_EQ(dev->played.size(), 2);
    EXPECT_EQ(failures.size(), 5u);
}

TEST_F(CKelSoundTest, WaveReadyAndBeepClearTheResultAndBadTonesFailTheClass) {
    snd.PlayWav(QStringLiteral("missing.wav"), 1);
    EXPECT_FALSE(snd.WaveReady());
    EXPECT_EQ(snd.Result(), 0);
    dev->device = true;
    EXPECT_TRUE(snd.WaveReady());

    snd.MBeep(1200, 150);
    EXPECT_EQ(snd.Result(), 0);
    ASSERT_EQ(dev->beeps.size(), 1);
    EXPECT_EQ(dev->beeps[0], std::make_pair(1200, 150));
    snd.MBeep(0, 150);
    EXPECT_EQ(snd.Result(), 7000);
    EXPECT_EQ(failures.back().description, QStringLiteral("Došlo k selhání třídy, operaci nelze provést"));
    EXPECT_EQ(failures.back().source, QStringLiteral("CKelSound - MBeep"));
    EXPECT_EQ(dev->beeps.size(), 1);
}

// Lets the process take only extra bytes of address space more than it holds now.
void limitAddressSpace(rlim_t extra) {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    rlim_t kb = 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            kb = line.mid(7).trimmed().split(' ').value(0).toULongLong();
    const rlimit limit{(kb << 10) + extra, RLIM_INFINITY};
    ::setrlimit(RLIMIT_AS, &limit);
}

TEST(WaveFileTest, TheBuiltSoundsAreWaveFilesAndDamagedOnesAreNot) {
    const QString data = qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/");
    EXPECT_TRUE(sound::IsPlayableWave(data + QStringLiteral("LUMO.Wav")));
    EXPECT_TRUE(sound::IsPlayableWave(data + QStringLiteral("Err.Wav")));
    test::TempProgramDir dir;
    QFile built(data + QStringLiteral("Err.Wav"));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QByteArray good = built.readAll();
    dir.write(QStringLiteral("short.wav"), good.left(30));
    EXPECT_FALSE(sound::IsPlayableWave(dir.file(QStringLiteral("short.wav"))));
    QByteArray adpcm = good;
    adpcm[20] = 2; // format tag: compressed
    dir.write(QStringLiteral("adpcm.wav"), adpcm);
    EXPECT_FALSE(sound::IsPlayableWave(dir.file(QStringLiteral("adpcm.wav"))));
    // A format chunk claiming gigabytes is refused without asking for that much memory.
    QByteArray huge = good.left(44);
    huge[16] = '\xF0';
    huge[17] = huge[18] = huge[19] = '\xFF';
    dir.write(QStringLiteral("huge.wav"), huge);
    EXPECT_EXIT(
        {
            limitAddressSpace(rlim_t(512) << 20);
            std::exit(sound::IsPlayableWave(dir.file(QStringLiteral("huge.wav"))) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

struct FakeOutput : sound::WaveOutput {
    bool failTone = false;
    QList<QByteArray> tones;
    QStringList tonePaths;
    bool hasDevice() override { return true; }
    bool play(const QString&, long) override { return true; }
    bool tone(const QString& path, int) override {
        QFile file(path);
        tones << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        tonePaths << path;
        return !failTone;
    }
};

// The sounding part of a tone's wave file: its length in samples, the sign changes of the sine,
// the loudest sample and the loudest of its first millisecond.
struct ToneShape {
    int samples = 0, signChanges = 0, peak = 0, onset = 0;
};

ToneShape shapeOf(const QByteArray& wave) {
    ToneShape shape;
    const auto* s = reinterpret_cast<const qint16*>(wave.constData() + 44);
    const int count = static_cast<int>((wave.size() - 44) / 2);
    int first = 0, last = count - 1;
    while (first < count && s[first] == 0)
        ++first;
    while (last > first && s[last] == 0)
        --last;
    if (first == count)
        return shape;
    shape.samples = last - first + 1;
    for (int i = first; i <= last; ++i) {
        shape.peak = std::max(shape.peak, std::abs(int(s[i])));
        if (i < first + 44)
            shape.onset = shape.peak;
        if (i > first && (s[i - 1] < 0) != (s[i] < 0))
            ++shape.signChanges;
    }
    return shape;
}

// The error dialog's falling tones are heard as tones of their pitch and length where a wave
// device exists: each is a wave file that the device plays to its end, removed afterwards.
TEST(WaveToneTest, ABeepThroughAWaveDeviceIsAToneOfItsPitchAndLength) {
    auto output = std::make_unique<FakeOutput>();
    FakeOutput* out = output.get();
    sound::SetBackend(sound::MakeDeviceBackend(std::move(output)));
    CKelSound snd;
    snd.MBeep(1200, 50);
    snd.MBeep(1000, 100);
    out->failTone = true;
    snd.MBeep(1100, 50); // the bell instead; still no failure of the class
    EXPECT_EQ(snd.Result(), 0);
    const QList<QByteArray> tones = out->tones;
    const QStringList paths = out->tonePaths;
    sound::SetBackend(nullptr);

    ASSERT_EQ(tones.size(), 3);
    test::TempProgramDir dir;
    dir.write(QStringLiteral("tone.wav"), tones[0]);
    EXPECT_TRUE(sound::IsPlayableWave(dir.file(QStringLiteral("tone.wav"))));
    for (const QString& path : paths)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    const ToneShape high = shapeOf(tones[0]), low = shapeOf(tones[1]);
    EXPECT_NEAR(high.samples, 44100 * 50 / 1000, 3);
    EXPECT_NEAR(low.samples, 44100 * 100 / 1000, 3);
    EXPECT_NEAR(high.signChanges, 2 * 1200 * 50 / 1000, 2);
    EXPECT_NEAR(low.signChanges, 2 * 1000 * 100 / 1000, 2);
    EXPECT_GT(high.peak, 10000);
    EXPECT_LT(high.onset, high.peak / 2) << "eased in: no click";
    // A pitch above hearing stays silent for its length.
    const QByteArray ultrasonic = sound::ToneWave(30000, 20);
    EXPECT_EQ(ultrasonic.size(), 44 + 2 * 882);
    EXPECT_EQ(shapeOf(ultrasonic).peak, 0);
}

} // namespace
} // namespace lumo

namespace lumo::sound {
namespace {

// The wave output module loads from the folder it was built into (the executable's), also after
// start-up began loading it on a thread of its own; a folder without it, or with a file of that
// name that is no module, gives none, so sound stays silent.
TEST(WaveOutputModule, LoadsFromTheExecutablesFolderOnly) {
    const QString built = QStringLiteral(LUMO_SOUND_MODULE_DIR);
    PreloadWaveOutput(built);
    const std::unique_ptr<WaveOutput> output = LoadWaveOutput(built);
    ASSERT_NE(output, nullptr);
    output->hasDevice(); // answers without a sound server too

    test::TempProgramDir dir;
    EXPECT_EQ(LoadWaveOutput(dir.path()), nullptr);
    dir.write(QLatin1String(kWaveOutputModule), "not a module");
    EXPECT_EQ(LoadWaveOutput(dir.path()), nullptr);
}

} // namespace
} // namespace lumo::sound
