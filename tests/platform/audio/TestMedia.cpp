#include "TestMedia.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace luma::test {

bool writeToneWav(const QString& path, double seconds, double frequency, int rate, int channels,
                  double amplitude) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file) {
        return false;
    }
    const auto frames = static_cast<sf_count_t>(std::llround(seconds * rate));
    std::vector<float> samples(static_cast<std::size_t>(frames * channels));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i / static_cast<std::size_t>(channels)) / rate;
        samples[i] = static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * frequency * t));
    }
    const bool ok = sf_writef_float(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && ok;
}

bool lameAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("lame")).isEmpty();
}

bool encodeMp3(const QString& wav, const QString& mp3) {
    if (!lameAvailable()) {
        return false;
    }
    QProcess lame;
    lame.start(QStringLiteral("lame"), {QStringLiteral("--quiet"), wav, mp3});
    return lame.waitForFinished(60000) && lame.exitStatus() == QProcess::NormalExit &&
           lame.exitCode() == 0;
}

MidiFileBuilder::MidiFileBuilder(int ticksPerQuarter) : ticksPerQuarter_(ticksPerQuarter) {}

MidiFileBuilder& MidiFileBuilder::event(std::uint32_t delta, std::initializer_list<int> data) {
    QByteArray length(1, static_cast<char>(delta & 0x7F));
    while (delta >>= 7) {
        length.prepend(static_cast<char>(0x80 | (delta & 0x7F)));
    }
    track_.append(length);
    for (int byte : data) {
        track_.append(static_cast<char>(byte));
    }
    return *this;
}

MidiFileBuilder& MidiFileBuilder::tempo(std::uint32_t us, std::uint32_t delta) {
    return event(delta, {0xFF, 0x51, 3, int(us >> 16) & 0xFF, int(us >> 8) & 0xFF, int(us) & 0xFF});
}

MidiFileBuilder& MidiFileBuilder::program(int channel, int program, std::uint32_t delta) {
    return event(delta, {0xC0 | channel, program});
}

MidiFileBuilder& MidiFileBuilder::note(int channel, int key, std::uint32_t ticks,
                                       std::uint32_t delta) {
    return event(delta, {0x90 | channel, key, 100}).event(ticks, {0x80 | channel, key, 0});
}

MidiFileBuilder& MidiFileBuilder::chord(int channel, const std::vector<int>& keys,
                                        std::uint32_t ticks) {
    for (int key : keys) {
        event(0, {0x90 | channel, key, 100});
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        event(i == 0 ? ticks : 0, {0x80 | channel, keys[i], 0});
    }
    return *this;
}

QByteArray MidiFileBuilder::bytes() const {
    // Format 0, one track.
    QByteArray file("MThd\0\0\0\6\0\0\0\1", 12);
    file.append(char(ticksPerQuarter_ >> 8)).append(char(ticksPerQuarter_)).append("MTrk");
    const QByteArray track = track_ + QByteArray("\x00\xFF\x2F\x00", 4);
    for (int shift = 24; shift >= 0; shift -= 8) {
        file.append(char(track.size() >> shift));
    }
    return file + track;
}

bool MidiFileBuilder::write(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes()) == bytes().size();
}

bool writeSimpleMidi(const QString& path, int notes) {
    MidiFileBuilder midi;
    midi.tempo(500000).program(0, 0);
    for (int i = 0; i < notes; ++i) {
        midi.note(0, 60 + (i % 12), 480);
    }
    return midi.write(path);
}

double goertzelPower(const std::vector<float>& samples, double frequency, int channel, int rate) {
    const std::size_t frames = samples.size() / 2;
    if (frames == 0) {
        return 0;
    }
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * frequency / rate);
    double s1 = 0;
    double s2 = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double s0 =
            samples[i * 2 + static_cast<std::size_t>(channel)] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return (s1 * s1 + s2 * s2 - coefficient * s1 * s2) / (double(frames) * double(frames));
}

float peak(const std::vector<float>& samples) {
    return std::accumulate(samples.begin(), samples.end(), 0.0f,
                           [](float top, float s) { return std::max(top, std::fabs(s)); });
}

double energy(const std::vector<float>& samples) {
    const double sum = std::inner_product(samples.begin(), samples.end(), samples.begin(), 0.0);
    return samples.empty() ? 0 : sum / double(samples.size());
}

}  // namespace luma::test
