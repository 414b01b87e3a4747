#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace luma::test {

// Writes a 16-bit PCM wave file holding a sine tone (every channel alike). False on failure.
bool writeToneWav(const QString& path, double seconds, double frequency, int rate = 44100,
                  int channels = 1, double amplitude = 0.5);

// Encodes `wav` to `mp3` with lame. False when lame is missing or fails.
bool lameAvailable();
bool encodeMp3(const QString& wav, const QString& mp3);

// A Standard MIDI File, format 0, one track, built event by event.
class MidiFileBuilder {
public:
    explicit MidiFileBuilder(int ticksPerQuarter = 480);
    MidiFileBuilder& tempo(std::uint32_t microsecondsPerQuarter, std::uint32_t delta = 0);
    MidiFileBuilder& program(int channel, int program, std::uint32_t delta = 0);
    // A note of `ticks` ticks starting `delta` ticks after the previous event.
    MidiFileBuilder& note(int channel, int key, std::uint32_t ticks, std::uint32_t delta = 0);
    // Several keys struck together and released together.
    MidiFileBuilder& chord(int channel, const std::vector<int>& keys, std::uint32_t ticks);
    QByteArray bytes() const;
    bool write(const QString& path) const;

private:
    MidiFileBuilder& event(std::uint32_t delta, std::initializer_list<int> data);
    int ticksPerQuarter_;
    QByteArray track_;
};

// Writes `notes` quarter notes at 120 beats a minute (half a second each) on a piano.
bool writeSimpleMidi(const QString& path, int notes);

// The power of `frequency` in channel `channel` of interleaved stereo `samples` at 44100 Hz,
// normalised so that a full-scale sine gives about 0.25 and silence 0.
double goertzelPower(const std::vector<float>& samples, double frequency, int channel = 0,
                     int rate = 44100);
// Mean square of every sample.
double energy(const std::vector<float>& samples);
// Largest absolute sample.
float peak(const std::vector<float>& samples);

}  // namespace luma::test
