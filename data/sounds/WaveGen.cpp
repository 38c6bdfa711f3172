// Writes the program's own short sounds as 16-bit mono PCM wave files:
//   lumo_wavgen start <file>   a rising three-note chime
//   lumo_wavgen error <file>   two falling notes
#include "platform/sound/WaveFile.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRate = 22050;

struct Note {
    double hz;
    double seconds;
};

void appendNote(std::vector<int16_t>& samples, const Note& note) {
    const int count = static_cast<int>(note.seconds * kRate);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        // A short attack and an exponential decay keep the sound soft and click-free.
        const double envelope = std::min(1.0, t / 0.008) * std::exp(-t * 6.0);
        const double wave = std::sin(2 * M_PI * note.hz * t) + 0.25 * std::sin(4 * M_PI * note.hz * t);
        samples.push_back(static_cast<int16_t>(std::lround(9000.0 * envelope * wave)));
    }
}

bool writeWave(const char* path, const std::vector<int16_t>& samples) {
    const QByteArray wave = lumo::sound::PcmWave(samples, kRate);
    std::FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(wave.constData(), 1, static_cast<size_t>(wave.size()), f) ==
                         static_cast<size_t>(wave.size());
    return std::fclose(f) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "use: lumo_wavgen start|error <file>\n");
        return 2;
    }
    std::vector<int16_t> samples;
    if (std::strcmp(argv[1], "start") == 0) {
        for (const Note& n : {Note{523.25, 0.14}, Note{659.25, 0.14}, Note{783.99, 0.42}})
            appendNote(samples, n);
    } else if (std::strcmp(argv[1], "error") == 0) {
        for (const Note& n : {Note{440.0, 0.16}, Note{329.63, 0.30}})
            appendNote(samples, n);
    } else {
        std::fprintf(stderr, "unknown sound %s\n", argv[1]);
        return 2;
    }
    if (!writeWave(argv[2], samples)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
