#include "platform/sound/WaveFile.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace lumo::sound {

namespace {

quint32 le32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

quint16 le16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}

void put32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void put16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

constexpr int kToneRate = 44100;
constexpr int kToneRampMs = 5;
constexpr double kToneLevel = 12000.0;

} // namespace

bool IsPlayableWave(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    bool format = false;
    // Walk the chunks; a format chunk must come before the data.
    for (int guard = 0; guard < 64; ++guard) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8)
            return false;
        const quint32 size = le32(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            // A damaged size must not make the read below take gigabytes.
            if (size < 16 || size > file.bytesAvailable())
                return false;
            const QByteArray fmt = file.read(size);
            if (fmt.size() < 16)
                return false;
            const quint16 tag = le16(fmt.constData());
            const quint16 channels = le16(fmt.constData() + 2);
            const quint32 rate = le32(fmt.constData() + 4);
            const quint16 bits = le16(fmt.constData() + 14);
            // 1 PCM, 3 float, 0xFFFE extensible.
            format = (tag == 1 || tag == 3 || tag == 0xFFFE) && channels >= 1 && channels <= 8 &&
                     rate >= 1000 && rate <= 384000 && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
            if (!format)
                return false;
            if (size % 2 && !file.skip(1))
                return false;
            continue;
        }
        if (chunk.startsWith("data"))
            return format && size > 0;
        if (!file.skip(size + size % 2))
            return false;
    }
    return false;
}

QByteArray PcmWave(const std::vector<int16_t>& samples, int rate) {
    const auto dataBytes = static_cast<quint32>(samples.size() * 2);
    QByteArray out;
    out.reserve(44 + static_cast<qsizetype>(dataBytes));
    out.append("RIFF");
    put32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, static_cast<quint32>(rate));
    put32(out, static_cast<quint32>(rate) * 2);
    put16(out, 2);
    put16(out, 16);
    out.append("data");
    put32(out, dataBytes);
    for (const int16_t s : samples)
        put16(out, static_cast<quint16>(s));
    return out;
}

QByteArray ToneWave(int hz, int ms, int leadMs, int tailMs) {
    const auto samplesOf = [](int length) {
        return static_cast<int>(static_cast<qint64>(std::max(length, 0)) * kToneRate / 1000);
    };
    const int lead = samplesOf(leadMs), count = samplesOf(ms);
    const int ramp = std::max(1, std::min(count / 2, samplesOf(kToneRampMs)));
    const bool audible = hz > 0 && hz <= 20000;
    std::vector<int16_t> samples(static_cast<size_t>(lead + count + samplesOf(tailMs)), 0);
    for (int i = 0; audible && i < count; ++i) {
        const double envelope = std::min({1.0, double(i) / ramp, double(count - 1 - i) / ramp});
        const double wave = std::sin(2 * M_PI * hz * double(i) / kToneRate);
        samples[static_cast<size_t>(lead + i)] =
            static_cast<int16_t>(std::lround(kToneLevel * envelope * wave));
    }
    return PcmWave(samples, kToneRate);
}

} // namespace lumo::sound
