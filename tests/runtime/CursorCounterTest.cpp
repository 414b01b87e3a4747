#include "runtime/CursorCounter.h"

#include <gtest/gtest.h>

#include <vector>

namespace luma {
namespace {

TEST(CursorCounter, HiddenWhileBelowZeroAndTellsEachChange) {
    CursorCounter cursor;
    std::vector<bool> changes;
    cursor.setListener([&](bool visible) { changes.push_back(visible); });
    EXPECT_TRUE(cursor.isVisible());
    EXPECT_EQ(cursor.show(false), -1);
    EXPECT_FALSE(cursor.isVisible());
    EXPECT_EQ(cursor.show(false), -2);
    EXPECT_EQ(cursor.show(true), -1);
    EXPECT_FALSE(cursor.isVisible()) << "two hides need two shows";
    EXPECT_EQ(cursor.show(true), 0);
    EXPECT_TRUE(cursor.isVisible());
    EXPECT_EQ(cursor.show(true), 1);
    EXPECT_EQ(changes, (std::vector<bool>{false, true}));
}

TEST(CursorCounter, RestoreBringsItBackOnceAndLeavesAVisibleCounter) {
    CursorCounter cursor;
    int shows = 0;
    cursor.setListener([&](bool visible) { shows += visible; });
    cursor.show(false);
    cursor.show(false);
    cursor.show(false);
    cursor.restoreVisible();
    EXPECT_TRUE(cursor.isVisible());
    EXPECT_EQ(cursor.count(), 0);
    EXPECT_EQ(shows, 1);
    cursor.show(true);
    cursor.restoreVisible();
    EXPECT_EQ(cursor.count(), 1) << "a visible counter is left alone";
    EXPECT_EQ(shows, 1);
}

}  // namespace
}  // namespace luma
