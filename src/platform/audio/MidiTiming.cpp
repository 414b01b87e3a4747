#include "platform/audio/MidiTiming.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace luma::audio {
namespace {

constexpr double kDefaultUsPerQuarter = 500000.0;  // 120 beats a minute

struct TempoChange {
    std::int64_t tick;
    double usPerQuarter;
};

// A forward reader that never passes its end; every read reports failure instead.
class Reader {
public:
    Reader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    bool atEnd() const { return pos_ >= size_; }
    std::size_t left() const { return size_ - pos_; }
    bool byte(unsigned& out) {
        if (pos_ >= size_) {
            return false;
        }
        out = data_[pos_++];
        return true;
    }
    bool peek(unsigned& out) const {
        if (pos_ >= size_) {
            return false;
        }
        out = data_[pos_];
        return true;
    }
    bool skip(std::size_t n) {
        if (n > left()) {
            return false;
        }
        pos_ += n;
        return true;
    }
    bool big(int bytes, std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < bytes; ++i) {
            unsigned b;
            if (!byte(b)) {
                return false;
            }
            out = (out << 8) | b;
        }
        return true;
    }
    // A variable-length quantity of at most four bytes.
    bool varLength(std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            unsigned b;
            if (!byte(b)) {
                return false;
            }
            out = (out << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) {
                return true;
            }
        }
        return false;
    }
    Reader sub(std::size_t n) {
        n = std::min(n, left());  // a cut-off last chunk is read as far as it goes
        Reader r(data_ + pos_, n);
        pos_ += n;
        return r;
    }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Walks one track; returns the tick of its end (its end-of-track event, or its last event when
// it is cut off) and collects the tempo changes.
std::int64_t readTrack(Reader track, std::vector<TempoChange>& tempos) {
    std::int64_t tick = 0;
    unsigned status = 0;
    while (!track.atEnd()) {
        std::uint32_t delta;
        if (!track.varLength(delta)) {
            break;
        }
        unsigned first;
        if (!track.peek(first)) {
            break;
        }
        if (first & 0x80) {
            track.skip(1);
            if (first < 0xF0) {
                status = first;
            } else if (first <= 0xF7) {
                status = 0;  // system messages cancel running status
            }
        } else if (status == 0) {
            break;  // data byte without a status: the rest is unreadable
        } else {
            first = status;
        }
        tick += delta;
        if (first == 0xFF) {
            unsigned type;
            std::uint32_t length;
            if (!track.byte(type) || !track.varLength(length)) {
                break;
            }
            if (type == 0x2F) {
                return tick;
            }
            if (type == 0x51 && length == 3) {
                std::uint32_t us;
                if (!track.big(3, us)) {
                    break;
                }
                if (us > 0) {
                    tempos.push_back({tick, double(us)});
                }
            } else if (!track.skip(length)) {
                break;
            }
        } else if (first == 0xF0 || first == 0xF7) {
            std::uint32_t length;
            if (!track.varLength(length) || !track.skip(length)) {
                break;
            }
        } else if (first >= 0xF0) {
            const unsigned dataBytes = first == 0xF2 ? 2 : (first == 0xF1 || first == 0xF3) ? 1 : 0;
            if (!track.skip(dataBytes)) {
                break;
            }
        } else {
            const unsigned kind = first & 0xF0;
            const unsigned dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (!track.skip(dataBytes)) {
                break;
            }
        }
    }
    return tick;
}

}  // namespace

std::optional<MidiTiming> MidiTiming::parse(const QByteArray& smf) {
    Reader file(reinterpret_cast<const unsigned char*>(smf.constData()),
                static_cast<std::size_t>(smf.size()));
    std::uint32_t id;
    std::uint32_t headerLength;
    std::uint32_t format;
    std::uint32_t trackCount;
    std::uint32_t division;
    if (!file.big(4, id) || id != 0x4D546864 /* MThd */ || !file.big(4, headerLength) ||
        headerLength < 6 || !file.big(2, format) || !file.big(2, trackCount) ||
        !file.big(2, division) || !file.skip(headerLength - 6)) {
        return std::nullopt;
    }
    if (format > 2 || division == 0) {
        return std::nullopt;
    }

    std::vector<TempoChange> tempos;
    std::int64_t lengthTicks = 0;
    int tracks = 0;
    while (file.left() >= 8) {
        std::uint32_t chunk;
        std::uint32_t length;
        file.big(4, chunk);
        file.big(4, length);
        Reader body = file.sub(length);
        if (chunk == 0x4D54726B /* MTrk */) {
            ++tracks;
            lengthTicks = std::max(lengthTicks, readTrack(body, tempos));
        }
    }
    if (tracks == 0) {
        return std::nullopt;
    }

    MidiTiming timing;
    timing.lengthTicks_ = lengthTicks;
    if (division & 0x8000) {
        // Time code: frames per second times ticks per frame, no tempo.
        const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
        const int ticksPerFrame = static_cast<int>(division & 0xFF);
        if (framesPerSecond <= 0 || ticksPerFrame == 0) {
            return std::nullopt;
        }
        timing.segments_.push_back({0, 0.0, 1e6 / (framesPerSecond * ticksPerFrame)});
        return timing;
    }
    const double ticksPerQuarter = division;
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    timing.segments_.push_back({0, 0.0, kDefaultUsPerQuarter / ticksPerQuarter});
    for (const TempoChange& t : tempos) {
        Segment& last = timing.segments_.back();
        const double usPerTick = t.usPerQuarter / ticksPerQuarter;
        if (t.tick == last.tick) {
            last.usPerTick = usPerTick;
        } else {
            timing.segments_.push_back(
                {t.tick, last.startUs + double(t.tick - last.tick) * last.usPerTick, usPerTick});
        }
    }
    return timing;
}

std::int64_t MidiTiming::msAt(std::int64_t tick) const {
    auto it = std::upper_bound(segments_.begin(), segments_.end(), tick,
                               [](std::int64_t t, const Segment& s) { return t < s.tick; });
    const Segment& s = it == segments_.begin() ? segments_.front() : *std::prev(it);
    const double us = s.startUs + double(tick - s.tick) * s.usPerTick;
    return static_cast<std::int64_t>(std::floor(us / 1000.0));
}

std::int64_t MidiTiming::tickAt(std::int64_t ms) const {
    const double us = double(ms) * 1000.0;
    auto it = std::upper_bound(segments_.begin(), segments_.end(), us,
                               [](double u, const Segment& s) { return u < s.startUs; });
    const Segment& s = it == segments_.begin() ? segments_.front() : *std::prev(it);
    return s.tick + static_cast<std::int64_t>(std::llround((us - s.startUs) / s.usPerTick));
}

}  // namespace luma::audio
