#include "music/BackgroundPlayer.h"

#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

namespace luma::test {
namespace {

struct Player : testing::Test {
    ProgramHarness h;
    BackgroundPlayer* player = nullptr;

    void SetUp() override {
        h.program.settings.bsound = 1;
        h.program.setPlayerFactory(
            [](Program& p) { return std::make_unique<BackgroundPlayer>(p); });
        player = static_cast<BackgroundPlayer*>(h.program.player());
    }
    void playlist(const QStringList& entries) {
        StoredList(*h.fakes.store, keys::kMusic).rewrite(entries);
    }
};

// The position is the program's: a later start goes on after the entry played last.
TEST_F(Player, StartMusicPlaysTheStoredListFromWhereThePlayingStopped) {
    playlist({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"});
    h.program.playPosition = 1;
    player->startMusic();
    EXPECT_EQ(h.program.currentSelection, u"/m/b.mp3");
    EXPECT_EQ(h.fakes.mp3->fileName(), u"/m/b.mp3");
    EXPECT_TRUE(player->music().mp3EndPoll.isEnabled());
    player->stopAllMusic();
    EXPECT_FALSE(player->music().mp3EndPoll.isEnabled());
    EXPECT_FALSE(h.fakes.mp3->playing());
}

TEST_F(Player, LoadingThePlaylistTwiceAppendsIt) {
    playlist({"/m/a.wav", "0"});
    player->loadPlaylist();
    player->loadPlaylist();
    QStringList items;
    for (int i = 0; i < player->playlistBox->count(); ++i) {
        items.append(player->playlistBox->item(i)->text());
    }
    EXPECT_EQ(items, (QStringList{"/m/a.wav", "Empty", "/m/a.wav", "Empty"}));
}

TEST_F(Player, NoBackgroundSoundNoMusic) {
    h.program.settings.bsound = 0;
    playlist({"/m/a.wav"});
    player->startMusic();
    EXPECT_TRUE(h.fakes.media->calls.empty());
    EXPECT_EQ(player->playlistBox->count(), 0);
}

TEST_F(Player, FindsTheDrivesAndOpensTheFirst) {
    h.fakes.drives->drives = {QStringLiteral("d:\\"), QStringLiteral("/dev/sr1")};
    player->findCdDrives();
    ASSERT_EQ(player->driveButtons.size(), 2u);
    EXPECT_EQ(player->driveButtons[0]->text(), u"D:\\");
    EXPECT_EQ(player->driveButtons[1]->text(), u"/dev/sr1");
    EXPECT_EQ(player->driveButtons[1]->x(),
              player->driveButtons[0]->x() + player->driveButtons[0]->width());
    EXPECT_EQ(h.program.currentCdDrive, u"D:\\");
    EXPECT_TRUE(h.fakes.media->commands().contains(
        QStringLiteral("open  D:\\ type cdaudio alias cd wait shareable")));

    // A second scan keeps the drive in use and does not pile up buttons.
    h.program.currentCdDrive = QStringLiteral("/dev/sr1");
    player->findCdDrives();
    EXPECT_EQ(player->driveButtons.size(), 2u);
    EXPECT_EQ(h.program.currentCdDrive, u"/dev/sr1");
}

TEST_F(Player, NoDriveOpensNothing) {
    player->loadCdTracks();
    EXPECT_TRUE(h.program.currentCdDrive.isEmpty());
    EXPECT_FALSE(player->driveButtons[0]->isVisibleTo(player));
    for (const QString& c : h.fakes.media->commands()) {
        EXPECT_FALSE(c.startsWith(QStringLiteral("open  "))) << qPrintable(c);
    }
}

TEST_F(Player, UnloadStopsTheMediaPlayerAndThePollers) {
    playlist({"/m/c.mp3"});
    player->startMusic();
    ASSERT_TRUE(h.fakes.mp3->playing());
    h.program.unloadPlayer();
    EXPECT_FALSE(h.fakes.mp3->playing());
    EXPECT_FALSE(player->music().mp3EndPoll.isEnabled());
}

}  // namespace
}  // namespace luma::test
