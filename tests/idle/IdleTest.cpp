// Starting the show after idle time: which desktop interface tells the idle time, and the
// watcher's rules over doubles of the source, the inhibitions, the lock and the show.
#include "idle/IdleSourceChoice.h"
#include "idle/IdleWatcher.h"
#include "platform/desktop/IdleSource.h"
#include "runtime/ManualTimerService.h"

#include "support/FakeServices.h"

#include <gtest/gtest.h>

// Table rows name only the fields that matter to them.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace luma::test {
namespace {

TEST(IdleSourceChoice, TheSessionChoosesItsInterface) {
    using K = IdleSourceKind;
    struct Case {
        SessionFacts facts;
        IdleSourceKind expected;
    };
    const Case cases[] = {
        {{.mutterOnBus = true, .waylandSession = true, .extIdleNotifier = true}, K::Mutter},
        {{.mutterOnBus = true, .x11ScreenSaver = true}, K::Mutter},  // GNOME on X11
        {{.waylandSession = true, .extIdleNotifier = true, .kdeIdle = true}, K::ExtIdleNotifier},
        {{.waylandSession = true, .kdeIdle = true, .x11ScreenSaver = true}, K::KdeIdle},
        {{.waylandSession = true, .x11ScreenSaver = true}, K::None},  // Xwayland sees too little
        {{.x11ScreenSaver = true}, K::X11},
        {{}, K::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseIdleSource(c.facts), c.expected) << &c - cases;
    }
}

class FakeIdleSource : public IdleSource {
public:
    bool arm(std::chrono::milliseconds threshold) override {
        armedFor = threshold;
        return true;
    }
    void disarm() override { armedFor.reset(); }
    void showEnded() override { ++showsEnded; }
    QString name() const override { return QStringLiteral("fake"); }
    void goIdle() { emit idle(); }
    std::optional<std::chrono::milliseconds> armedFor;
    int showsEnded = 0;
};

class FakeInhibition : public IdleInhibition {
public:
    QString inhibitedBy() override { return by; }
    QString by;
};

// Idle time starts the show only when nothing keeps it from it, and once what kept it has gone
// while the user stays away; the lock is held while the show runs and let go once it has ended.
TEST(IdleWatcher, IdleStartsTheShowUnlessSomethingKeepsItAndHoldsTheLockWhileItRuns) {
    struct Case {
        const char* what;
        int minutes = 5;
        const char* inhibitedBy = "";
        bool anotherRunning = false;
        bool heldByProcess = false;  // a tray process is its own watcher
        bool showOnScreen = false;
        bool starts = true;
        bool startsOnceFree = true;
    };
    const Case cases[] = {
        {.what = "idle"},
        {.what = "in a tray process", .heldByProcess = true},
        {.what = "no minutes", .minutes = 0, .starts = false, .startsOnceFree = false},
        {.what = "a video", .inhibitedBy = "mpv: playing", .starts = false},
        {.what = "another Lumafolio", .anotherRunning = true, .starts = false},
        {.what = "a show already", .showOnScreen = true, .starts = false, .startsOnceFree = false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeIdleSource source;
        FakeInhibition inhibition;
        inhibition.by = QString::fromUtf8(c.inhibitedBy);
        FakeInstance instance;
        instance.anotherRunning = c.anotherRunning;
        instance.held = c.heldByProcess;
        ManualTimerService timers;
        int started = 0;
        bool onScreen = c.showOnScreen;
        const auto start = [&] { ++started, onScreen = true; };
        IdleWatcher watcher(source, {&inhibition}, instance, {start, [&] { return onScreen; }},
                            timers, std::chrono::seconds(2));
        watcher.setMinutes(c.minutes);
        EXPECT_EQ(source.armedFor,
                  c.minutes > 0 ? std::optional(std::chrono::seconds(10)) : std::nullopt);
        source.goIdle();
        EXPECT_EQ(started, c.starts ? 1 : 0);
        EXPECT_EQ(instance.held, c.starts || c.heldByProcess) << "held while its show runs";
        source.goIdle();
        EXPECT_EQ(started, c.starts ? 1 : 0) << "never a second show over the first";
        inhibition.by.clear();
        instance.anotherRunning = false;
        timers.advance(10000);  // what kept it has gone; the user is still away
        EXPECT_EQ(started, c.starts || c.startsOnceFree ? 1 : 0);
        EXPECT_EQ(instance.held, started == 1 || c.heldByProcess);
        onScreen = false;  // the user ended it
        timers.advance(500);
        EXPECT_EQ(instance.held, c.heldByProcess) << "let go with the show, unless held before";
        EXPECT_EQ(source.showsEnded, started) << "the source learns that its show has gone";
        if (started == 1) {
            source.goIdle();
            EXPECT_EQ(started, 2) << "the next idle time brings it back";
            onScreen = false;  // ended, and the idle time passed before the watcher saw it go
            source.goIdle();
            timers.advance(500);
            EXPECT_EQ(started, 3) << "an idle time while the show went is not lost";
        }
    }
}

}  // namespace
}  // namespace luma::test
