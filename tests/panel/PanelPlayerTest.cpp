// The panel's previews: Play with the mouse or the keyboard, stop, the four end pollers and the CD
// drive buttons.
#include "PanelHarness.h"
#include "panel/ControlIds.h"

#include "panel/PanelPlayer.h"
#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace luma::paneltest {
namespace {

using Response = test::RecordingMediaControl::Response;

struct PanelPlayerTest : ::testing::Test {
    void openWith(const QStringList& playlist) {
        p.setList(keys::kMusic, playlist);
        p.open();
        p.find<QTabWidget>(panel_ids::kTabs)->setCurrentIndex(1);
        play = p.find<QPushButton>(panel_ids::kPlayButton);
        player = p.panel()->music;
        p.h.fakes.media->calls.clear();
    }
    // The entries started since the last call, by what was sent to start them.
    QStringList started() {
        QStringList s;
        for (const QString& c : p.commands()) {
            if (c.startsWith(QStringLiteral("open waveaudio!")) ||
                c.startsWith(QStringLiteral("open sequencer!")) ||
                c.startsWith(QStringLiteral("play cd"))) {
                s.append(c);
            }
        }
        for (const QString& e : p.h.fakes.log) {
            if (e.startsWith(QStringLiteral("mp3 play"))) {
                s.append(e);
            }
        }
        p.h.fakes.media->calls.clear();
        p.h.fakes.log.clear();
        return s;
    }

    PanelHarness p;
    QPushButton* play = nullptr;
    PanelPlayer* player = nullptr;
};

TEST_F(PanelPlayerTest, MousePlaysTheSelectedEntryKeyboardPlaysTheNext) {
    openWith({"/m/a.wav", "/m/b.mid", "/m/c.wav"});
    clickRow(p.find<QListWidget>(panel_ids::kPlaylist), 2);
    clickWithMouse(play);
    EXPECT_EQ(started(), QStringList({"open waveaudio!/m/c.wav alias sound"}));
    EXPECT_EQ(p.h.program.currentSelection, QStringLiteral("/m/c.wav"));
    EXPECT_FALSE(player->playSelected);

    play->setFocus();
    QTest::keyClick(play, Qt::Key_Space);
    EXPECT_EQ(started(), QStringList({"open waveaudio!/m/a.wav alias sound"}))
        << "the keyboard advances from a fresh position";
    play->click();
    EXPECT_EQ(started(), QStringList({"open sequencer!/m/b.mid alias midi"}));
    EXPECT_TRUE(player->music().midiEndPoll.isEnabled());
    EXPECT_FALSE(player->music().waveEndPoll.isEnabled());
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kMusicFileBox)->text(), QStringLiteral("/m/b.mid"));
}

TEST_F(PanelPlayerTest, PlayWithNothingSelectedStopsAndStartsNothing) {
    openWith({"/m/a.wav", "Empty", "/m/b.Mp3"});
    clickWithMouse(play);
    EXPECT_TRUE(p.commands().contains(QStringLiteral("stop sound")));
    EXPECT_TRUE(started().isEmpty());
    for (int row : {1, 2}) {  // no kind, and a mixed-case ending: silence, no poller
        clickRow(p.find<QListWidget>(panel_ids::kPlaylist), row);
        clickWithMouse(play);
        EXPECT_TRUE(started().isEmpty());
        EXPECT_FALSE(player->music().mp3EndPoll.isEnabled());
    }
}

TEST_F(PanelPlayerTest, StopSilencesEverythingAndStopsThePollers) {
    openWith({"/m/a.wav"});
    p.panel()->playNextEntry();
    clickWithMouse(p.find<QPushButton>(panel_ids::kStopButton));
    EXPECT_EQ(p.commands().mid(p.commands().size() - 5),
              QStringList({"stop sound", "close sound", "stop cd", "stop midi", "close midi"}));
    EXPECT_FALSE(player->music().waveEndPoll.isEnabled());
    EXPECT_EQ(p.h.fakes.log.last(), QStringLiteral("mp3 stop"));
}

TEST_F(PanelPlayerTest, DriveButtonsChooseTheDriveAndRescansKeepIt) {
    p.h.fakes.drives->drives = {"d:\\", "/dev/sr1"};
    openWith({});
    auto* label4 = p.find<QLabel>(panel_ids::kDriveLabel);
    EXPECT_EQ(p.h.program.currentCdDrive, QStringLiteral("D:\\"));
    EXPECT_EQ(label4->text(), QStringLiteral("CD Drive:D:\\"));
    EXPECT_EQ(p.find<QLabel>(panel_ids::kHiddenDriveLabel)->text(),
              QStringLiteral("  Drive: D:\\"));
    QWidget* first = p.element(panel_ids::kDriveButton, 0);
    QWidget* second = p.element(panel_ids::kDriveButton, 1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->geometry().left(), first->geometry().right() + 1) << "touching";

    clickWithMouse(second);
    EXPECT_EQ(p.commands(), QStringList({"stop cd", "close cd",
                                         "open  /dev/sr1 type cdaudio alias cd wait shareable",
                                         "set cd time format tmsf"}));
    EXPECT_EQ(label4->text(), QStringLiteral("CD Drive:/dev/sr1"));

    p.h.fakes.drives->drives = {"/dev/sr1"};
    p.panel()->findCdDrives();
    EXPECT_EQ(p.h.program.currentCdDrive, QStringLiteral("/dev/sr1"));
    EXPECT_EQ(p.element(panel_ids::kDriveButton, 1), nullptr) << "the buttons are rebuilt";
    p.h.fakes.drives->drives = {};
    p.panel()->findCdDrives();
    EXPECT_FALSE(p.element(panel_ids::kDriveButton, 0)->isVisible());
}

TEST_F(PanelPlayerTest, TrackCountIsShownAndAFailedOpenKeepsIt) {
    p.h.fakes.media->responses[QStringLiteral("status cd number of tracks")] = {0, "3"};
    openWith({});
    EXPECT_EQ(p.find<QLabel>(panel_ids::kTrackCount)->text(), QStringLiteral("3"));
    EXPECT_EQ(p.find<QListWidget>(panel_ids::kTrackList)->count(), 3);
    p.h.fakes.media->responses[QStringLiteral("open cdaudio alias cd")] = {276, {}};
    clickWithMouse(p.find<QPushButton>(panel_ids::kLoadTracksButton));
    EXPECT_EQ(p.find<QLabel>(panel_ids::kTrackCount)->text(), QStringLiteral("3"));
    EXPECT_EQ(p.find<QListWidget>(panel_ids::kTrackList)->count(), 0);
}

}  // namespace
}  // namespace luma::paneltest
