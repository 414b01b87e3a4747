#pragma once

#include "platform/cd/SectorReader.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>

namespace luma::test {

// Holds a reader inside its reads until the test opens it.
class ReadGate {
public:
    void pass();  // called by the reader: waits until opened
    void open();
    // Waits up to `limit` until a reader has come to the gate.
    bool waitForReader(std::chrono::milliseconds limit);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    bool reached_ = false;
};

// What the test sees of a FakeSectorReader, also after the reader itself is gone.
struct ReaderLog {
    std::mutex mutex;
    std::map<std::int32_t, int> singleReads;  // one-sector reads per sector
    std::set<std::int32_t> sectorsAsked;
    std::atomic<bool> gone{false};  // present() answers false once set

    void markDestroyed();
    bool destroyed();
    // Waits up to `limit` for the reader to be destroyed.
    bool waitUntilDestroyed(std::chrono::milliseconds limit);

private:
    std::condition_variable destroyedChanged_;
    bool destroyed_ = false;
};

// Every sample of sector s holds the value pattern(s); `bad` sectors never read.
class FakeSectorReader : public cd::SectorReader {
public:
    static std::int16_t pattern(std::int32_t sector) {
        return static_cast<std::int16_t>(sector % 30000 + 1);
    }

    FakeSectorReader(std::shared_ptr<ReaderLog> log, std::set<std::int32_t> bad = {},
                     std::shared_ptr<ReadGate> gate = nullptr)
        : log_(std::move(log)), bad_(std::move(bad)), gate_(std::move(gate)) {}
    ~FakeSectorReader() override { log_->markDestroyed(); }

    bool readAudio(std::int32_t sector, int count, std::uint8_t* out) override;
    bool present() override { return !log_->gone; }

private:
    std::shared_ptr<ReaderLog> log_;
    std::set<std::int32_t> bad_;
    std::shared_ptr<ReadGate> gate_;
};

// A factory that makes a FakeSectorReader on the reading thread.
cd::SectorReaderFactory readerFactory(std::shared_ptr<ReaderLog> log,
                                      std::set<std::int32_t> bad = {},
                                      std::shared_ptr<ReadGate> gate = nullptr);

}  // namespace luma::test
