#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace lumo::sound {

// True when the file is a RIFF WAVE file with a PCM format chunk and a data chunk,
// the kind the wave output plays. Checked before a sound starts, so that a bad
// file is known at once even when the sound plays without waiting.
bool IsPlayableWave(const QString& path);

// A 16-bit mono PCM wave file holding samples at rate samples per second.
QByteArray PcmWave(const std::vector<int16_t>& samples, int rate);

// A sine tone of hz for ms as a wave file, eased in and out so that it starts and ends without
// a click, with leadMs of silence before it and tailMs after; a pitch above hearing is silence
// of the same length.
QByteArray ToneWave(int hz, int ms, int leadMs = 0, int tailMs = 0);

} // namespace lumo::sound
