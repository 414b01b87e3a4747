// The tray icon's window: the icon, what its menu's items do to the program, and the wait for a
// notification area that may come late or never.
#include "tray/TrayIconWindow.h"

#include "settings/SettingsKeys.h"
#include "support/FakeServices.h"
#include "support/RecordingWindows.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

namespace luma::test {
namespace {

struct TrayHarness {
    TrayHarness() {
        useRecordingWindows(h.program, windows);
        h.program.setTrayFactory([](Program& p) { return std::make_unique<TrayIconWindow>(p); });
        h.program.setDisplayFactory([this](Program& p) {
            keysHeldBack = p.suppressKeyExit;
            return std::make_unique<RecordingDisplay>(p, windows);
        });
    }
    TrayIconWindow* load() { return static_cast<TrayIconWindow*>(h.program.tray()); }
    FakeNotificationArea& area() { return *h.fakes.notificationArea; }
    int panelShows() const { return static_cast<int>(windows.entries.count(u"panel show")); }

    WindowLog windows;  // outlives the windows that write to it
    ProgramHarness h;
    bool keysHeldBack = false;  // while the display loaded
};

TEST(Tray, TheIconIsUpWhileLoadedAndOnlyARightClickOpensTheMenu) {
    using N = NotificationArea;
    TrayHarness t;
    TrayIconWindow* tray = t.load();
    EXPECT_TRUE(t.area().hasIcon());
    EXPECT_TRUE(t.h.program.suppressKeyExit);
    for (int code : {N::kLeftUp, N::kLeftDoubleClick, N::kLeftDown, N::kRightDown, N::kMouseMove,
                     N::kMiddleUp, N::kRightUp}) {
        t.area().click(code);
        EXPECT_EQ(tray->menu->isVisible(), code == N::kRightUp) << code;
    }
    tray->menu->hide();
    t.h.program.unloadTray();
    EXPECT_FALSE(t.area().hasIcon());
    EXPECT_FALSE(t.h.program.suppressKeyExit);
}

TEST(TrayMenu, EachItemActsOnTheOtherWindows) {
    using T = TrayIconWindow;
    struct Case {
        QAction* T::*item;
        const char* musicNow;
        QStringList windows;  // what the other windows saw, in order
        bool iconStays, devicesStop;
    };
    // clang-format off
    const Case cases[] = {
        {&T::playItem, "0", {"panel playNextEntry"}, true, false},
        // The end pollers stop too: a stopped MP3 would otherwise look ended and start the next.
        {&T::stopItem, "0", {"player timers off", "panel timers off"}, true, true},
        {&T::restoreItem, "0", {"panel show"}, false, false},
        {&T::restoreItem, "1", {"panel show"}, true, false},  // the tray stays in play-now mode
        {&T::shutDownItem, "1", {"panel unload", "panel timers off", "player unload", "player timers off"}, false, true},
        {&T::slideshowItem, "0", {"display load", "display show"}, true, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << &c - cases);
        TrayHarness t;
        t.h.fakes.store->write(keys::kSettings, keys::kMusicNow, QString::fromLatin1(c.musicNow));
        TrayIconWindow* tray = t.load();
        t.h.program.panel();
        t.h.program.player();
        t.windows.entries.clear();
        (tray->*c.item)->trigger();
        EXPECT_EQ(t.windows.entries, c.windows);
        EXPECT_EQ(t.area().hasIcon(), c.iconStays);
        EXPECT_EQ(t.h.program.hasEnded(), c.item == &T::shutDownItem);
        EXPECT_EQ(t.h.fakes.log.contains(u"mp3 stop"), c.devicesStop);
        // Keys do not end a show started from the menu while it starts, and do again afterwards.
        EXPECT_EQ(t.keysHeldBack, c.item == &T::slideshowItem);
        EXPECT_EQ(t.h.program.suppressKeyExit, c.iconStays && c.item != &T::slideshowItem);
        EXPECT_EQ(t.h.program.cursor().isVisible(), c.item != &T::slideshowItem);
    }
}

// Without a notification area the tray waits for one: one that comes late gets the icon; when none
// comes it says so once and opens the panel, but not over a running show.
TEST(TrayWait, WithoutANotificationAreaThePanelOpensOnceAfterTheWait) {
    struct Case {
        int areaAt, showUntil;  // seconds; 0: never, none
        int shownAt;            // the second the panel shows; 0: never
    };
    const Case cases[] = {{0, 0, TrayIconWindow::kTrayWaitSeconds}, {5, 0, 0}, {0, 41, 41}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.areaAt << ' ' << c.showUntil);
        TrayHarness t;
        t.area().available = false;
        testing::internal::CaptureStderr();
        t.load();
        if (c.showUntil > 0) {
            t.h.program.display()->showWindow();
        }
        int shownAt = 0;
        for (int second = 1; second <= 90; ++second) {
            t.area().available = c.areaAt > 0 && second >= c.areaAt;
            if (second == c.showUntil) {
                t.h.program.displayIfLoaded()->hideWindow();
            }
            t.h.fakes.timers->advance(1000);
            if (shownAt == 0 && t.panelShows() > 0) {
                shownAt = second;
            }
        }
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(shownAt, c.shownAt);
        EXPECT_EQ(t.panelShows(), shownAt > 0 ? 1 : 0) << "once";
        EXPECT_EQ(t.area().adds, c.areaAt > 0 ? 1 : 0);
        EXPECT_EQ(t.area().hasIcon(), c.areaAt > 0);
        const size_t said = errors.find("no notification area");
        EXPECT_EQ(said != std::string::npos, c.areaAt == 0);
        EXPECT_EQ(said, errors.rfind("no notification area")) << "said once";
    }
}

}  // namespace
}  // namespace luma::test
