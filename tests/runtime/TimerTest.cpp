#include "runtime/ManualTimerService.h"
#include "runtime/QtTimerService.h"
#include "runtime/Timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <vector>

namespace luma {
namespace {

struct TimerFixture : testing::Test {
    ManualTimerService clock;
    Timer timer{clock, 1000};
    int ticks = 0;
    void SetUp() override {
        timer.setHandler([this] { ++ticks; });
    }
};

TEST_F(TimerFixture, StartsDisabledAndFiresEveryIntervalOnceEnabled) {
    clock.advance(5000);
    EXPECT_EQ(ticks, 0);
    timer.setEnabled(true);
    clock.advance(999);
    EXPECT_EQ(ticks, 0);
    clock.advance(1);
    EXPECT_EQ(ticks, 1);
    clock.advance(3000);
    EXPECT_EQ(ticks, 4);
    timer.setEnabled(false);
    clock.advance(3000);
    EXPECT_EQ(ticks, 4);
}

TEST_F(TimerFixture, IntervalZeroNeverFires) {
    timer.setEnabled(true);
    ASSERT_TRUE(timer.setInterval(0));
    clock.advance(100000);
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(clock.isArmed(timer));
}

TEST_F(TimerFixture, SettingTheIntervalRestartsTheCountdown) {
    timer.setEnabled(true);
    clock.advance(800);
    ASSERT_TRUE(timer.setInterval(1000));  // same value, still a restart
    clock.advance(800);
    EXPECT_EQ(ticks, 0);
    clock.advance(200);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerFixture, EnablingAnEnabledTimerKeepsItsCountdown) {
    timer.setEnabled(true);
    clock.advance(600);
    timer.setEnabled(true);
    clock.advance(400);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerFixture, IntervalAboveTheLimitIsRefused) {
    EXPECT_FALSE(timer.setInterval(65536));
    EXPECT_FALSE(timer.setInterval(-1));
    EXPECT_EQ(timer.interval(), 1000);
    EXPECT_TRUE(timer.setInterval(65535));
    EXPECT_EQ(timer.interval(), 65535);
}

TEST_F(TimerFixture, AHandlerThatChangesTheIntervalRearmsFromItsTick) {
    std::vector<std::int64_t> at;
    timer.setHandler([&] {
        at.push_back(clock.now());
        timer.setInterval(static_cast<int>(at.size()) * 1000 + 1000);
    });
    timer.setEnabled(true);
    clock.advance(10000);
    EXPECT_EQ(at, (std::vector<std::int64_t>{1000, 3000, 6000, 10000}));
}

TEST_F(TimerFixture, AHandlerThatDisablesItselfStops) {
    timer.setHandler([&] {
        ++ticks;
        timer.setEnabled(false);
    });
    timer.setEnabled(true);
    clock.advance(10000);
    EXPECT_EQ(ticks, 1);
}

TEST(ManualTimerService, FiresTimersInTimeOrder) {
    ManualTimerService clock;
    Timer a(clock, 300), b(clock, 200);
    std::vector<char> order;
    a.setHandler([&] { order.push_back('a'); });
    b.setHandler([&] { order.push_back('b'); });
    a.setEnabled(true);
    b.setEnabled(true);
    clock.advance(600);
    EXPECT_EQ(order, (std::vector<char>{'b', 'a', 'b', 'a', 'b'}));
    EXPECT_TRUE(clock.advanceToNext());
    EXPECT_EQ(clock.now(), 800);
}

TEST(QtTimerService, FiresOnTheEventLoopAndStopsWhenDisabled) {
    QtTimerService service;
    Timer timer(service, 10);
    int ticks = 0;
    timer.setHandler([&] {
        if (++ticks == 3) {
            timer.setEnabled(false);
        }
    });
    timer.setEnabled(true);
    QElapsedTimer clock;
    clock.start();
    while (ticks < 3 && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_EQ(ticks, 3);
    clock.restart();
    while (clock.elapsed() < 100) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(ticks, 3);
}

}  // namespace
}  // namespace luma
