#include "platform/cd/SectorReadAhead.h"

#include "FakeSectorReader.h"

#include <gtest/gtest.h>

#include <vector>

namespace luma::cd {
namespace {

using namespace std::chrono_literals;
using test::FakeSectorReader;
using test::ReaderLog;

CdToc audioDisc(std::int32_t sectors) {
    return *CdToc::make({{1, 0, true}}, sectors);
}

SectorReadAhead::Options smallBuffer(int bufferSectors, int chunkSectors) {
    SectorReadAhead::Options options;
    options.bufferSectors = bufferSectors;
    options.chunkSectors = chunkSectors;
    return options;
}

// Takes the whole run in pieces of `piece` frames, allowing the reader a generous time.
std::vector<float> takeAll(SectorReadAhead& readAhead, std::size_t frames, std::size_t piece) {
    std::vector<float> out(2 * frames);
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t n = std::min(piece, frames - done);
        const std::size_t got =
            readAhead.take(out.data() + 2 * done, n, std::chrono::steady_clock::now() + 5s);
        done += got;
        if (got < n) {
            break;
        }
    }
    out.resize(2 * done);
    return out;
}

float valueOf(std::int32_t sector) {
    return static_cast<float>(FakeSectorReader::pattern(sector)) / 32768.0f;
}

// Sector of each frame's samples as read back, or -1 for silence.
void expectSectors(const std::vector<float>& out, std::int32_t first,
                   const std::set<std::int32_t>& silent) {
    const std::size_t frames = out.size() / 2;
    for (std::size_t f = 0; f < frames; f += 97) {
        const auto sector = first + static_cast<std::int32_t>(f / kFramesPerSector);
        const float expected = silent.count(sector) != 0 ? 0.0f : valueOf(sector);
        ASSERT_EQ(out[2 * f], expected) << "frame " << f;
        ASSERT_EQ(out[2 * f + 1], expected) << "frame " << f;
    }
}

TEST(SectorReadAhead, DeliversTheRunInOrderThroughASmallRing) {
    auto log = std::make_shared<ReaderLog>();
    SectorReadAhead readAhead(test::readerFactory(log), audioDisc(100), 10, 60, smallBuffer(8, 3));
    const std::vector<float> out = takeAll(readAhead, 50 * kFramesPerSector, 1000);
    ASSERT_EQ(out.size(), 2u * 50 * kFramesPerSector);
    expectSectors(out, 10, {});
    EXPECT_EQ(readAhead.unreadableSectors(), 0);
    EXPECT_FALSE(readAhead.discGone());
    // Nothing beyond the run.
    std::vector<float> more(2 * 10);
    EXPECT_EQ(readAhead.take(more.data(), 10, std::chrono::steady_clock::now() + 5s), 0u);
}

TEST(SectorReadAhead, UnreadableSectorsBecomeSilenceAfterBoundedRetries) {
    auto log = std::make_shared<ReaderLog>();
    SectorReadAhead::Options options = smallBuffer(20, 5);
    options.retries = 2;
    SectorReadAhead readAhead(test::readerFactory(log, std::set{12, 13, 40}), audioDisc(100), 10,
                              50, options);
    const std::vector<float> out = takeAll(readAhead, 40 * kFramesPerSector, 4096);
    ASSERT_EQ(out.size(), 2u * 40 * kFramesPerSector);
    expectSectors(out, 10, {12, 13, 40});
    EXPECT_EQ(readAhead.unreadableSectors(), 3);
    std::lock_guard lock(log->mutex);
    EXPECT_EQ(log->singleReads[12], 3);
    EXPECT_EQ(log->singleReads[40], 3);
    EXPECT_EQ(log->singleReads[11], 1);  // good neighbours in a bad chunk are read once alone
    EXPECT_EQ(log->singleReads.count(20), 0u);
}

TEST(SectorReadAhead, AnExhaustedRetryBudgetStopsRetrying) {
    auto log = std::make_shared<ReaderLog>();
    SectorReadAhead::Options options = smallBuffer(20, 5);
    options.retries = 5;
    options.retryBudget = 0ms;
    SectorReadAhead readAhead(test::readerFactory(log, std::set{3, 4}), audioDisc(20), 0, 10,
                              options);
    const std::vector<float> out = takeAll(readAhead, 10 * kFramesPerSector, 4096);
    expectSectors(out, 0, {3, 4});
    std::lock_guard lock(log->mutex);
    EXPECT_EQ(log->singleReads[3], 1);
    EXPECT_EQ(log->singleReads[4], 1);
}

TEST(SectorReadAhead, DataSectorsAreSilentAndNeverRead) {
    auto log = std::make_shared<ReaderLog>();
    const CdToc toc = *CdToc::make({{1, 0, true}, {2, 20, false}, {3, 30, true}}, 40);
    SectorReadAhead readAhead(test::readerFactory(log), toc, 15, 35, smallBuffer(30, 7));
    const std::vector<float> out = takeAll(readAhead, 20 * kFramesPerSector, 4096);
    ASSERT_EQ(out.size(), 2u * 20 * kFramesPerSector);
    expectSectors(out, 15, {20, 21, 22, 23, 24, 25, 26, 27, 28, 29});
    std::lock_guard lock(log->mutex);
    for (std::int32_t s = 20; s < 30; ++s) {
        EXPECT_EQ(log->sectorsAsked.count(s), 0u) << s;
    }
    EXPECT_EQ(readAhead.unreadableSectors(), 0);
}

TEST(SectorReadAhead, ALateReaderYieldsNothingUntilItCatchesUp) {
    auto log = std::make_shared<ReaderLog>();
    auto gate = std::make_shared<test::ReadGate>();
    SectorReadAhead readAhead(test::readerFactory(log, std::set<std::int32_t>{}, gate),
                              audioDisc(10), 0, 10, smallBuffer(10, 5));
    ASSERT_TRUE(gate->waitForReader(5s));
    std::vector<float> out(2 * 100);
    EXPECT_EQ(readAhead.take(out.data(), 100, std::chrono::steady_clock::now()), 0u);
    gate->open();
    EXPECT_EQ(readAhead.take(out.data(), 100, std::chrono::steady_clock::now() + 5s), 100u);
    EXPECT_EQ(out[0], valueOf(0));
}

TEST(SectorReadAhead, LettingGoOfAStuckReaderDoesNotWaitForIt) {
    auto log = std::make_shared<ReaderLog>();
    auto gate = std::make_shared<test::ReadGate>();
    {
        SectorReadAhead readAhead(test::readerFactory(log, std::set<std::int32_t>{}, gate),
                                  audioDisc(10), 0, 10, smallBuffer(10, 5));
        ASSERT_TRUE(gate->waitForReader(5s));
    }
    // The reader is still inside its read; once that returns, the thread ends and frees it.
    EXPECT_FALSE(log->destroyed());
    gate->open();
    EXPECT_TRUE(log->waitUntilDestroyed(5s));
}

TEST(SectorReadAhead, ADiscThatGoesEndsTheRun) {
    auto log = std::make_shared<ReaderLog>();
    SectorReadAhead readAhead(test::readerFactory(log), audioDisc(100), 0, 100, smallBuffer(4, 2));
    std::vector<float> out(2 * kFramesPerSector);
    ASSERT_EQ(readAhead.take(out.data(), kFramesPerSector, std::chrono::steady_clock::now() + 5s),
              static_cast<std::size_t>(kFramesPerSector));
    log->gone = true;
    const std::vector<float> rest = takeAll(readAhead, 99 * kFramesPerSector, 4096);
    EXPECT_LT(rest.size(), 2u * 10 * kFramesPerSector);
    EXPECT_TRUE(readAhead.discGone());
}

TEST(SectorReadAhead, ADiscThatDoesNotOpenGivesNothing) {
    SectorReadAhead readAhead([] { return std::unique_ptr<SectorReader>(); }, audioDisc(100), 0,
                              100, smallBuffer(4, 2));
    std::vector<float> out(2 * 100);
    EXPECT_EQ(readAhead.take(out.data(), 100, std::chrono::steady_clock::now() + 5s), 0u);
    EXPECT_TRUE(readAhead.discGone());
}

}  // namespace
}  // namespace luma::cd
