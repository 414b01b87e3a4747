#include "platform/cd/CdAudioSource.h"

#include "FakeSectorReader.h"
#include "TestMedia.h"
#include "TestSources.h"
#include "ToneDisc.h"
#include "platform/cd/CdDisc.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace luma::cd {
namespace {

using namespace std::chrono_literals;
using test::ToneTrack;

CdAudioSource::Options patient(int bufferSectors = 8 * kSectorsPerSecond, int chunkSectors = 25) {
    CdAudioSource::Options options;
    options.readAhead.bufferSectors = bufferSectors;
    options.readAhead.chunkSectors = chunkSectors;
    options.stallLimit = 5s;
    return options;
}

class CdAudioSourceTest : public testing::Test {
protected:
    void SetUp() override {
        cue = test::writeToneDisc(dir.path(), QStringLiteral("tones"),
                                  {ToneTrack{440.0, 150}, ToneTrack{1000.0, 225}});
        ASSERT_FALSE(cue.isEmpty());
        auto disc = CdDisc::open(cue);
        ASSERT_TRUE(disc && disc->toc());
        toc = *disc->toc();
    }

    std::unique_ptr<CdAudioSource> source(std::int32_t start, std::int32_t end,
                                          CdAudioSource::Options options = patient()) {
        return std::make_unique<CdAudioSource>(
            [path = cue]() -> std::unique_ptr<SectorReader> { return CdDisc::open(path); }, *toc,
            start, end, options);
    }

    QTemporaryDir dir;
    QString cue;
    std::optional<CdToc> toc;
};

TEST_F(CdAudioSourceTest, PlaysExactlyTheTrackAskedFor) {
    auto s = source(0, 150);
    const std::vector<float> audio = test::renderToEnd(*s);
    EXPECT_EQ(audio.size(), 2u * 150 * kFramesPerSector);
    EXPECT_TRUE(s->reachedEnd());
    EXPECT_TRUE(s->finished());
    EXPECT_EQ(s->currentSector(), 150);
    EXPECT_GT(test::goertzelPower(audio, 440.0), 100 * test::goertzelPower(audio, 1000.0));
    EXPECT_NEAR(test::peak(audio), 12000.0f / 32768.0f, 0.001f);
    float after[8];
    EXPECT_EQ(s->render(after, 4), 0u);
}

TEST_F(CdAudioSourceTest, ThePositionCountsTheFramesRendered) {
    auto s = source(150, 375);
    std::vector<float> buffer(2 * 44100);
    EXPECT_EQ(s->currentSector(), 150);
    ASSERT_EQ(s->render(buffer.data(), 587), 587u);
    EXPECT_EQ(s->currentSector(), 150);
    ASSERT_EQ(s->render(buffer.data(), 1), 1u);
    EXPECT_EQ(s->currentSector(), 151);
    ASSERT_EQ(s->render(buffer.data(), 44100), 44100u);
    EXPECT_EQ(s->currentSector(), 151 + 75);
    EXPECT_FALSE(s->finished());
    buffer.resize(2 * 44100);
    EXPECT_GT(test::goertzelPower(buffer, 1000.0), 100 * test::goertzelPower(buffer, 440.0));
}

TEST_F(CdAudioSourceTest, AnEmptyRunEndsAtOnce) {
    auto s = source(150, 150);
    EXPECT_TRUE(s->finished());
    float buffer[8];
    EXPECT_EQ(s->render(buffer, 4), 0u);
}

TEST_F(CdAudioSourceTest, DeletingTheImageWhilePlayingEndsTheStream) {
    // A small read-ahead, so the deletion is seen long before the run is read.
    auto s = source(0, 375, patient(10, 5));
    std::vector<float> buffer(2 * kFramesPerSector);
    ASSERT_EQ(s->render(buffer.data(), kFramesPerSector),
              static_cast<std::size_t>(kFramesPerSector));
    ASSERT_TRUE(QFile::remove(cue));
    ASSERT_TRUE(QFile::remove(test::binPathOf(cue)));
    const std::vector<float> rest = test::renderToEnd(*s);
    EXPECT_TRUE(s->finished());
    EXPECT_FALSE(s->reachedEnd());
    EXPECT_LT(s->currentSector(), 30);
    EXPECT_LT(rest.size(), 2u * 30 * kFramesPerSector);
    EXPECT_EQ(s->render(buffer.data(), 10), 0u);
}

TEST_F(CdAudioSourceTest, ACutShortImagePlaysSilenceToTheEnd) {
    auto s = source(0, 375, patient(10, 5));
    std::vector<float> buffer(2 * kFramesPerSector);
    ASSERT_EQ(s->render(buffer.data(), kFramesPerSector),
              static_cast<std::size_t>(kFramesPerSector));
    ASSERT_TRUE(QFile::resize(test::binPathOf(cue), 20 * kSectorBytes));
    const std::vector<float> rest = test::renderToEnd(*s);
    EXPECT_TRUE(s->reachedEnd());
    EXPECT_EQ(rest.size(), 2u * 374 * kFramesPerSector);
    EXPECT_GT(s->unreadableSectors(), 300);
    // The last two seconds were beyond the cut.
    const std::vector<float> tail(rest.end() - 2 * 88200, rest.end());
    EXPECT_EQ(test::peak(tail), 0.0f);
}

TEST(CdAudioSource, ALateDiscPlaysSilenceWithoutMovingThePosition) {
    auto log = std::make_shared<test::ReaderLog>();
    auto gate = std::make_shared<test::ReadGate>();
    CdAudioSource::Options options;  // no waiting, as for a drive
    const CdToc toc = *CdToc::make({{1, 0, true}}, 100);
    CdAudioSource s(test::readerFactory(log, std::set<std::int32_t>{}, gate), toc, 0, 100, options);
    ASSERT_TRUE(gate->waitForReader(5s));
    std::vector<float> buffer(2 * 1024, 1.0f);
    EXPECT_EQ(s.render(buffer.data(), 1024), 1024u);
    EXPECT_EQ(test::peak(buffer), 0.0f);
    EXPECT_EQ(s.currentSector(), 0);
    EXPECT_FALSE(s.finished());
    gate->open();
}

}  // namespace
}  // namespace luma::cd
