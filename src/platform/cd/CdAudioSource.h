#pragma once

#include "platform/audio/AudioSource.h"
#include "platform/cd/SectorReadAhead.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

namespace luma::cd {

// Plays sectors [start, end) of a disc as float stereo at 44.1 kHz, the CD's own rate. The sectors
// are read ahead on a thread of their own; when they are late, render() waits at most
// `stallLimit` and then fills the gap with silence without counting it as played.
class CdAudioSource final : public audio::AudioSource {
public:
    struct Options {
        SectorReadAhead::Options readAhead;
        std::chrono::milliseconds stallLimit{0};
    };

    CdAudioSource(SectorReaderFactory open, const CdToc& toc, std::int32_t start, std::int32_t end,
                  Options options);

    std::size_t render(float* out, std::size_t frames) override;

    std::int32_t startSector() const { return start_; }
    std::int32_t endSector() const { return end_; }
    // The sector being played: the start plus the frames rendered so far. Read from any thread.
    std::int32_t currentSector() const;
    // Every frame of the run has been rendered.
    bool reachedEnd() const { return delivered_.load() == total_; }
    // The stream is over: it reached its end or its disc went away.
    bool finished() const { return reachedEnd() || gone_.load(); }
    int unreadableSectors() const { return readAhead_.unreadableSectors(); }

private:
    const std::int32_t start_;
    const std::int32_t end_;
    const std::int64_t total_;  // frames
    const std::chrono::milliseconds stallLimit_;
    SectorReadAhead readAhead_;
    std::atomic<std::int64_t> delivered_{0};
    std::atomic<bool> gone_{false};
};

}  // namespace luma::cd
