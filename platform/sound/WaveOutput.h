#pragma once

#include <QString>

#include <memory>

// Wave output through Qt Multimedia lives in a module of its own ("LumoSound.so" beside the
// executable), loaded the first time the program asks for wave output, so that the
// multimedia libraries (PulseAudio, codecs, Qt Network) stay off the start-up path and away
// from programs and tests that never play a sound.
namespace lumo::sound {

class WaveOutput {
public:
    virtual ~WaveOutput() = default;
    // At least one wave output device exists.
    virtual bool hasDevice() = 0;
    // Plays a checked wave file with the play flags (SoundBackend.h); false when the device failed.
    virtual bool play(const QString& path, long flags) = 0;
    // Plays a tone's wave file of ms milliseconds beside any sound already playing and returns
    // after its length; false when the device failed.
    virtual bool tone(const QString& path, int ms) = 0;
};

// The module's one entry point: a new wave output, owned by the caller.
using CreateWaveOutputFunction = WaveOutput* (*)();
inline constexpr const char* kCreateWaveOutputSymbol = "lumo_create_wave_output";
inline constexpr const char* kWaveOutputModule = "LumoSound.so";

// The module's wave output from folder; nullptr when the module is missing or broken.
// Waits for a preload of the module that is still running.
std::unique_ptr<WaveOutput> LoadWaveOutput(const QString& folder);

// Starts loading the module from folder on a thread of its own (once), so that
// LoadWaveOutput later finds it loaded.
void PreloadWaveOutput(const QString& folder);

} // namespace lumo::sound
