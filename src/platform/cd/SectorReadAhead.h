#pragma once

#include "platform/cd/CdTime.h"
#include "platform/cd/CdToc.h"
#include "platform/cd/SectorReader.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>

namespace luma::cd {

// Reads a run of sectors ahead of playback on a thread of its own and decodes them into a ring of
// float stereo frames, so that a slow or scratched disc never holds up the audio thread. A sector
// that cannot be read within the retries becomes silence and reading goes on; so do sectors that
// are not audio. The reader is opened and used on the read-ahead thread only.
class SectorReadAhead {
public:
    struct Options {
        int bufferSectors = 8 * kSectorsPerSecond;  // how far ahead of playback to read
        int chunkSectors = 25;                      // sectors per read
        int retries = 1;                            // further attempts at an unreadable sector
        // Time a chunk may spend on retries; what is left of a bad chunk after that is silence.
        std::chrono::milliseconds retryBudget{1000};
    };

    // Starts reading sectors [start, end) of `toc`'s disc from the reader that `open` gives.
    SectorReadAhead(SectorReaderFactory open, const CdToc& toc, std::int32_t start,
                    std::int32_t end, Options options);
    // Stops the thread. A thread caught in a slow drive read is left to end on its own; it owns
    // everything it touches.
    ~SectorReadAhead();
    SectorReadAhead(const SectorReadAhead&) = delete;
    SectorReadAhead& operator=(const SectorReadAhead&) = delete;

    // Copies the next frames in order into `out` (frames * 2 floats), waiting for the reader until
    // `deadline` at most. Returns how many it copied: fewer than asked when the deadline passed,
    // the run is exhausted or the disc has gone.
    std::size_t take(float* out, std::size_t frames,
                     std::chrono::steady_clock::time_point deadline);

    // The disc went away (its image deleted) before the run was read; nothing more will come.
    bool discGone() const;
    // Sectors that could not be read and became silence.
    int unreadableSectors() const;

private:
    struct State;
    static void run(std::shared_ptr<State> state, SectorReaderFactory open, CdToc toc,
                    std::int32_t start, std::int32_t end, Options options);

    std::shared_ptr<State> state_;
    std::thread thread_;
};

}  // namespace luma::cd
