// Writes the program's own short sounds as 16-bit mono PCM wave files:
//   lumo_wavgen start <file>   a rising three-note chime
//   lumo_wavgen error <file>   two falling notes
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

void put32(std::FILE* f, uint32_t v) {
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    std::fwrite(b, 1, 4, f);
}

void put16(std::FILE* f, uint16_t v) {
    const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

bool writeWave(const char* path, const std::vector<int16_t>& samples) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1); // PCM
    put16(f, 1); // mono
    put32(f, kRate);
    put32(f, kRate * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, dataBytes);
    for (int16_t s : samples)
        put16(f, static_cast<uint16_t>(s));
    return std::fclose(f) == 0;
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
