#include "runtime/Random.h"

#include <gtest/gtest.h>

#include <set>

namespace luma {
namespace {

TEST(Random, StaysInTheHalfOpenUnitInterval) {
    Random random(1);
    for (int i = 0; i < 100000; ++i) {
        const double r = random.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

TEST(Random, ReseedsInQuickSuccessionStillDiffer) {
    Random random;
    std::set<double> draws;
    for (int i = 0; i < 50; ++i) {
        random.reseedFromClock();
        draws.insert(random.next());
    }
    EXPECT_EQ(draws.size(), 50u);
}

TEST(Random, ReachesEveryBucketOfASmallRange) {
    Random random;
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        random.reseedFromClock();
        seen.insert(static_cast<int>(random.next() * 3 + 1));
    }
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3}));
}

}  // namespace
}  // namespace luma
