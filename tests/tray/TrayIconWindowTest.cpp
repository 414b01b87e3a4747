#include "tray/TrayIconArt.h"
#include "tray/TrayIconWindow.h"
#include "tray/TrayIds.h"

#include "settings/SettingsKeys.h"
#include "support/FakeServices.h"
#include "support/RecordingWindows.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace luma::test {
namespace {

struct Tray : testing::Test {
    WindowLog windows;  // outlives the windows that write to it
    ProgramHarness h;
    TrayIconWindow* tray = nullptr;

    void SetUp() override {
        useRecordingWindows(h.program, windows);
        h.program.setTrayFactory([](Program& p) { return std::make_unique<TrayIconWindow>(p); });
    }
    void loadTray() { tray = static_cast<TrayIconWindow*>(h.program.tray()); }
    FakeNotificationArea& area() { return *h.fakes.notificationArea; }
};

TEST_F(Tray, LoadingPutsTheIconUpAndSuppressesKeyExits) {
    loadTray();
    EXPECT_TRUE(area().hasIcon());
    EXPECT_EQ(area().iconTip, u"Lumafolio");
    EXPECT_TRUE(h.program.suppressKeyExit);
    EXPECT_FALSE(tray->isVisible());
    EXPECT_EQ(tray->windowTitle(), u"Lumafolio Music control");
    h.program.unloadTray();
    EXPECT_FALSE(area().hasIcon());
    EXPECT_FALSE(h.program.suppressKeyExit);
}

TEST_F(Tray, TheMenuHasItsSixItemsInOrder) {
    loadTray();
    QStringList names, captions;
    for (QAction* action : tray->menu->actions()) {
        names.append(action->objectName());
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(names,
              (QStringList{tray_ids::kPlayItem, tray_ids::kStopItem, tray_ids::kSlideshowItem,
                           tray_ids::kRestoreItem, tray_ids::kSeparator, tray_ids::kShutDownItem}));
    EXPECT_EQ(captions,
              (QStringList{"Play music | Next selection", "Stop playing Music", "Start Slideshow",
                           "Restore Lumafolio Control panel", "-", "Shutdown Lumafolio"}));
    EXPECT_EQ(tray->menu->title(), u"Popup");
}

TEST_F(Tray, OnlyTheRightButtonReleaseOpensTheMenu) {
    loadTray();
    for (int code : {NotificationArea::kLeftUp, NotificationArea::kLeftDoubleClick,
                     NotificationArea::kLeftDown, NotificationArea::kRightDown,
                     NotificationArea::kMouseMove, NotificationArea::kMiddleUp}) {
        area().click(code);
        EXPECT_FALSE(tray->menu->isVisible()) << code;
        EXPECT_EQ(tray->lastTrayMessage, code);
    }
    area().click(NotificationArea::kRightUp);
    EXPECT_TRUE(tray->menu->isVisible());
    tray->menu->hide();
}

TEST_F(Tray, PlayMusicRunsThePanelsNextWithoutShowingIt) {
    loadTray();
    tray->playItem->trigger();
    EXPECT_EQ(windows.entries, (QStringList{"panel load", "panel playNextEntry"}));
}

TEST_F(Tray, StopMusicStopsTheDevicesAndThePollersForGood) {
    loadTray();
    h.program.panel();
    windows.entries.clear();
    tray->stopItem->trigger();
    EXPECT_EQ(h.fakes.log, (QStringList{"stop sound", "close sound", "stop cd", "stop midi",
                                        "close midi", "mp3 stop"}));
    EXPECT_TRUE(windows.has(QStringLiteral("player load"))) << "the media player's window";
    EXPECT_TRUE(windows.has(QStringLiteral("player timers off")));
    EXPECT_TRUE(windows.has(QStringLiteral("panel timers off")));
}

TEST_F(Tray, StartSlideshowBracketsTheStartWithSuppressedKeys) {
    loadTray();
    h.program.settings.slides = 1;
    bool suppressedDuringStart = false;
    h.program.setDisplayFactory([&](Program& p) {
        auto display = std::make_unique<RecordingDisplay>(p, windows);
        suppressedDuringStart = p.suppressKeyExit;
        return display;
    });
    tray->slideshowItem->trigger();
    EXPECT_TRUE(suppressedDuringStart);
    EXPECT_FALSE(h.program.suppressKeyExit) << "keys end the show again afterwards";
    EXPECT_FALSE(h.program.cursor().isVisible());
    EXPECT_EQ(windows.entries, (QStringList{"display load", "display show", "display slideTimer on",
                                            "display showFirstSlide"}));
}

TEST_F(Tray, RestoreKeepsTheIconOnlyInPlayNowMode) {
    for (const auto& [stored, keeps] : {std::pair{"", false}, std::pair{"0", false},
                                        std::pair{"1", true}, std::pair{"1.0", true}}) {
        WindowLog log;
        ProgramHarness fresh;
        useRecordingWindows(fresh.program, log);
        fresh.program.setTrayFactory(
            [](Program& p) { return std::make_unique<TrayIconWindow>(p); });
        if (*stored) {
            fresh.fakes.store->write(keys::kSettings, keys::kMusicNow, QString::fromLatin1(stored));
        }
        auto* popup = static_cast<TrayIconWindow*>(fresh.program.tray());
        popup->restoreItem->trigger();
        EXPECT_TRUE(log.has(QStringLiteral("panel show"))) << stored;
        EXPECT_EQ(fresh.fakes.notificationArea->hasIcon(), keeps) << stored;
        EXPECT_EQ(fresh.program.trayIfLoaded() != nullptr, keeps) << stored;
    }
}

TEST_F(Tray, ShutdownLeavesNoIconAndEndsEvenWithNothingElseLoaded) {
    loadTray();
    tray->shutDownItem->trigger();
    EXPECT_FALSE(area().hasIcon());
    EXPECT_TRUE(h.program.hasEnded());
    EXPECT_FALSE(h.program.anyWindowLoaded());
    EXPECT_TRUE(h.fakes.log.contains(QStringLiteral("close midi")));
}

TEST_F(Tray, ShutdownUnloadsThePanelAndThePlayer) {
    loadTray();
    h.program.panel();
    h.program.player();
    tray->shutDownItem->trigger();
    EXPECT_TRUE(windows.has(QStringLiteral("panel unload")));
    EXPECT_TRUE(windows.has(QStringLiteral("player unload")));
    EXPECT_TRUE(h.program.hasEnded());
}

TEST_F(Tray, WithoutNotificationAreaItWaitsThenOpensThePanelOnce) {
    area().available = false;
    testing::internal::CaptureStderr();
    loadTray();
    h.fakes.timers->advance((TrayIconWindow::kTrayWaitSeconds - 1) * 1000);
    EXPECT_FALSE(windows.has(QStringLiteral("panel show")));
    h.fakes.timers->advance(1000);
    h.fakes.timers->advance(60000);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(windows.entries.count(QStringLiteral("panel show")), 1);
    EXPECT_NE(errors.find("no notification area"), std::string::npos);
    EXPECT_EQ(errors.find("no notification area"), errors.rfind("no notification area"));
    EXPECT_FALSE(area().hasIcon());
}

TEST_F(Tray, ANotificationAreaThatComesLateGetsTheIcon) {
    area().available = false;
    loadTray();
    h.fakes.timers->advance(5000);
    area().available = true;
    h.fakes.timers->advance(1000);
    EXPECT_TRUE(area().hasIcon());
    h.fakes.timers->advance(60000);
    EXPECT_FALSE(windows.has(QStringLiteral("panel show")));
    EXPECT_EQ(area().adds, 1);
}

TEST_F(Tray, ThePanelDoesNotCoverARunningShow) {
    area().available = false;
    h.program.settings.slides = 1;
    loadTray();
    h.program.display()->showWindow();
    testing::internal::CaptureStderr();
    h.fakes.timers->advance(40000);
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(windows.has(QStringLiteral("panel show")));
    h.program.displayIfLoaded()->hideWindow();
    h.fakes.timers->advance(1000);
    EXPECT_TRUE(windows.has(QStringLiteral("panel show")));
}

TEST(TrayIconArt, DrawsBothSizesWithContent) {
    for (int size : {16, 32, 256}) {
        const QImage image = drawLumafolioIcon(size);
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(image.pixelColor(size / 2, size / 2).alpha(), 255);
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "rounded, transparent corner";
    }
    EXPECT_EQ(lumafolioTrayIcon().availableSizes().size(), 2);
}

}  // namespace
}  // namespace luma::test
