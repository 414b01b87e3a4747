// Closing the panel: the buttons of the bottom row, "Save Settings" and the close box, in both
// states of the stored "MusicNow".
#include "PanelHarness.h"
#include "panel/ControlIds.h"

#include "panel/PanelPlayer.h"
#include "platform/XdgPaths.h"
#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace luma::paneltest {
namespace {

struct Closing {
    QLatin1String button;
    bool musicNow;
    bool savesEverything;  // all fourteen keys written
    bool panelStays;       // hidden but loaded, the program running
};

TEST(PanelClosing, JustCloseAndSaveAndCloseInBothMusicNowStates) {
    const std::vector<Closing> cases = {
        {panel_ids::kJustCloseButton, false, false, false},
        {panel_ids::kJustCloseButton, true, false, true},
        {panel_ids::kSaveAndCloseButton, false, true, false},
        {panel_ids::kSaveAndCloseButton, true, true, true},
    };
    for (const Closing& c : cases) {
        SCOPED_TRACE(std::string(c.button.data()) + (c.musicNow ? " MusicNow 1" : " MusicNow 0"));
        PanelHarness p;
        p.setSetting(keys::kMusicNow, c.musicNow ? QStringLiteral("1") : QStringLiteral("0"));
        p.open();
        p.find<QLineEdit>(panel_ids::kDelayBox)->setText(QStringLiteral("9"));
        p.find<QCheckBox>(panel_ids::kRandomPlayBox)
            ->setChecked(false);  // no reaction: stored only by a save
        p.store().clearLog();
        p.h.fakes.media->calls.clear();
        clickWithMouse(p.find<QPushButton>(c.button));

        const QStringList written = p.writtenSettings();
        if (c.savesEverything) {
            ASSERT_GE(written.size(), 14);
            EXPECT_EQ(written.mid(0, 14),
                      QStringList({"Slides=0", "Random order=0", "animate=1", "screensize=0",
                                   "Slidesize=2", "delay=9", "Bsound=1", "Randomplay=0", "Asound=0",
                                   "MusicOnly=0", c.musicNow ? "MusicNow=1" : "MusicNow=0",
                                   "AutoStartup=0", "Mousesens=15", "BackColors=0"}));
        } else if (c.musicNow) {
            EXPECT_TRUE(written.isEmpty()) << written.join(u';').toStdString();
        } else {
            EXPECT_EQ(written, QStringList({"AutoStartup=0"})) << "only the unload's own write";
        }
        EXPECT_EQ(p.h.program.hasEnded(), !c.panelStays);
        if (c.panelStays) {
            ASSERT_NE(p.panel(), nullptr);
            EXPECT_FALSE(p.panel()->isShown());
            EXPECT_TRUE(p.events.contains(QStringLiteral("tray load")));
            EXPECT_FALSE(p.commands().contains(QStringLiteral("stop sound")))
                << "hiding does not run the unload";
        } else {
            EXPECT_EQ(p.panel(), nullptr);
            EXPECT_TRUE(p.commands().contains(QStringLiteral("stop sound")));
        }
    }
}

TEST(PanelClosing, CloseBoxEndsTheProgramOrLeavesItInTheTray) {
    for (bool musicNow : {false, true}) {
        SCOPED_TRACE(musicNow ? "MusicNow 1" : "MusicNow 0");
        PanelHarness p;
        p.setSetting(keys::kMusicNow, musicNow ? QStringLiteral("1") : QStringLiteral("0"));
        p.open()->close();
        EXPECT_TRUE(p.commands().contains(QStringLiteral("close midi"))) << "the music stops";
        EXPECT_EQ(p.setting(keys::kAutoStartup), QStringLiteral("0"));
        EXPECT_EQ(p.h.program.hasEnded(), !musicNow);
        EXPECT_EQ(p.h.program.trayIfLoaded() != nullptr, musicNow);
        if (musicNow) {
            ASSERT_NE(p.panel(), nullptr);
            EXPECT_FALSE(p.panel()->isShown());
        }
    }
}

TEST(PanelClosing, UnloadRemovesAStraySaverCopyOnlyWhenStartUpIsOff) {
    for (bool autoStart : {false, true}) {
        PanelHarness p;
        p.setSetting(keys::kAutoStartup, autoStart ? QStringLiteral("1") : QStringLiteral("0"));
        QDir().mkpath(xdgAutostartFolder());
        const QString copy = xdgAutostartFolder() + u'/' +
                             QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                             QStringLiteral(".scr");
        const QString other = xdgAutostartFolder() + QStringLiteral("/other.scr");
        for (const QString& path : {copy, other}) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        p.open();
        p.h.program.unloadPanel();
        EXPECT_EQ(QFile::exists(copy), autoStart);
        EXPECT_TRUE(QFile::exists(other));
        EXPECT_EQ(p.setting(keys::kAutoStartup),
                  autoStart ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

TEST(PanelClosing, ShutDownTakesTheTrayAwayAndEnds) {
    PanelHarness p;
    p.setSetting(keys::kMusicNow, QStringLiteral("1"));
    p.open();
    clickWithMouse(p.find<QPushButton>(panel_ids::kShutDownButton));
    EXPECT_EQ(p.events, QStringList({"tray load", "tray unload", "player load"}));
    EXPECT_EQ(p.panel(), nullptr);
    EXPECT_TRUE(p.h.program.hasEnded());
}

TEST(PanelClosing, SaveSettingsKeepsThePanelOpenAndAFailedSaveCloseEnds) {
    PanelHarness p;
    p.open();
    p.store().clearLog();
    clickWithMouse(p.find<QPushButton>(panel_ids::kSaveSettingsButton));
    EXPECT_EQ(p.writtenSettings().size(), 14);
    EXPECT_EQ(p.store().log().back().batch, p.store().log().front().batch) << "one write";
    EXPECT_TRUE(p.panel()->isShown());

    p.setSetting(keys::kMusicNow, QStringLiteral("1"));
    p.store().setFailWrites(true);
    clickWithMouse(p.find<QPushButton>(panel_ids::kSaveAndCloseButton));
    EXPECT_EQ(p.panel(), nullptr);
    EXPECT_TRUE(p.h.program.hasEnded());
}

TEST(PanelClosing, TestShowsTheSlideshowPlaysAndHidesThePanel) {
    PanelHarness p;
    p.setSetting(keys::kSlides, QStringLiteral("1"));
    p.setSetting(keys::kMusicNow, QStringLiteral("1"));
    p.setList(keys::kMusic, {"/m/a.wav"});
    p.open();
    p.events.clear();
    clickWithMouse(p.find<QPushButton>(panel_ids::kTestButton));
    EXPECT_EQ(p.events, QStringList({"player load", "display load", "display show",
                                     "display slideTimer on", "display showFirstSlide"}));
    EXPECT_TRUE(p.commands().contains(QStringLiteral("open waveaudio!/m/a.wav alias sound")));
    EXPECT_FALSE(p.panel()->isShown());

    // Again with the display up: it starts over from the current settings; the music plays on.
    p.events.clear();
    p.panel()->showWindow();
    clickWithMouse(p.find<QPushButton>(panel_ids::kTestButton));
    EXPECT_EQ(p.events.mid(0, 2), QStringList({"display unload", "display load"}));
    EXPECT_TRUE(p.events.contains(QStringLiteral("display showFirstSlide")));
    EXPECT_TRUE(p.panel()->music->music().waveEndPoll.isEnabled());
}

// Music started by "Test" with no display can always be stopped: from the tray icon, or from the
// panel, which stays up when there is no notification area.
TEST(PanelClosing, TestInMusicOnlyModeLeavesAWayToStopTheMusic) {
    for (const bool notificationArea : {true, false}) {
        SCOPED_TRACE(notificationArea ? "notification area" : "no notification area");
        PanelHarness p;
        p.h.fakes.notificationArea->available = notificationArea;
        p.setSetting(keys::kMusicOnly, QStringLiteral("1"));
        p.setList(keys::kMusic, {"/m/a.wav"});
        p.open();
        p.events.clear();
        clickWithMouse(p.find<QPushButton>(panel_ids::kTestButton));
        EXPECT_TRUE(p.commands().contains(QStringLiteral("open waveaudio!/m/a.wav alias sound")));
        EXPECT_TRUE(p.events.contains(QStringLiteral("tray load")));
        EXPECT_FALSE(p.events.contains(QStringLiteral("display load")));
        EXPECT_EQ(p.panel()->isShown(), !notificationArea);
    }
}

// A click that closes the panel while "Play" lets events run: neither the CD poller's tick nor
// "Test" touches the panel afterwards, sends a command or opens the display, even when the panel
// is destroyed inside the event processing (the sanitizer build sees any use after that).
TEST(PanelClosing, ClosingWhilePlayLetsEventsRunStopsEveryCaller) {
    enum class Path { CdPollTick, TestButton };
    for (const Path path : {Path::CdPollTick, Path::TestButton}) {
        for (const bool shutDown : {true, false}) {
            SCOPED_TRACE(std::string(path == Path::CdPollTick ? "CD tick, " : "Test, ") +
                         (shutDown ? "Shut Down" : "close box"));
            PanelHarness p;
            p.setSetting(keys::kSlides, QStringLiteral("1"));
            p.setList(keys::kMusic, {"CD Track [ 1 ] 00:04:00 CD", "/m/a.wav"});
            auto* media = p.h.fakes.media;
            media->responses[QStringLiteral("status cd media present")] = {0, "true"};
            ControlPanel* panel = p.open();
            if (path == Path::CdPollTick) {
                panel->playNextEntry();
                media->responses[QStringLiteral("status cd position")] = {0, "01:03:00:00"};
                p.h.fakes.timers->advance(1000);
                media->responses[QStringLiteral("status cd position")] = {0, "02:00:00:00"};
            }
            QMetaObject::invokeMethod(
                panel,
                [&p, panel, shutDown] {
                    if (shutDown) {
                        clickWithMouse(panel->findChild<QPushButton*>(panel_ids::kShutDownButton));
                    } else {
                        panel->close();
                    }
                    p.h.program.collectRetiredWindows();  // the event loop turned meanwhile
                },
                Qt::QueuedConnection);
            p.events.clear();
            if (path == Path::CdPollTick) {
                p.h.fakes.timers->advance(1000);
            } else {
                clickWithMouse(p.find<QPushButton>(panel_ids::kTestButton));
            }
            EXPECT_TRUE(p.h.program.hasEnded());
            EXPECT_EQ(p.h.program.panelIfLoaded(), nullptr);
            EXPECT_FALSE(p.events.contains(QStringLiteral("display load")));
            const QStringList log = p.h.fakes.log;
            ASSERT_FALSE(log.isEmpty());
            EXPECT_EQ(log.back(), QStringLiteral("close all")) << "nothing sent after the end";
            EXPECT_FALSE(
                p.commands().contains(QStringLiteral("open waveaudio!/m/a.wav alias sound")));
        }
    }
}

}  // namespace
}  // namespace luma::paneltest
