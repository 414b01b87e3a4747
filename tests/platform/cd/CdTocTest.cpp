#include "platform/cd/CdToc.h"

#include <gtest/gtest.h>

namespace luma::cd {
namespace {

// Tracks 1 (audio, 0..149), 2 (data, 150..374), 3 (audio, 375..599), lead-out 600.
CdToc mixedDisc() {
    return *CdToc::make({{1, 0, true}, {2, 150, false}, {3, 375, true}}, 600);
}

TEST(CdToc, TrackStartsAndLengths) {
    const CdToc toc = mixedDisc();
    EXPECT_EQ(toc.firstTrack(), 1);
    EXPECT_EQ(toc.lastTrack(), 3);
    EXPECT_EQ(toc.trackCount(), 3);
    EXPECT_EQ(toc.audioTrackCount(), 2);
    EXPECT_EQ(toc.trackStart(2), 150);
    EXPECT_EQ(toc.trackLength(1), 150);
    EXPECT_EQ(toc.trackLength(3), 225);
    EXPECT_EQ(toc.discLength(), 600);
    EXPECT_FALSE(toc.hasTrack(0));
    EXPECT_FALSE(toc.hasTrack(4));
}

TEST(CdToc, TrackHoldingASector) {
    const CdToc toc = mixedDisc();
    const std::pair<std::int32_t, int> cases[] = {{-10, 1}, {0, 1},   {149, 1}, {150, 2},
                                                  {374, 2}, {375, 3}, {599, 3}, {600, 3}};
    for (const auto& [sector, track] : cases) {
        EXPECT_EQ(toc.trackAt(sector), track) << sector;
    }
}

TEST(CdToc, OnlyAudioTracksHoldMusic) {
    const CdToc toc = mixedDisc();
    EXPECT_TRUE(toc.isAudioSector(0));
    EXPECT_TRUE(toc.isAudioSector(149));
    EXPECT_FALSE(toc.isAudioSector(150));
    EXPECT_TRUE(toc.isAudioSector(599));
    EXPECT_FALSE(toc.isAudioSector(600));
    EXPECT_FALSE(toc.isAudioSector(-1));
}

TEST(CdToc, RefusesContentsThatMakeNoSense) {
    EXPECT_FALSE(CdToc::make({}, 100));
    EXPECT_FALSE(CdToc::make({{1, 0, true}}, 0));                     // empty track
    EXPECT_FALSE(CdToc::make({{1, 100, true}, {2, 50, true}}, 200));  // starts fall
    EXPECT_FALSE(CdToc::make({{1, 0, true}, {3, 50, true}}, 200));    // a number skipped
    EXPECT_FALSE(CdToc::make({{0, 0, true}}, 200));
    EXPECT_FALSE(CdToc::make({{1, -150, true}}, 200));
    EXPECT_TRUE(CdToc::make({{5, 150, true}, {6, 300, true}}, 450));
}

}  // namespace
}  // namespace luma::cd
