#include "music/BackgroundPlayer.h"

#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include <map>
#include <set>

namespace luma::test {
namespace {

using Response = RecordingMediaControl::Response;

// Devices as the player sees them through their command strings.
struct SimulatedDevices {
    std::map<QString, int> waveLengths;  // path -> length in ms
    std::set<QString> midiFiles;
    std::set<QString> open;
    int wavePosition = 0;
    QString midiMode = QStringLiteral("playing");
    bool discPresent = true;
    QString cdPosition = QStringLiteral("01:00:00:00");

    std::optional<Response> answer(const QString& c) {
        auto openAlias = [&](const QString& alias, bool exists) {
            if (!exists) {
                return Response{275, {}};
            }
            if (!open.insert(alias).second) {
                return Response{265, {}};
            }
            return Response{0, QStringLiteral("1")};
        };
        if (c.startsWith(QStringLiteral("open waveaudio!"))) {
            const QString path = c.mid(15, c.indexOf(QStringLiteral(" alias ")) - 15);
            wavePosition = 0;
            return openAlias(QStringLiteral("sound"), waveLengths.count(path) != 0);
        }
        if (c.startsWith(QStringLiteral("open sequencer!"))) {
            const QString path = c.mid(15, c.indexOf(QStringLiteral(" alias ")) - 15);
            midiMode = QStringLiteral("playing");
            return openAlias(QStringLiteral("midi"), midiFiles.count(path) != 0);
        }
        if (c.startsWith(QStringLiteral("close "))) {
            open.erase(c.mid(6));
            return Response{0, {}};
        }
        if (c == u"status sound length") {
            if (!open.count(QStringLiteral("sound"))) {
                return Response{263, {}};
            }
            for (const auto& [path, length] : waveLengths) {
                return Response{0, QString::number(length)};
            }
        }
        if (c == u"status sound position") {
            return open.count(QStringLiteral("sound")) ? Response{0, QString::number(wavePosition)}
                                                       : Response{263, {}};
        }
        if (c == u"status midi mode") {
            return open.count(QStringLiteral("midi")) ? Response{0, midiMode} : Response{263, {}};
        }
        if (c == u"status cd media present") {
            return Response{0, discPresent ? QStringLiteral("true") : QStringLiteral("false")};
        }
        if (c == u"status cd position") {
            return Response{0, cdPosition};
        }
        if (c.startsWith(QStringLiteral("play cd"))) {
            return Response{discPresent ? 0 : 276, {}};
        }
        return std::nullopt;
    }
};

struct Player : testing::Test {
    ProgramHarness h;
    SimulatedDevices devices;
    BackgroundPlayer* player = nullptr;
    QStringList started;  // entries in the order they were chosen

