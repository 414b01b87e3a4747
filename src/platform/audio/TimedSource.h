#pragma once

#include "platform/audio/AudioSource.h"

#include <cstdint>

namespace luma::audio {

// Why a source could not be opened.
enum class SourceError {
    None,
    NotFound,       // no such file
    Unreadable,     // the file exists but cannot be read
    Undecodable,    // the file holds nothing this source can play
    NoInstruments,  // MIDI: the soundfont is missing or broken
};

// A source with a length and a position, both in milliseconds of its own time base.
//
// Threads: positionMs(), lengthMs() and ended() may be read from any thread while the source is
// mixed; setEndMs() may be called while it is mixed; seekMs() only while it is not (after
// AudioEngine::stop() has returned, or before start()).
class TimedSource : public AudioSource {
public:
    virtual std::int64_t lengthMs() const = 0;
    // The time of the frames delivered so far. It stays below the end until the last frame has
    // been delivered and then equals the end exactly.
    virtual std::int64_t positionMs() const = 0;
    // True once every frame up to the end has been delivered.
    virtual bool ended() const = 0;
    // Where delivery stops; lengthMs() or more means the natural end.
    virtual void setEndMs(std::int64_t ms) = 0;
    // Moves the position (clamped to the length) and clears the ended state unless the new
    // position is at the end. False when the source cannot move there.
    virtual bool seekMs(std::int64_t ms) = 0;
};

// Frame counts and milliseconds at a sample rate. Milliseconds round down, frames round up, so a
// seek to t reads back as t.
inline std::int64_t msOfFrames(std::int64_t frames, int rate) {
    return rate > 0 ? frames * 1000 / rate : 0;
}
inline std::int64_t framesOfMs(std::int64_t ms, int rate) {
    return (ms * rate + 999) / 1000;
}

}  // namespace luma::audio
