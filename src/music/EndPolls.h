#pragma once

#include <QString>

#include <optional>

namespace luma {

class MediaControl;

// What the once-a-second end pollers of a playlist player ask the devices.

// When a disc is present, the seconds within the track of the CD position ("status cd media
// present", then "status cd position", both into `cdReply`); std::nullopt without a disc. A
// position field that is no number counts 0.
std::optional<int> cdSecondsIntoTrack(MediaControl& media, QString& cdReply);

// After a track has ended: "stop cd wait", "seek cd to 1 wait".
void rewindCd(MediaControl& media);

// The wave device's progress: its length and the played fraction (0 while the length is 0).
struct WaveProgress {
    int result = 0;  // of the length query: not 0 when no wave file is open
    double length = 0;
    float fraction = 0;
};
WaveProgress waveProgress(MediaControl& media);

// "stop sound", "close sound".
void closeWave(MediaControl& media);

// The MIDI device's mode: whether it has stopped, and the query's result (not 0 when none is open).
struct MidiMode {
    int result = 0;
    bool stopped = false;
};
MidiMode midiMode(MediaControl& media);

}  // namespace luma
