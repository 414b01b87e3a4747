// A shorter soak of the show: 1,500 one-second steps with slides, animations, a chime and music.
// Resident memory may not grow beyond 10 % after the first 100 steps, and no file descriptor may
// be left open. The full 10,000-step run is bench/soak.
#include "support/Sanitizers.h"
#include "support/ShowMedia.h"
#include "support/Soak.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace luma::test {
namespace {

constexpr int kSteps = 1500;
constexpr int kWarmup = 100;

TEST(Soak, MemoryAndDescriptorsHoldOverAShortSoak) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    const SoakFigures f = runSoak(dir.path(), kSteps, kWarmup, &error);
    ASSERT_TRUE(error.isEmpty()) << qPrintable(error);
    std::printf(
        "soak: %d steps in %.1f s; resident %ld KiB after %d steps, %ld KiB at the end "
        "(%+.1f %%); descriptors %d before, %d during warm-up, %d at the end, %d after\n",
        f.steps, f.seconds, f.rssWarmKib, f.warmupSteps, f.rssEndKib, f.growthPercent(),
        f.fdsBefore, f.fdsWarm, f.fdsEnd, f.fdsAfter);
    std::printf("soak: %d slide changes, %d animated steps, %d entries started, %d audible steps\n",
                f.slideChanges, f.animatedSteps, f.entriesStarted, f.audibleSteps);
    if (kAddressSanitizer) {
        std::printf("soak: the memory goal is not judged under AddressSanitizer\n");
    } else {
        EXPECT_TRUE(f.memoryGoalMet()) << f.rssWarmKib << " KiB grew to " << f.rssEndKib << " KiB";
    }
    EXPECT_TRUE(f.descriptorGoalMet()) << f.fdsBefore << " descriptors before, " << f.fdsAfter
                                       << " after; " << f.fdsWarm << " became " << f.fdsEnd;

    // The show really ran all along.
    EXPECT_EQ(f.slideChanges, kSteps);
    EXPECT_GT(f.animatedSteps, kSteps / 4) << "two of the six slides animate";
    EXPECT_GT(f.entriesStarted, kSteps / 10);
    EXPECT_GT(f.audibleSteps, kSteps / 2);
}

// The probes the soak judges by see growth when there is some.
TEST(Soak, TheProbesSeeMemoryAndDescriptorsGrow) {
    const long before = residentKib();
    const int fds = openDescriptors();
    ASSERT_GT(before, 0);
    ASSERT_GT(fds, 2);
    std::vector<char> block(32 * 1024 * 1024);
    std::fill(block.begin(), block.end(), 1);
    EXPECT_GT(residentKib() - before, 30 * 1024);
    std::FILE* file = std::fopen("/proc/self/statm", "r");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(openDescriptors(), fds + 1);
    std::fclose(file);
    EXPECT_EQ(openDescriptors(), fds);
}

}  // namespace
}  // namespace luma::test
