// The playlist player with both sets of options (the background player passes over what cannot
// play, the panel's preview stays on it), over devices simulated through their command strings.
#include "music/PlaylistPlayer.h"

#include "support/FakeServices.h"

#include <gtest/gtest.h>

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
                return Response{289, {}};
            }
            return Response{0, QStringLiteral("1")};
        };
        auto path = [&] { return c.mid(15, c.indexOf(QStringLiteral(" alias ")) - 15); };
        if (c.startsWith(QStringLiteral("open waveaudio!"))) {
            wavePosition = 0;
            return openAlias(QStringLiteral("sound"), waveLengths.count(path()) != 0);
        }
        if (c.startsWith(QStringLiteral("open sequencer!"))) {
            midiMode = QStringLiteral("playing");
            return openAlias(QStringLiteral("midi"), midiFiles.count(path()) != 0);
        }
        if (c.startsWith(QStringLiteral("close "))) {
            open.erase(c.mid(6));
            return Response{0, {}};
        }
        const bool sound = open.count(QStringLiteral("sound")) != 0;
        if (c == u"status sound length") {
            return sound ? Response{0, QString::number(waveLengths.begin()->second)}
                         : Response{263, {}};
        }
        if (c == u"status sound position") {
            return sound ? Response{0, QString::number(wavePosition)} : Response{263, {}};
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

// A player over the fakes, with the entries of the test.
struct PlayerRig {
    explicit PlayerRig(bool passOver, QStringList playlist = {})
        : entries(std::move(playlist)),
          player(
              PlayerDevices{*fakes.media, [this]() -> Mp3Player& { return *fakes.mp3; },
                            *fakes.random, *fakes.timers, cdReply, currentSelection},
              options(passOver), [this] { return entries; }, position, randomOrder) {
        fakes.media->handler = [this](const QString& c) { return devices.answer(c); };
    }
    static PlaylistPlayer::Options options(bool passOver) {
        PlaylistPlayer::Options o;
        o.passOverUnplayable = passOver;
        o.pollsLetEventsRun = passOver;
        return o;
    }
    void tick(int seconds = 1) {
        for (int i = 0; i < seconds; ++i) {
            fakes.timers->advance(1000);
        }
    }
    bool anyPollerOn() const {
        return player.cdEndPoll.isEnabled() || player.waveEndPoll.isEnabled() ||
               player.midiEndPoll.isEnabled() || player.mp3EndPoll.isEnabled();
    }

    FakePlatform fakes;
    PlatformServices services = fakes.make();  // owns the fakes
    SimulatedDevices devices;
    QStringList entries;
    QString cdReply = QString(255, u' ');
    QString currentSelection;
    std::int32_t position = 0;
    std::int16_t randomOrder = 0;
    PlaylistPlayer player;
};

// Each kind of entry plays until its poller sees its end, and then the next entry starts; the same
// rules hold with either option set.
TEST(PlaylistPlayer, EachKindEndsByItsOwnRuleAndTheNextStarts) {
    struct Case {
        const char* entry;
        std::function<void(PlayerRig&, int second)> playing;  // the device at each second
        std::function<void(PlayerRig&)> end;                  // what its end looks like
    };
    const Case cases[] = {
        {"/m/a.wav",
         [](PlayerRig& r, int second) {
             r.devices.waveLengths[QStringLiteral("/m/a.wav")] = 5000;
             r.devices.wavePosition = 1000 * second;
         },
         [](PlayerRig& r) { r.devices.wavePosition = 5000; }},
        {"/m/b.MID",
         [](PlayerRig& r, int) { r.devices.midiFiles.insert(QStringLiteral("/m/b.MID")); },
         [](PlayerRig& r) { r.devices.midiMode = QStringLiteral("stopped"); }},
        {"/m/c.mp3", [](PlayerRig& r, int second) { r.fakes.mp3->setPosition(second + 1.0); },
         [](PlayerRig&) {}},  // the position no longer moves
        {"CD Track [ 2 ] 00:00:09 CD",
         [](PlayerRig& r, int second) {
             r.devices.cdPosition = QStringLiteral("02:00:0%1:10").arg(second + 1);
         },
         [](PlayerRig& r) { r.devices.cdPosition = QStringLiteral("03:00:00:01"); }},
    };
    for (const bool passOver : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.entry << (passOver ? ", passing over" : ""));
            const QString entry = QString::fromLatin1(c.entry);
            PlayerRig r(passOver, {entry, QStringLiteral("next.mp3")});
            c.playing(r, 0);
            ASSERT_TRUE(r.player.playNext());
            for (int second = 1; second <= 3; ++second) {
                c.playing(r, second);
                r.tick();
                EXPECT_EQ(r.currentSelection, entry) << "still playing";
            }
            c.end(r);
            r.tick();
            EXPECT_EQ(r.currentSelection, u"next.mp3");
            EXPECT_EQ(r.position, 2);
            EXPECT_TRUE(r.player.mp3EndPoll.isEnabled());
            EXPECT_FALSE(r.player.cdEndPoll.isEnabled() || r.player.waveEndPoll.isEnabled() ||
                         r.player.midiEndPoll.isEnabled())
                << "one poller at a time";
            EXPECT_EQ(r.devices.open.count(QStringLiteral("sound")), 0u) << "wave device closed";
        }
    }
}

