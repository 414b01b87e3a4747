#include "FakeSectorReader.h"

#include "platform/cd/CdTime.h"

namespace luma::test {

void ReadGate::pass() {
    std::unique_lock lock(mutex_);
    reached_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
}

void ReadGate::open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
}

bool ReadGate::waitForReader(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [this] { return reached_; });
}

void ReaderLog::markDestroyed() {
    std::lock_guard lock(mutex);
    destroyed_ = true;
    destroyedChanged_.notify_all();
}

bool ReaderLog::destroyed() {
    std::lock_guard lock(mutex);
    return destroyed_;
}

bool ReaderLog::waitUntilDestroyed(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex);
    return destroyedChanged_.wait_for(lock, limit, [this] { return destroyed_; });
}

cd::SectorReaderFactory readerFactory(std::shared_ptr<ReaderLog> log, std::set<std::int32_t> bad,
                                      std::shared_ptr<ReadGate> gate) {
    return [log, bad, gate]() -> std::unique_ptr<cd::SectorReader> {
        return std::make_unique<FakeSectorReader>(log, bad, gate);
    };
}

bool FakeSectorReader::readAudio(std::int32_t sector, int count, std::uint8_t* out) {
    if (gate_) {
        gate_->pass();
    }
    bool ok = true;
    {
        std::lock_guard lock(log_->mutex);
        if (count == 1) {
            ++log_->singleReads[sector];
        }
        for (int i = 0; i < count; ++i) {
            log_->sectorsAsked.insert(sector + i);
            ok = ok && bad_.count(sector + i) == 0;
        }
    }
    for (int i = 0; i < count; ++i) {
        const auto bits = static_cast<std::uint16_t>(pattern(sector + i));
        std::uint8_t* bytes = out + static_cast<std::size_t>(i) * cd::kSectorBytes;
        for (int b = 0; b < cd::kSectorBytes; b += 2) {
            bytes[b] = static_cast<std::uint8_t>(bits & 0xff);
            bytes[b + 1] = static_cast<std::uint8_t>(bits >> 8);
        }
    }
    return ok;
}

}  // namespace luma::test
