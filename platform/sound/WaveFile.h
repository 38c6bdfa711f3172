#pragma once

#include <QString>

namespace lumo::sound {

// True when the file is a RIFF WAVE file with a PCM format chunk and a data chunk,
// the kind the wave output plays. Checked before a sound starts, so that a bad
// file is known at once even when the sound plays without waiting.
bool IsPlayableWave(const QString& path);

} // namespace lumo::sound
