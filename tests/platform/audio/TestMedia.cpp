#include "TestMedia.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace luma::test {

std::int64_t toneFrames(double seconds, int rate) {
    return std::llround(seconds * rate);
}

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
    const std::int64_t frames = toneFrames(seconds, rate);
    std::vector<float> block;
    bool ok = true;
    for (std::int64_t done = 0; done < frames && ok;) {
        const std::int64_t n = std::min<std::int64_t>(4096, frames - done);
        block.assign(static_cast<std::size_t>(n * channels), 0.0f);
        for (std::int64_t i = 0; i < n; ++i) {
            const double t = double(done + i) / rate;
            const auto v =
                static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * frequency * t));
            for (int c = 0; c < channels; ++c) {
                block[static_cast<std::size_t>(i * channels + c)] = v;
            }
        }
        ok = sf_writef_float(file, block.data(), n) == n;
        done += n;
    }
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

void MidiFileBuilder::varLength(std::uint32_t value) {
    char bytes[5];
    int n = 0;
    bytes[n++] = static_cast<char>(value & 0x7F);
    while (value >>= 7) {
        bytes[n++] = static_cast<char>(0x80 | (value & 0x7F));
    }
    while (n > 0) {
        track_.append(bytes[--n]);
    }
}

MidiFileBuilder& MidiFileBuilder::tempo(std::uint32_t us, std::uint32_t delta) {
    varLength(delta);
    track_.append("\xFF\x51\x03", 3);
    track_.append(static_cast<char>(us >> 16));
    track_.append(static_cast<char>(us >> 8));
    track_.append(static_cast<char>(us));
    return *this;
}

MidiFileBuilder& MidiFileBuilder::program(int channel, int program, std::uint32_t delta) {
    varLength(delta);
    track_.append(static_cast<char>(0xC0 | channel));
    track_.append(static_cast<char>(program));
    return *this;
}

MidiFileBuilder& MidiFileBuilder::note(int channel, int key, std::uint32_t ticks,
                                       std::uint32_t delta) {
    varLength(delta);
    track_.append(static_cast<char>(0x90 | channel));
    track_.append(static_cast<char>(key));
    track_.append(static_cast<char>(100));
    varLength(ticks);
    track_.append(static_cast<char>(0x80 | channel));
    track_.append(static_cast<char>(key));
    track_.append(static_cast<char>(0));
    return *this;
}

MidiFileBuilder& MidiFileBuilder::chord(int channel, const std::vector<int>& keys,
                                        std::uint32_t ticks) {
    for (int key : keys) {
        varLength(0);
        track_.append(static_cast<char>(0x90 | channel));
        track_.append(static_cast<char>(key));
        track_.append(static_cast<char>(100));
    }
    bool first = true;
    for (int key : keys) {
        varLength(first ? ticks : 0);
        first = false;
        track_.append(static_cast<char>(0x80 | channel));
        track_.append(static_cast<char>(key));
        track_.append(static_cast<char>(0));
    }
    return *this;
}

QByteArray MidiFileBuilder::bytes() const {
    auto big = [](QByteArray& out, std::uint32_t value, int bytes) {
        for (int i = bytes - 1; i >= 0; --i) {
            out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    QByteArray track = track_;
    track.append("\x00\xFF\x2F\x00", 4);
    QByteArray file("MThd", 4);
    big(file, 6, 4);
    big(file, 0, 2);  // format 0
    big(file, 1, 2);  // one track
    big(file, static_cast<std::uint32_t>(ticksPerQuarter_), 2);
    file.append("MTrk", 4);
    big(file, static_cast<std::uint32_t>(track.size()), 4);
    file.append(track);
    return file;
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
    const double w = 2 * std::numbers::pi * frequency / rate;
    const double coefficient = 2 * std::cos(w);
    double s1 = 0;
    double s2 = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double s0 =
            samples[i * 2 + static_cast<std::size_t>(channel)] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return power / (double(frames) * double(frames));
}

float peak(const std::vector<float>& samples) {
    float top = 0.0f;
    for (float s : samples) {
        top = std::max(top, std::fabs(s));
    }
    return top;
}

double energy(const std::vector<float>& samples) {
    if (samples.empty()) {
        return 0;
    }
    double sum = 0;
    for (float s : samples) {
        sum += double(s) * s;
    }
    return sum / double(samples.size());
}

}  // namespace luma::test
