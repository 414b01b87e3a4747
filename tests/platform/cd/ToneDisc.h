#pragma once

#include <QString>

#include <vector>

namespace luma::test {

// One track of a generated disc: a sine tone (the same on both channels) or, when not audio, a
// data track filled with a loud byte pattern that must never be heard.
struct ToneTrack {
    double frequency = 440.0;
    int sectors = 75;  // 1/75 s each
    bool audio = true;
};

// Writes <dir>/<name>.bin (raw 2352-byte sectors, 16-bit little-endian stereo at 44.1 kHz) and
// <dir>/<name>.cue naming the tracks; returns the path of the .cue, empty when writing failed.
QString writeToneDisc(const QString& dir, const QString& name,
                      const std::vector<ToneTrack>& tracks);

// The binary file beside a .cue written by writeToneDisc.
QString binPathOf(const QString& cuePath);

}  // namespace luma::test
