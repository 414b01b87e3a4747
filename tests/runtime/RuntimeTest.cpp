// Numbers read from texts, timers on the manual clock, the cursor's counter and random numbers.
#include "runtime/CursorCounter.h"
#include "runtime/ManualTimerService.h"
#include "runtime/Numbers.h"
#include "runtime/Random.h"
#include "runtime/Timer.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace luma {
namespace {

// Rows of "text -> its numeric value -> as a 16-bit field -> as a 32-bit field": the value is the
// longest leading number, blanks ignored; the fields take whole texts only, rounded half to even,
// within their range.
TEST(Numbers, TextsAsNumbers) {
    const auto field = [](const auto& v) { return v ? QString::number(*v) : QStringLiteral("no"); };
    const QString rows =
        "45abc -> 45 -> no -> no;  1 2 -> 12 -> no -> no; \t3\r4 -> 34 -> no -> no; "
        "- 3 -> -3 -> no -> no; -3.5x -> -3.5 -> no -> no; 1.2.3 -> 1.2 -> no -> no; "
        "12,5 -> 12 -> no -> no; 1e -> 1 -> no -> no;  -> 0 -> no -> no; "
        "abc -> 0 -> no -> no; - -> 0 -> no -> no; . -> 0 -> no -> no; "
        "0x10 -> 0 -> no -> no; 1e999 -> 0 -> no -> no; 1e2 -> 100 -> 100 -> 100; "
        "1d2 -> 100 -> 100 -> 100; 2E-1 -> 0.2 -> 0 -> 0; +4 -> 4 -> 4 -> 4; "
        ".5 -> 0.5 -> 0 -> 0;  15  -> 15 -> 15 -> 15; 2.5 -> 2.5 -> 2 -> 2; "
        "-3.5 -> -3.5 -> -4 -> -4; 2.51 -> 2.51 -> 3 -> 3; 32767 -> 32767 -> 32767 -> 32767; "
        "32767.5 -> 32767.5 -> no -> 32768; -32768.5 -> -32768.5 -> -32768 -> -32768; "
        "-32769 -> -32769 -> no -> -32769; 2147483647 -> 2147483647 -> no -> 2147483647; "
        "2147483648 -> 2147483648 -> no -> no; "
        "-2147483648 -> -2147483648 -> no -> -2147483648";
    for (const QString& row : rows.split(QStringLiteral("; "))) {
        const QString text = row.section(" -> ", 0, 0);
        EXPECT_EQ(QStringList({text, QString::number(numericValue(text), 'g', 12),
                               field(toInt16(text)), field(toInt32(text))})
                      .join(" -> "),
                  row);
    }
}

TEST(Numbers, DecimalTextIsTheShortestForm) {
    const std::pair<double, const char*> cases[] = {
        {5, "5"}, {-1.25, "-1.25"}, {0.1 + 0.2, "0.3"}, {-0.0, "0"}, {1e20, "1E+20"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(decimalText(value), QString::fromLatin1(text)) << text;
    }
}

using Times = std::vector<std::int64_t>;

TEST(Timer, FiresEveryIntervalWhileEnabled) {
    ManualTimerService clock;
    Timer timer(clock, 1000);
    Times at;
    timer.setHandler([&] { at.push_back(clock.now()); });
    clock.advance(5000);  // disabled at first
    timer.setEnabled(true);
    EXPECT_EQ(clock.remaining(timer), 1000);
    clock.advance(600);
    timer.setEnabled(true);  // already enabled: the countdown goes on
    clock.advance(1900);
    ASSERT_TRUE(timer.setInterval(1000));  // the same value still restarts the countdown
    clock.advance(1000);
    EXPECT_EQ(at, (Times{6000, 7000, 8500}));
    EXPECT_FALSE(timer.setInterval(65536) || timer.setInterval(-1));
    timer.setEnabled(false);
    EXPECT_EQ(clock.remaining(timer), -1);
    ASSERT_TRUE(timer.setInterval(0));
    timer.setEnabled(true);
    EXPECT_FALSE(clock.isArmed(timer)) << "an interval of 0 never fires";
    ASSERT_TRUE(timer.setInterval(65535));
    EXPECT_EQ(clock.remaining(timer), 65535);
}

// Timers fire in time order; a handler's new interval runs from its own tick, and a handler may
// stop its own timer.
TEST(Timer, HandlersMayChangeOrStopTheirTimers) {
    ManualTimerService clock;
    Timer a(clock, 1000), b(clock, 1500);
    QString fired;
    a.setHandler([&] {
        fired += QStringLiteral(" a%1").arg(clock.now());
        a.setInterval(a.interval() + 1000);
        a.setEnabled(a.interval() < 4000);
    });
    b.setHandler([&] { fired += QStringLiteral(" b%1").arg(clock.now()); });
    a.setEnabled(true);
    b.setEnabled(true);
    clock.advance(11000);
    EXPECT_TRUE(clock.advanceToNext());
    EXPECT_EQ(clock.now(), 12000);
    EXPECT_EQ(fired, " a1000 b1500 a3000 b3000 b4500 a6000 b6000 b7500 b9000 b10500 b12000");
}

TEST(CursorCounter, HiddenWhileBelowZeroAndTellsEachChange) {
    CursorCounter cursor;
    std::vector<int> seen;  // counts, and 100 + visibility at each change
    cursor.setListener([&](bool visible) { seen.push_back(100 + visible); });
    for (const bool show : {false, false, true, true, true, false, false}) {
        seen.push_back(cursor.show(show));
    }
    cursor.restoreVisible();
    seen.push_back(cursor.count());
    cursor.show(true);
    cursor.restoreVisible();  // a visible counter is left alone
    seen.push_back(cursor.count());
    EXPECT_EQ(seen, (std::vector<int>{100, -1, -2, -1, 101, 0, 1, 0, 100, -1, 101, 0, 1}));
}

TEST(Random, ReseedsFromTheClock) {
    Random a(7), b(7);
    a.reseedFromClock();
    b.reseedFromClock();
    EXPECT_NE(a.next(), b.next()) << "the same state, reseeded a moment apart";
}

}  // namespace
}  // namespace luma
