#include "platform/sound/WaveFile.h"

#include <QFile>
#include <QtEndian>

namespace lumo::sound {

namespace {

quint32 le32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

quint16 le16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}

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
            if (size < 16)
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

} // namespace lumo::sound
