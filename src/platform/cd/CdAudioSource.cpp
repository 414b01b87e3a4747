#include "platform/cd/CdAudioSource.h"

#include <algorithm>

namespace luma::cd {

CdAudioSource::CdAudioSource(SectorReaderFactory open, const CdToc& toc, std::int32_t start,
                             std::int32_t end, Options options)
    : start_(start),
      end_(std::max(start, end)),
      total_(static_cast<std::int64_t>(end_ - start_) * kFramesPerSector),
      stallLimit_(std::max(options.stallLimit, std::chrono::milliseconds(0))),
      readAhead_(std::move(open), toc, start_, end_, options.readAhead) {}

std::int32_t CdAudioSource::currentSector() const {
    return start_ + static_cast<std::int32_t>(delivered_.load() / kFramesPerSector);
}

std::size_t CdAudioSource::render(float* out, std::size_t frames) {
    const std::int64_t delivered = delivered_.load();
    if (delivered == total_ || gone_.load()) {
        return 0;
    }
    const std::size_t wanted = static_cast<std::size_t>(
        std::min<std::int64_t>(total_ - delivered, static_cast<std::int64_t>(frames)));
    const std::size_t got =
        readAhead_.take(out, wanted, std::chrono::steady_clock::now() + stallLimit_);
    delivered_.store(delivered + static_cast<std::int64_t>(got));
    if (readAhead_.discGone()) {
        gone_.store(true);
        return got;
    }
    if (delivered + static_cast<std::int64_t>(got) == total_) {
        return got;
    }
    // The reader is late: keep the output going with silence; the position waits for the music.
    std::fill(out + 2 * got, out + 2 * frames, 0.0f);
    return frames;
}

}  // namespace luma::cd
