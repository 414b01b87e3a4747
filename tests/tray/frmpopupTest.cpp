#include "tray/TrayIconArt.h"
#include "tray/frmpopup.h"

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
    frmpopup* tray = nullptr;

    void SetUp() override {
        useRecordingWindows(h.program, windows);
        h.program.setTrayFactory([](Program& p) { return std::make_unique<frmpopup>(p); });
    }
    void loadTray() { tray = static_cast<frmpopup*>(h.program.tray()); }
    FakeNotificationArea& area() { return *h.fakes.notificationArea; }
};

TEST_F(Tray, LoadingPutsTheIconUpAndSuppressesKeyExits) {
    loadTray();
    EXPECT_TRUE(area().hasIcon());
    EXPECT_EQ(area().iconTip, u"Lumafolio");
    EXPECT_TRUE(h.program.SuppressKeyExit);
    EXPECT_FALSE(tray->isVisible());
    EXPECT_EQ(tray->windowTitle(), u"Lumafolio Music control");
    h.program.unloadTray();
    EXPECT_FALSE(area().hasIcon());
    EXPECT_FALSE(h.program.SuppressKeyExit);
}

TEST_F(Tray, TheMenuHasItsSixItemsInOrder) {
    loadTray();
    QStringList names, captions;
    for (QAction* action : tray->Popup->actions()) {
        names.append(action->objectName());
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(names, (QStringList{"mnuPlaymusic", "mnuStopmusic", "mnuSlideshow", "Exit",
                                  "mnuspace", "mnuEnd"}));
    EXPECT_EQ(captions,
              (QStringList{"Play music | Next selection", "Stop playing Music", "Start Slideshow",
                           "Restore Lumafolio Control panel", "-", "Shutdown Lumafolio"}));
    EXPECT_EQ(tray->Popup->title(), u"Popup");
}

TEST_F(Tray, OnlyTheRightButtonReleaseOpensTheMenu) {
    loadTray();
    for (int code : {NotificationArea::kLeftUp, NotificationArea::kLeftDoubleClick,
                     NotificationArea::kLeftDown, NotificationArea::kRightDown,
                     NotificationArea::kMouseMove, NotificationArea::kMiddleUp}) {
        area().click(code);
        EXPECT_FALSE(tray->Popup->isVisible()) << code;
        EXPECT_EQ(tray->LastTrayMessage, code);
    }
    area().click(NotificationArea::kRightUp);
    EXPECT_TRUE(tray->Popup->isVisible());
    tray->Popup->hide();
}

TEST_F(Tray, PlayMusicRunsThePanelsNextWithoutShowingIt) {
    loadTray();
    tray->mnuPlaymusic->trigger();
    EXPECT_EQ(windows.entries, (QStringList{"panel load", "panel Command32_Click"}));
}

TEST_F(Tray, StopMusicStopsTheDevicesAndThePollersForGood) {
    loadTray();
    h.program.panel();
    windows.entries.clear();
    tray->mnuStopmusic->trigger();
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
        suppressedDuringStart = p.SuppressKeyExit;
        return display;
    });
    tray->mnuSlideshow->trigger();
    EXPECT_TRUE(suppressedDuringStart);
    EXPECT_FALSE(h.program.SuppressKeyExit) << "keys end the show again afterwards";
    EXPECT_FALSE(h.program.cursor().isVisible());
    EXPECT_EQ(windows.entries, (QStringList{"display load", "display show", "display Timer1 on",
                                            "display BeforeTimer1"}));
}

TEST_F(Tray, RestoreKeepsTheIconOnlyInPlayNowMode) {
    for (const auto& [stored, keeps] : {std::pair{"", false}, std::pair{"0", false},
                                        std::pair{"1", true}, std::pair{"1.0", true}}) {
        WindowLog log;
        ProgramHarness fresh;
        useRecordingWindows(fresh.program, log);
        fresh.program.setTrayFactory([](Program& p) { return std::make_unique<frmpopup>(p); });
        if (*stored) {
            fresh.fakes.store->write(keys::kSettings, keys::kMusicNow, QString::fromLatin1(stored));
        }
        auto* popup = static_cast<frmpopup*>(fresh.program.tray());
        popup->Exit->trigger();
        EXPECT_TRUE(log.has(QStringLiteral("panel show"))) << stored;
        EXPECT_EQ(fresh.fakes.notificationArea->hasIcon(), keeps) << stored;
        EXPECT_EQ(fresh.program.trayIfLoaded() != nullptr, keeps) << stored;
    }
}

TEST_F(Tray, ShutdownLeavesNoIconAndEndsEvenWithNothingElseLoaded) {
    loadTray();
    tray->mnuEnd->trigger();
    EXPECT_FALSE(area().hasIcon());
    EXPECT_TRUE(h.program.hasEnded());
    EXPECT_FALSE(h.program.anyWindowLoaded());
    EXPECT_TRUE(h.fakes.log.contains(QStringLiteral("close midi")));
}

TEST_F(Tray, ShutdownUnloadsThePanelAndThePlayer) {
    loadTray();
    h.program.panel();
    h.program.player();
    tray->mnuEnd->trigger();
    EXPECT_TRUE(windows.has(QStringLiteral("panel unload")));
    EXPECT_TRUE(windows.has(QStringLiteral("player unload")));
    EXPECT_TRUE(h.program.hasEnded());
}

TEST_F(Tray, WithoutNotificationAreaItWaitsThenOpensThePanelOnce) {
    area().available = false;
    testing::internal::CaptureStderr();
    loadTray();
    h.fakes.timers->advance((frmpopup::kTrayWaitSeconds - 1) * 1000);
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
