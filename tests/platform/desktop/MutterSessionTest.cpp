// GNOME's idle monitor, from headless Mutter under gnome-session on buses of the test's own;
// input through Mutter's remote desktop, as a user's hands would give it.
#include "platform/desktop/MutterIdleSource.h"
#include "support/MutterSession.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace luma {
namespace {

using namespace std::chrono_literals;

TEST(MutterSessionTest, IdleAfterTheThresholdActiveAtInput) {
    if (!test::MutterSession::installed()) {
        GTEST_SKIP() << "needs mutter and gnome-session-bin (make deps installs them)";
    }
    test::MutterSession gnome;
    ASSERT_EQ(gnome.error(), "");
    // A small pointer move, as input reaches Mutter from a real device.
    const auto move = [&gnome] { return gnome.move(5, 5); };
    constexpr auto threshold = 1500ms;
    MutterIdleSource source(gnome.bus());
    QSignalSpy idle(&source, &IdleSource::idle), active(&source, &IdleSource::active);
    const auto reaches = [](QSignalSpy& spy, int count, std::chrono::milliseconds limit) {
        return QTest::qWaitFor([&] { return spy.count() >= count; }, limit.count());
    };
    QElapsedTimer sinceInput;
    ASSERT_TRUE(move());
    sinceInput.start();
    ASSERT_TRUE(source.arm(threshold));
    for (int round = 1; round <= 2; ++round) {
        ASSERT_TRUE(reaches(idle, round, threshold + 3s)) << "round " << round;
        // Mutter counts from the input, a little before our clock started.
        EXPECT_GE(sinceInput.elapsed(), (threshold - 200ms).count());
        EXPECT_EQ(active.count(), round - 1);
        ASSERT_TRUE(move());
        sinceInput.restart();
        ASSERT_TRUE(reaches(active, round, 3s)) << "round " << round;
    }
}

}  // namespace
}  // namespace luma
