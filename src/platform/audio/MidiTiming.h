#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace luma::audio {

// The time line of a Standard MIDI File: its length and the mapping between ticks and
// milliseconds through its tempo changes. Read by a small bounds-checked parser, so that a broken
// file is refused before the synthesizer sees it.
class MidiTiming {
public:
    // Nullopt when `smf` is not a Standard MIDI File with at least one track.
    static std::optional<MidiTiming> parse(const QByteArray& smf);

    std::int64_t lengthTicks() const { return lengthTicks_; }
    std::int64_t lengthMs() const { return msAt(lengthTicks_); }
    std::int64_t msAt(std::int64_t tick) const;
    std::int64_t tickAt(std::int64_t ms) const;

private:
    struct Segment {
        std::int64_t tick;  // where this tempo starts
        double startUs;     // time at that tick
        double usPerTick;
    };
    std::vector<Segment> segments_;  // sorted by tick, first at tick 0
    std::int64_t lengthTicks_ = 0;
};

}  // namespace luma::audio
