#include "Sound.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace luma::assets {

std::vector<float> bellStroke(int rate) {
    // Inharmonic partials of a small bell: ratio, loudness, decay time in seconds.
    struct Partial {
        double ratio, gain, decay;
    };
    const Partial partials[] = {{0.5, 0.25, 1.2},  {1.0, 0.6, 0.9},   {1.19, 0.25, 0.6},
                                {1.56, 0.2, 0.45}, {2.0, 0.18, 0.35}, {2.74, 0.12, 0.25},
                                {3.76, 0.06, 0.15}};
    const double base = 1046.5;  // C6
    const int length = rate * 3 / 2;
    std::vector<float> out(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        double v = 0;
        for (const Partial& p : partials) {
            v += p.gain * std::exp(-t / p.decay) *
                 std::sin(2 * std::numbers::pi * base * p.ratio * t);
        }
        const double attack = std::min(1.0, t / 0.004);
        out[static_cast<size_t>(i)] = static_cast<float>(0.45 * attack * v);
    }
    return out;
}

std::vector<float> pluckedTune(const std::vector<Note>& notes, double seconds, int rate) {
    std::vector<float> out(static_cast<size_t>(seconds * rate), 0.0f);
    for (const Note& note : notes) {
        if (note.frequency <= 0) {
            continue;
        }
        const int first = static_cast<int>(note.start * rate);
        const int count = static_cast<int>(note.length * rate);
        for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
            const double t = static_cast<double>(i) / rate;
            const double envelope = std::min(1.0, t / 0.01) * std::exp(-3.0 * t) *
                                    std::min(1.0, (count - i) / (0.02 * rate));
            const double w = 2 * std::numbers::pi * note.frequency * t;
            const double v = std::sin(w) + 0.3 * std::sin(2 * w) + 0.1 * std::sin(3 * w);
            out[static_cast<size_t>(first + i)] += static_cast<float>(0.25 * envelope * v);
        }
    }
    return out;
}

bool writeWave(const QString& path, const std::vector<float>& samples, int rate) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(
        sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info), &sf_close);
    if (!file) {
        return false;
    }
    const auto frames = static_cast<sf_count_t>(samples.size());
    return sf_writef_float(file.get(), samples.data(), frames) == frames;
}

namespace {

void putVariable(QByteArray& out, std::uint32_t value) {
    QByteArray bytes;
    bytes.prepend(static_cast<char>(value & 0x7f));
    while ((value >>= 7) != 0) {
        bytes.prepend(static_cast<char>((value & 0x7f) | 0x80));
    }
    out += bytes;
}

void putBigEndian(QByteArray& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out += static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

}  // namespace

bool writeMidi(const QString& path, const std::vector<Note>& notes, int program, int tempoBpm) {
    constexpr int kDivision = 480;  // ticks per quarter note
    const double ticksPerSecond = kDivision * tempoBpm / 60.0;
    struct Event {
        std::uint32_t tick;
        int order;  // note-offs before note-ons at the same tick
        QByteArray bytes;
    };
    std::vector<Event> events;
    for (const Note& note : notes) {
        const auto key = static_cast<char>(note.frequency);
        const auto on = static_cast<std::uint32_t>(note.start * ticksPerSecond);
        const auto off = static_cast<std::uint32_t>((note.start + note.length) * ticksPerSecond);
        events.push_back({on, 1, QByteArray("\x90", 1) + key + char(100)});
        events.push_back({off, 0, QByteArray("\x80", 1) + key + char(0)});
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });

    QByteArray track;
    putVariable(track, 0);
    track += QByteArray("\xff\x51\x03", 3);
    putBigEndian(track, static_cast<std::uint32_t>(60000000 / tempoBpm), 3);
    putVariable(track, 0);
    track += static_cast<char>(0xc0);
    track += static_cast<char>(program);
    std::uint32_t now = 0;
    for (const Event& e : events) {
        putVariable(track, e.tick - now);
        now = e.tick;
        track += e.bytes;
    }
    putVariable(track, kDivision);  // a beat of silence before the end
    track += QByteArray("\xff\x2f\x00", 3);

    QByteArray file("MThd", 4);
    putBigEndian(file, 6, 4);
    putBigEndian(file, 0, 2);
    putBigEndian(file, 1, 2);
    putBigEndian(file, kDivision, 2);
    file += QByteArray("MTrk", 4);
    putBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
    file += track;

    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(file) == file.size();
}

}  // namespace luma::assets
