// The Wayland idle sources, their chooser and the idle inhibitor against real compositors: headless
// sway 1.7 (org_kde_kwin_idle only) and KWin's virtual backend (both protocols), each run as an
// ordinary user with real input from wtype or KWin's fake input. The probe tool does the work.
#include "support/Compositor.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>

#include <functional>
#include <memory>

namespace luma::test {
namespace {

// The earliest idle of a 500 ms threshold: KWin's coarse Qt timers may fire 5% early.
constexpr int kEarliestIdle = 470;

// The probe's lines as they come.
class Probe : public QProcess {
public:
    explicit Probe(QStringList command) { start(command.takeFirst(), command); }
    // SIGTERM, which runuser passes on.
    ~Probe() override {
        terminate();
        waitForFinished(5000);
    }
    // The next line, waiting at most `limitMs`; empty when none came.
    QString next(qint64 limitMs) {
        const QDeadlineTimer deadline(limitMs);
        while (!canReadLine() && waitForReadyRead(int(deadline.remainingTime()))) {
        }
        last = canReadLine() ? QString(readLine()).trimmed() : QString();
        transcript_ += last + '\n';
        return last;
    }
    // True when a line that starts with `prefix` came within `limitMs`.
    bool waitFor(const QString& prefix, int limitMs) {
        const QDeadlineTimer deadline(limitMs);
        while (!next(deadline.remainingTime()).isEmpty()) {
            if (last.startsWith(prefix)) {
                return true;
            }
        }
        return false;
    }
    // The number on the last line ("idle 512" gives 512).
    int lastValue() const { return last.section(' ', 1).toInt(); }
    QString transcript() { return transcript_ + readAllStandardError(); }

    QString last;

private:
    QString transcript_;
};

class WaylandIdle : public testing::Test {
protected:
    // False when the compositor did not start; the test is skipped when one of `needed` is not
    // installed.
    bool start(const QStringList& needed,
               const std::function<std::unique_ptr<Compositor>(const QStringList&)>& make) {
        for (const QString& binary : needed) {
            if (QStandardPaths::findExecutable(binary).isEmpty()) {
                [&] { GTEST_SKIP() << qPrintable(binary) << " is not installed"; }();
                return false;
            }
        }
        compositor = make({IDLE_PROBE, KWIN_FAKE_KEY});
        EXPECT_TRUE(compositor && !compositor->socket.isEmpty()) << "the compositor did not start";
        return compositor && !compositor->socket.isEmpty();
    }
    bool startSway() {
        return start({"sway", "wtype"},
                     [](const QStringList& tools) { return Compositor::sway(tools); });
    }
    Probe& startProbe(const QStringList& arguments, const QString& platform = "offscreen") {
        probe = std::make_unique<Probe>(compositor->asUser(
            QStringList{compositor->bin("idle-probe")} + arguments, {}, platform));
        return *probe;
    }
    // A probe of 500 ms on `protocol` sees idle no earlier than that, and active after `key`,
    // real input as a user gives it.
    void expectIdleThenActive(const QString& protocol, const QStringList& key) {
        Probe& idle = startProbe({"500"});
        ASSERT_TRUE(idle.waitFor("source", 5000));
        ASSERT_TRUE(idle.last.contains(protocol)) << qPrintable(idle.last);
        ASSERT_TRUE(idle.waitFor("idle", 5000));
        EXPECT_GE(idle.lastValue(), kEarliestIdle) << "idle before the threshold";
        EXPECT_TRUE(compositor->run(key)) << "no input reached";
        ASSERT_TRUE(idle.waitFor("active", 3000)) << "no active after the key";
    }
    void TearDown() override {
        if (HasFailure()) {
            std::cerr << "--- probe:\n"
                      << (probe ? probe->transcript().toStdString() : "") << "--- compositor:\n"
                      << (compositor ? compositor->log().toStdString() : "");
        }
    }

    std::unique_ptr<Compositor> compositor;
    std::unique_ptr<Probe> probe;
};

TEST_F(WaylandIdle, SwayGetsKdeIdleWhichFollowsInputUntilTheCompositorGoes) {
    if (!startSway()) {
        return;
    }
    // The protocol sway lacks, asked for anyway: refused by value.
    Probe ext(compositor->asUser({compositor->bin("idle-probe"), "500", "--ext"}));
    EXPECT_TRUE(ext.waitFor("cannot arm", 5000));

    ASSERT_NO_FATAL_FAILURE(expectIdleThenActive("org_kde_kwin_idle", {"wtype", "-k", "Shift_L"}));
    const int active = probe->lastValue();
    ASSERT_TRUE(probe->waitFor("idle", 5000));
    EXPECT_GE(probe->lastValue() - active, kEarliestIdle) << "idle again before the threshold";
    compositor->stop();
    EXPECT_TRUE(probe->waitFor("broken", 5000)) << "the compositor's end was not noticed";
    EXPECT_TRUE(probe->waitForFinished(5000) && probe->exitCode() == 3);
}

TEST_F(WaylandIdle, AnInhibitorOnAShownWindowHoldsIdleOffUnderSway) {
    if (!startSway()) {
        return;
    }
    Probe& inhibiting = startProbe({"300", "--inhibit-for", "1500"}, "wayland");
    ASSERT_TRUE(inhibiting.waitFor("inhibiting", 10000));
    ASSERT_EQ(inhibiting.next(5000), "armed");
    EXPECT_EQ(inhibiting.next(5000), "released") << "idle while the inhibitor held";
    ASSERT_TRUE(inhibiting.waitFor("idle", 3000)) << "no idle after the inhibitor went";
    EXPECT_GE(inhibiting.lastValue(), 1500 + 290);
}

// KWin offers both protocols; the chooser takes ext_idle_notifier_v1. Its input is KWin's fake
// input: it has no virtual keyboard for wtype.
TEST_F(WaylandIdle, KwinGetsExtIdleNotifyWhichFollowsInput) {
    if (start({"kwin_wayland"}, [](const QStringList& tools) {
            return std::make_unique<Compositor>(
                "kwin_wayland",
                QStringList{"--virtual", "--no-lockscreen", "--no-global-shortcuts",
                            "--no-kactivities", "--socket", "luma-kwin"},
                QStringList{"KWIN_COMPOSE=Q", "KWIN_WAYLAND_NO_PERMISSION_CHECKS=1"}, tools);
        })) {
        expectIdleThenActive("ext_idle_notifier_v1", {compositor->bin("kwin-fake-key")});
    }
}

}  // namespace
}  // namespace luma::test