    void SetUp() override {
        h.program.settings.bsound = 1;
        h.fakes.media->handler = [this](const QString& c) { return devices.answer(c); };
        h.program.setPlayerFactory(
            [](Program& p) { return std::make_unique<BackgroundPlayer>(p); });
        player = static_cast<BackgroundPlayer*>(h.program.player());
    }
    void playlist(const QStringList& entries) {
        StoredList(*h.fakes.store, keys::kMusic).rewrite(entries);
    }
    void tick(int seconds = 1) {
        for (int i = 0; i < seconds; ++i) {
            h.fakes.timers->advance(1000);
            note();
        }
    }
    void note() {
        if (started.isEmpty() || started.last() != h.program.currentSelection) {
            started.append(h.program.currentSelection);
        }
    }
    void start() {
        player->startMusic();
        note();
    }
    bool anyPollerOn() const {
        return player->cdEndPoll.isEnabled() || player->waveEndPoll.isEnabled() ||
               player->midiEndPoll.isEnabled() || player->mp3EndPoll.isEnabled();
    }
};

TEST_F(Player, PlaysEveryKindInOrderAndStartsAgain) {
    devices.waveLengths[QStringLiteral("/m/a.wav")] = 500;
    devices.midiFiles.insert(QStringLiteral("/m/b.mid"));
    playlist({"/m/a.wav", "/m/b.mid", "/m/c.mp3", "CD Track [ 2 ] 00:00:03 CD"});
    start();
    EXPECT_TRUE(player->waveEndPoll.isEnabled());
    tick();
    EXPECT_EQ(h.program.currentSelection, u"/m/a.wav") << "not at its end yet";
    devices.wavePosition = 500;
    tick();
    EXPECT_EQ(h.program.currentSelection, u"/m/b.mid");
    EXPECT_EQ(devices.open.count(QStringLiteral("sound")), 0u) << "the wave device was closed";
    EXPECT_TRUE(player->midiEndPoll.isEnabled());
    devices.midiMode = QStringLiteral("stopped");
    tick();
    EXPECT_EQ(h.program.currentSelection, u"/m/c.mp3");
    EXPECT_EQ(h.fakes.mp3->fileName(), u"/m/c.mp3");
    h.fakes.mp3->setPosition(1.0);
    tick();
    h.fakes.mp3->setPosition(2.0);
    tick();
    tick();  // the position stood still: the MP3 has ended
    EXPECT_EQ(h.program.currentSelection, u"CD Track [ 2 ] 00:00:03 CD");
    EXPECT_TRUE(h.fakes.media->commands().contains(QStringLiteral("play cd from 2 to 3")));
    devices.cdPosition = QStringLiteral("02:00:02:10");
    tick();
    devices.cdPosition = QStringLiteral("03:00:00:01");
    tick();
    EXPECT_EQ(h.program.currentSelection, u"/m/a.wav");
    EXPECT_EQ(started, (QStringList{"/m/a.wav", "/m/b.mid", "/m/c.mp3",
                                    "CD Track [ 2 ] 00:00:03 CD", "/m/a.wav"}));
}

TEST_F(Player, EveryStartStopsAllDevicesFirst) {
    devices.waveLengths[QStringLiteral("/m/a.wav")] = 500;
    playlist({"/m/a.wav"});
    start();
    const QStringList c = h.fakes.media->commands();
    const qsizetype open = c.indexOf(QStringLiteral("open waveaudio!/m/a.wav alias sound"));
    ASSERT_GE(open, 5);
    EXPECT_EQ(c.mid(open - 5, 5),
              (QStringList{"stop sound", "close sound", "stop cd", "stop midi", "close midi"}));
}

TEST_F(Player, AOneEntryPlaylistRepeats) {
    devices.waveLengths[QStringLiteral("/m/a.wav")] = 500;
    playlist({"/m/a.wav"});
    start();
    for (int round = 0; round < 3; ++round) {
        devices.wavePosition = 500;
        tick();
        EXPECT_EQ(h.program.playPosition, 1);
        EXPECT_TRUE(player->waveEndPoll.isEnabled());
        EXPECT_EQ(devices.wavePosition, 0) << "opened afresh";
    }
}

TEST_F(Player, AnEntryThatCannotPlayIsPassedOverAtTheNextTick) {
    devices.waveLengths[QStringLiteral("/m/ok.wav")] = 500;
    // An MP3 that never starts keeps its position at 0.
    for (const QString& bad :
         {QStringLiteral("0"), QStringLiteral("/m/song.Mp3"), QStringLiteral("/m/missing.wav"),
          QStringLiteral("/m/missing.mid"), QStringLiteral("/m/broken.mp3")}) {
        started.clear();
        h.program.playPosition = 0;
        playlist({bad, "/m/ok.wav"});
        player->playlistBox->clear();
        player->loadPlaylist();
        player->playNextEntry();
        note();
        const QString shown = bad == u"0" ? QStringLiteral("Empty") : bad;
        EXPECT_EQ(h.program.currentSelection, shown);
        tick();
        EXPECT_EQ(h.program.currentSelection, u"/m/ok.wav") << qPrintable(bad);
        EXPECT_TRUE(player->waveEndPoll.isEnabled());
    }
}

TEST_F(Player, WhenNothingCanPlayTheMusicStopsAndSaysSoOnce) {
    playlist({"0", "/m/gone.wav", "/m/x.Wav"});
    testing::internal::CaptureStderr();
    start();
    tick(10);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(anyPollerOn());
    EXPECT_FALSE(player->skipTimer.isEnabled());
    EXPECT_NE(errors.find("no entry of the playlist can be played"), std::string::npos);
    EXPECT_EQ(errors.find("no entry"), errors.rfind("no entry"));
    const qsizetype sent = h.fakes.media->calls.size();
    tick(10);
    EXPECT_EQ(h.fakes.media->calls.size(), static_cast<size_t>(sent)) << "no busy loop";
}

TEST_F(Player, TheCdTrackEndsWhenThePositionFallsBack) {
    playlist({"CD Track [ 1 ] 00:04:00 CD", "CD Track [ 2 ] 00:03:00 CD"});
    start();
    for (const char* position : {"01:00:01:00", "01:01:00:00", "01:03:59:74"}) {
        devices.cdPosition = QString::fromLatin1(position);
        tick();
        EXPECT_EQ(h.program.playPosition, 1) << "a steady rise never ends the track";
    }
    h.fakes.media->calls.clear();
    devices.cdPosition = QStringLiteral("02:00:00:00");
    tick();
    EXPECT_EQ(h.program.playPosition, 2);
    const QStringList c = h.fakes.media->commands();
    EXPECT_EQ(c.mid(2, 2), (QStringList{"stop cd wait", "seek cd to 1 wait"}));
    EXPECT_TRUE(c.contains(QStringLiteral("play cd from 2 to 3")));
}

TEST_F(Player, ACdPositionThatIsNoNumberCountsZeroAndTheDiscMissingWaits) {
    playlist({"CD Track [ 1 ] 00:04:00 CD", "CD Track [ 2 ] 00:03:00 CD"});
    start();
    devices.cdPosition = QStringLiteral("01:02:00:00");
    tick();
    devices.discPresent = false;
    tick(5);
    EXPECT_EQ(h.program.playPosition, 1) << "a disc taken out mid-track: the poller waits";
    devices.discPresent = true;
    devices.cdPosition = QStringLiteral("garbage");
    tick();
    EXPECT_EQ(h.program.playPosition, 2) << "garbage reads as 0:00, below 2:00";
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

TEST_F(Player, RandomOrderReachesEveryEntryIncludingRepeats) {
    h.program.settings.randomOrder = 1;
    for (const QString& p :
         {QStringLiteral("/m/1.wav"), QStringLiteral("/m/2.wav"), QStringLiteral("/m/3.wav")}) {
        devices.waveLengths[p] = 100;
    }
    playlist({"/m/1.wav", "/m/2.wav", "/m/3.wav"});
    h.fakes.random->values = {0.0, 0.0, 0.5, 0.99};
    start();
    std::vector<int> positions{h.program.playPosition};
    for (int i = 0; i < 3; ++i) {
        devices.wavePosition = 100;
        tick();
        positions.push_back(h.program.playPosition);
    }
    EXPECT_EQ(positions, (std::vector<int>{1, 1, 2, 3}));
    EXPECT_GE(h.fakes.random->reseeds, 4);
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
    h.fakes.mp3->setPosition(1);
    playlist({"/m/c.mp3"});
    start();
    EXPECT_TRUE(player->mp3EndPoll.isEnabled());
    h.program.unloadPlayer();
    EXPECT_FALSE(h.fakes.mp3->playing());
    EXPECT_FALSE(player->mp3EndPoll.isEnabled());
}

}  // namespace
}  // namespace luma::test
