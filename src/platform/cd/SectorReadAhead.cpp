#include "platform/cd/SectorReadAhead.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

namespace luma::cd {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kSamplesPerSector = static_cast<std::size_t>(kFramesPerSector) * 2;

// Reads one sector, trying again up to `retries` times while the budget lasts.
bool readWithRetries(SectorReader& reader, std::int32_t sector, std::uint8_t* out, int retries,
                     Clock::time_point budgetEnd) {
    for (int attempt = 0; attempt <= retries; ++attempt) {
        if (attempt > 0 && Clock::now() >= budgetEnd) {
            return false;
        }
        if (reader.readAudio(sector, 1, out)) {
            return true;
        }
    }
    return false;
}

// Fills `bytes` with sectors [first, first + count): audio as read, everything else silent.
// Returns the number of sectors that could not be read.
int readChunk(SectorReader& reader, const CdToc& toc, std::int32_t first, int count,
              std::uint8_t* bytes, const SectorReadAhead::Options& options) {
    const bool allAudio = toc.isAudioSector(first) && toc.isAudioSector(first + count - 1) &&
                          toc.trackAt(first) == toc.trackAt(first + count - 1);
    if (allAudio && reader.readAudio(first, count, bytes)) {
        return 0;
    }
    // Sector by sector, so one bad sector costs only itself.
    const Clock::time_point budgetEnd = Clock::now() + options.retryBudget;
    int unreadable = 0;
    for (int i = 0; i < count; ++i) {
        std::uint8_t* out = bytes + static_cast<std::size_t>(i) * kSectorBytes;
        const std::int32_t sector = first + i;
        if (!toc.isAudioSector(sector)) {
            std::memset(out, 0, kSectorBytes);
        } else if (!readWithRetries(reader, sector, out, options.retries, budgetEnd)) {
            std::memset(out, 0, kSectorBytes);
            ++unreadable;
        }
    }
    return unreadable;
}

void decode(const std::uint8_t* bytes, std::size_t samples, float* out) {
    constexpr float kScale = 1.0f / 32768.0f;
    for (std::size_t i = 0; i < samples; ++i) {
        const auto value = static_cast<std::int16_t>(
            static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
        out[i] = static_cast<float>(value) * kScale;
    }
}

}  // namespace

struct SectorReadAhead::State {
    explicit State(std::size_t sectors)
        : capacity(sectors * kFramesPerSector), ring(2 * capacity) {}

    std::mutex mutex;
    std::condition_variable dataReady;  // also tells that the reader has finished
    std::condition_variable spaceFree;
    const std::size_t capacity;  // frames, a whole number of sectors
    std::vector<float> ring;
    // Frames written by the reader and taken by the player since the start; the ring holds
    // [taken, written). The reader fills slots beyond `written` without the lock: the player never
    // reads there.
    std::int64_t written = 0;
    std::int64_t taken = 0;
    bool cancelled = false;
    bool finished = false;
    bool gone = false;
    std::atomic<int> unreadable{0};
};

SectorReadAhead::SectorReadAhead(SectorReaderFactory open, const CdToc& toc, std::int32_t start,
                                 std::int32_t end, Options options) {
    options.bufferSectors = std::max(options.bufferSectors, 1);
    options.chunkSectors = std::clamp(options.chunkSectors, 1, options.bufferSectors);
    options.retries = std::max(options.retries, 0);
    state_ = std::make_shared<State>(static_cast<std::size_t>(options.bufferSectors));
    thread_ = std::thread(&SectorReadAhead::run, state_, std::move(open), toc, start,
                          std::max(start, end), options);
}

SectorReadAhead::~SectorReadAhead() {
    std::unique_lock lock(state_->mutex);
    state_->cancelled = true;
    state_->spaceFree.notify_all();
    const bool ended = state_->dataReady.wait_for(lock, std::chrono::milliseconds(100),
                                                  [this] { return state_->finished; });
    lock.unlock();
    if (ended) {
        thread_.join();
    } else {
        thread_.detach();
    }
}

void SectorReadAhead::run(std::shared_ptr<State> state, SectorReaderFactory open, CdToc toc,
                          std::int32_t start, std::int32_t end, Options options) {
    const std::unique_ptr<SectorReader> reader = open ? open() : nullptr;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(options.chunkSectors) * kSectorBytes);
    for (std::int32_t next = start; next < end;) {
        const int count = std::min(options.chunkSectors, end - next);
        const auto frames = static_cast<std::int64_t>(count) * kFramesPerSector;
        std::int64_t writeAt = 0;
        {
            std::unique_lock lock(state->mutex);
            state->spaceFree.wait(lock, [&] {
                return state->cancelled || static_cast<std::int64_t>(state->capacity) -
                                                   (state->written - state->taken) >=
                                               frames;
            });
            if (state->cancelled) {
                break;
            }
            writeAt = state->written;
        }
        if (!reader || !reader->present()) {
            std::lock_guard lock(state->mutex);
            state->gone = true;
            break;
        }
        state->unreadable += readChunk(*reader, toc, next, count, bytes.data(), options);
        for (int i = 0; i < count; ++i) {
            // Sectors never straddle the end of the ring: it holds whole sectors.
            const auto slot = static_cast<std::size_t>(
                (writeAt + static_cast<std::int64_t>(i) * kFramesPerSector) %
                static_cast<std::int64_t>(state->capacity));
            decode(bytes.data() + static_cast<std::size_t>(i) * kSectorBytes, kSamplesPerSector,
                   state->ring.data() + 2 * slot);
        }
        {
            std::lock_guard lock(state->mutex);
            state->written += frames;
        }
        state->dataReady.notify_all();
        next += count;
    }
    {
        std::lock_guard lock(state->mutex);
        state->finished = true;
    }
    state->dataReady.notify_all();
}

std::size_t SectorReadAhead::take(float* out, std::size_t frames,
                                  std::chrono::steady_clock::time_point deadline) {
    State& s = *state_;
    std::size_t copied = 0;
    std::unique_lock lock(s.mutex);
    while (copied < frames) {
        s.dataReady.wait_until(lock, deadline,
                               [&] { return s.written > s.taken || s.finished || s.gone; });
        if (s.gone || s.written == s.taken) {
            break;
        }
        const auto available = static_cast<std::size_t>(s.written - s.taken);
        const std::size_t n = std::min(available, frames - copied);
        const auto from = static_cast<std::size_t>(s.taken % static_cast<std::int64_t>(s.capacity));
        lock.unlock();
        const std::size_t first = std::min(n, s.capacity - from);
        std::memcpy(out + 2 * copied, s.ring.data() + 2 * from, first * 2 * sizeof(float));
        std::memcpy(out + 2 * (copied + first), s.ring.data(), (n - first) * 2 * sizeof(float));
        lock.lock();
        s.taken += static_cast<std::int64_t>(n);
        copied += n;
        s.spaceFree.notify_one();
    }
    return copied;
}

bool SectorReadAhead::discGone() const {
    std::lock_guard lock(state_->mutex);
    return state_->gone;
}

int SectorReadAhead::unreadableSectors() const {
    return state_->unreadable.load();
}

}  // namespace luma::cd
