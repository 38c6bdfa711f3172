#pragma once

#include <QString>

#include <memory>

// The machine's sound: wave output devices, playing a wave file, the bell.
namespace lumo::sound {

// Flags of a play request, as the callers pass them.
enum PlayFlag : long {
    sndAsync = 1,     // return at once; otherwise wait until the sound has ended
    sndNoDefault = 2, // no default sound for a file that cannot be played
    sndLoop = 8,      // repeat until the next sound (with sndAsync)
};

class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // At least one wave output device exists.
    virtual bool hasWaveOutput() = 0;
    // Plays a wave file that was checked to be one; a new sound ends the previous one.
    // False when the device failed.
    virtual bool playWave(const QString& path, long flags) = 0;
    // A tone of hz for ms through the wave device, else the desktop's bell; returns after
    // the duration.
    virtual void beep(int hz, int ms) = 0;
};

// The program's backend: the wave output module (WaveOutput.h), or a silent one where no
// screen, no module or no output device exists.
SoundBackend& Backend();

// Starts loading the wave output module beside the caller where a screen exists, so that the
// first Backend() finds it loaded.
void PreloadBackend();

// Replaces the backend (tests); nullptr goes back to the machine's.
void SetBackend(std::unique_ptr<SoundBackend> backend);

// A backend that has no device and plays nothing.
std::unique_ptr<SoundBackend> MakeSilentBackend();

class WaveOutput;
// A backend playing waves and tones through output (the module's, or a test's).
std::unique_ptr<SoundBackend> MakeDeviceBackend(std::unique_ptr<WaveOutput> output);

} // namespace lumo::sound