// An entry that cannot play is passed over at the next tick by the background player; the preview
// stays on it, silent, with nothing started after it (an MP3 that never starts stands still, which
// ends it for both).
TEST(PlaylistPlayer, AnEntryThatCannotPlayIsPassedOverOrKept) {
    const char* const unplayable[] = {"Empty",
                                      "/m/song.Mp3",
                                      "/m/missing.wav",
                                      "/m/missing.mid",
                                      "CD Track [ 3 ] 00:04:00 CD",
                                      "/m/never starts.mp3"};
    for (const bool passOver : {true, false}) {
        for (const char* bad : unplayable) {
            const bool kept = !passOver && bad != unplayable[5];
            SCOPED_TRACE(testing::Message() << bad << (passOver ? ", passing over" : ""));
            PlayerRig r(passOver, {QString::fromLatin1(bad), QStringLiteral("/m/ok.wav")});
            r.devices.waveLengths[QStringLiteral("/m/ok.wav")] = 500;
            r.devices.discPresent = false;
            ASSERT_TRUE(r.player.playNext());
            r.tick(2);
            EXPECT_EQ(r.currentSelection,
                      kept ? QString::fromLatin1(bad) : QStringLiteral("/m/ok.wav"));
            EXPECT_EQ(
                r.fakes.media->commands().contains(u"open waveaudio!/m/ok.wav alias sound"_qs),
                !kept);
        }
    }
}

TEST(PlaylistPlayer, WhenNothingCanPlayTheBackgroundPlayerStopsAndSaysSoOnce) {
    PlayerRig r(true, {"Empty", "/m/gone.wav", "/m/x.Wav"});
    testing::internal::CaptureStderr();
    ASSERT_TRUE(r.player.playNext());
    r.tick(10);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(r.anyPollerOn());
    EXPECT_FALSE(r.player.skipTimer.isEnabled());
    EXPECT_NE(errors.find("no entry of the playlist can be played"), std::string::npos);
    EXPECT_EQ(errors.find("no entry"), errors.rfind("no entry"));
    const std::size_t sent = r.fakes.media->calls.size();
    r.tick(10);
    EXPECT_EQ(r.fakes.media->calls.size(), sent) << "no busy loop";
}

TEST(PlaylistPlayer, OrderWrapsAndRandomDrawsEveryPositionAfterAReseed) {
    PlayerRig r(true, {"a.mp3", "b.mp3", "c.mp3"});
    std::vector<int> positions;
    for (int i = 0; i < 4; ++i) {
        r.player.playNext();
        positions.push_back(r.position);
    }
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 1}));

    r.randomOrder = 1;
    r.fakes.random->values = {0.0, 0.0, 0.5, 0.99};
    positions.clear();
    for (int i = 0; i < 4; ++i) {
        r.player.playNext();
        positions.push_back(r.position);
    }
    EXPECT_EQ(positions, (std::vector<int>{1, 1, 2, 3}));
    EXPECT_EQ(r.fakes.random->reseeds, 4);
}

TEST(PlaylistPlayer, EveryStartStopsAllDevicesFirstAndTheCdTrackIsRewoundAtItsEnd) {
    PlayerRig r(true, {"CD Track [ 1 ] 00:04:00 CD", "CD Track [ 2 ] 00:03:00 CD"});
    ASSERT_TRUE(r.player.playNext());
    EXPECT_EQ(r.fakes.media->commands(),
              (QStringList{"stop sound", "close sound", "stop cd", "stop midi", "close midi",
                           "stop cd wait", "seek cd to 1 wait", "play cd from 1 to 2"}));
    EXPECT_EQ(r.fakes.log.mid(5, 1), QStringList{"mp3 stop"});
    for (const char* position : {"01:00:01:00", "01:01:00:00", "01:03:59:74"}) {
        r.devices.cdPosition = QString::fromLatin1(position);
        r.tick();
        EXPECT_EQ(r.position, 1) << "a steady rise never ends the track";
    }
    r.devices.discPresent = false;
    r.tick(5);
    EXPECT_EQ(r.position, 1) << "a disc taken out mid-track: the poller waits";
    r.devices.discPresent = true;
    r.devices.cdPosition = QStringLiteral("garbage");  // reads as 0:00, below 3:59
    r.fakes.media->calls.clear();
    r.tick();
    EXPECT_EQ(r.position, 2);
    const QStringList c = r.fakes.media->commands();
    EXPECT_EQ(c.mid(2, 2), (QStringList{"stop cd wait", "seek cd to 1 wait"}));
    EXPECT_TRUE(c.contains(QStringLiteral("play cd from 2 to 3")));
}

// With events running before a start, an owner that went away meanwhile stops the player there.
TEST(PlaylistPlayer, AnOwnerGoneWhileEventsRanStartsNothing) {
    PlayerRig r(false, {"/m/a.wav"});
    bool wanted = false;
    PlaylistPlayer::Options options;
    options.eventsRunBeforeStart = true;
    options.stillWanted = [&wanted] { return wanted; };
    QStringList chosen;
    options.chosen = [&chosen](const QString& entry) { chosen.append(entry); };
    PlaylistPlayer preview(
        PlayerDevices{*r.fakes.media, [&r]() -> Mp3Player& { return *r.fakes.mp3; },
                      *r.fakes.random, *r.fakes.timers, r.cdReply, r.currentSelection},
        options, [&r] { return r.entries; }, r.position, r.randomOrder);
    EXPECT_FALSE(preview.playNext());
    EXPECT_TRUE(r.fakes.media->commands().isEmpty());
    wanted = true;
    EXPECT_TRUE(preview.play(QStringLiteral("/m/b.wav")));
    EXPECT_EQ(r.fakes.media->commands().last(), u"open waveaudio!/m/b.wav alias sound");
    EXPECT_EQ(chosen, (QStringList{"/m/a.wav", "/m/b.wav"}));
    EXPECT_EQ(r.position, 1) << "play() keeps the position";
}

}  // namespace
}  // namespace luma::test
