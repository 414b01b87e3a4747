#pragma once

#include <QString>

#include <vector>

namespace luma::assets {

// A note of a synthesised tune: frequency in hertz (0 = rest), start and length in seconds.
struct Note {
    double frequency;
    double start;
    double length;
};

// The announce chime: a short bell stroke, its partials decaying at their own rates.
std::vector<float> bellStroke(int rate);

// A tune of soft plucked tones.
std::vector<float> pluckedTune(const std::vector<Note>& notes, double seconds, int rate);

// Writes mono float samples as a 16-bit WAV file.
bool writeWave(const QString& path, const std::vector<float>& samples, int rate);

// Writes a Standard MIDI File (format 0) of `notes` (frequency taken as a MIDI key number) on
// `program` (General MIDI instrument number).
bool writeMidi(const QString& path, const std::vector<Note>& notes, int program, int tempoBpm);

}  // namespace luma::assets
