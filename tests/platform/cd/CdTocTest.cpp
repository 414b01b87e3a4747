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

TEST(CdToc, TrackHoldingASectorAndWhetherItHoldsMusic) {
    const CdToc toc = mixedDisc();
    const struct {
        std::int32_t sector;
        int track;
        bool audio;
    } cases[] = {{-10, 1, false}, {-1, 1, false}, {0, 1, true},   {149, 1, true}, {150, 2, false},
                 {374, 2, false}, {375, 3, true}, {599, 3, true}, {600, 3, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(toc.trackAt(c.sector), c.track) << c.sector;
        EXPECT_EQ(toc.isAudioSector(c.sector), c.audio) << c.sector;
    }
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
