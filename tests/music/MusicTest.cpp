// The music: the routines that drive the sound devices, the playlist player over devices that
// answer from a table of replies (with both sets of options: the background player passes over
// what cannot play, the panel's preview stays on it), and the background player window.
#include "music/BackgroundPlayer.h"
#include "music/CdTracks.h"
#include "music/DeviceRoutines.h"
#include "music/EndPolls.h"
#include "music/EntryKind.h"
#include "music/ListTexts.h"
#include "music/PlaylistPlayer.h"

#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "support/FakeServices.h"
#include "support/RecordingWindows.h"

#include <gtest/gtest.h>

#include <QPushButton>

namespace luma::test {
namespace {

// The commands of each routine in turn, the media player's calls among them, and after "=" what
// it answered.
TEST(DeviceRoutines, EachSendsItsCommands) {
    WindowLog windows;
    ProgramHarness h;
    useRecordingWindows(h.program, windows);
    RecordingMediaControl& media = *h.fakes.media;
    media.responses = {{"open waveaudio!/m/x.wav alias sound", {275, {}}},
                       {"open sequencer!y.mid alias midi", {265, {}}},
                       {"play cd from 12 to 13", {0, "done"}},
                       {"play cd from 0 to 1", {276, {}}},
                       {"open waveaudio!chimes.wav alias sound", {275, {}}},
                       {"status cd number of tracks", {0, "2"}}};
    media.handler = [](const QString& c) -> std::optional<RecordingMediaControl::Response> {
        return RecordingMediaControl::Response{0, "00:03:0" + c.right(1)};  // track lengths
    };
    QStringList& log = h.fakes.log;
    const auto answer = [&log](bool result) { log.append(result ? "= true" : "= false"); };
    answer(playWaveFile(h.program, "/m/a b.wav"));
    answer(playWaveFile(h.program, "/m/x.wav"));
    answer(playMidiFile(h.program, "C:\\m\\x.mid"));
    answer(playMidiFile(h.program, "y.mid"));
    answer(playCdTrack(h.program, "CD Track [12 ] 00:04:01 CD"));
    log.append(h.program.cdReply.section(QChar(0), 0, 0));
    answer(playCdTrack(h.program, "7 no bracket"));
    answer(playCdTrack(h.program, "CD Track [xx ] CD"));
    h.program.currentCdDrive = QStringLiteral("E:\\");
    openCdDrive(h.program);
    playChime(h.program);  // while music holds "sound", the play replays that
    closeWave(media);
    rewindCd(media);
    playMp3File(h.program, " /m/s.mp3 ");
    EXPECT_TRUE(windows.has(QStringLiteral("player load"))) << "the media player's window";
    stopAllDevices(h.program);
    const CdTrackListing listing = listCdTracks(media);
    log.append("= " + listing.tracks.join(", "));
    answer(listing.opened);
    EXPECT_EQ(log.join(u'|'),
              "open waveaudio!/m/a b.wav alias sound|play sound|= true|"
              "open waveaudio!/m/x.wav alias sound|= false|"
              "open sequencer!C:\\m\\x.mid alias midi|play midi|= true|"
              "open sequencer!y.mid alias midi|= false|"
              "stop cd wait|seek cd to 1 wait|play cd from 12 to 13|= true|done|"
              "stop cd wait|seek cd to 1 wait|play cd from 7 to 8|= true|"
              "stop cd wait|seek cd to 1 wait|play cd from 0 to 1|= false|"
              "open  E:\\ type cdaudio alias cd wait shareable|set cd time format tmsf|"
              "open waveaudio!chimes.wav alias sound|play sound|"
              "stop sound|close sound|"
              "stop cd wait|seek cd to 1 wait|"
              "mp3 play  /m/s.mp3 |"
              "stop sound|close sound|stop cd|stop midi|close midi|mp3 stop|"
              "stop cd|close cd|open cdaudio alias cd|status cd number of tracks|"
              "set cd time format hms|status cd length track 1|status cd length track 2|close cd|"
              "= CD Track [ 1 ] 00:03:01 CD, CD Track [ 2 ] 00:03:02 CD|= true");
}

// The last three characters, trailing blanks removed, all lower or all upper case (the other
// spellings play in the tables below).
TEST(EntryKind, TheEndOfTheTextNamesTheKind) {
    const std::pair<const char*, EntryKind> cases[] = {
        {"a.WAV", EntryKind::Wave},   {"a.mid", EntryKind::Midi}, {"a.MP3  ", EntryKind::Mp3},
        {"x cd", EntryKind::CdTrack}, {"a.Wav", EntryKind::None}, {"xCD", EntryKind::None}};
    for (const auto& [entry, kind] : cases) {
        EXPECT_EQ(entryKind(QString::fromLatin1(entry)), kind) << entry;
    }
}

PlaylistPlayer::Options passingOver(bool passOver) {
    PlaylistPlayer::Options o;
    o.passOverUnplayable = o.pollsLetEventsRun = passOver;
    return o;
}

struct PlayerRig {
    explicit PlayerRig(QStringList playlist, PlaylistPlayer::Options options)
        : entries(std::move(playlist)),
          player(
              PlayerDevices{*fakes.media, [this]() -> Mp3Player& { return *fakes.mp3; },
                            *fakes.random, *fakes.timers, cdReply, selection},
              std::move(options), [this] { return entries; }, position, randomOrder) {}
    // "command=reply" (result 0) or "command:result", separated by ';'.
    void replies(const QString& table) {
        for (const QString& item : table.split(u';', Qt::SkipEmptyParts)) {
            const qsizetype at = item.indexOf(u'=');
            fakes.media->responses[at > 0 ? item.left(at) : item.section(u':', 0, 0)] =
                at > 0 ? RecordingMediaControl::Response{0, item.mid(at + 1)}
                       : RecordingMediaControl::Response{item.section(u':', 1).toInt(), {}};
        }
    }
    // What a tick of the pollers sends.
    QString tick() {
        fakes.log.clear();
        fakes.timers->advance(1000);
        return fakes.log.join(u'|');
    }

    FakePlatform fakes;
    PlatformServices services = fakes.make();  // owns the fakes
    QStringList entries;
    QString cdReply = QString(255, u' ');
    QString selection;
    std::int32_t position = 0;
    std::int16_t randomOrder = 0;
    PlaylistPlayer player;
};

// Each kind plays until its poller sees its end (the MP3 player's position standing still); the
// same with either option set.
TEST(PlaylistPlayer, EachKindEndsByItsOwnRuleAndTheNextStarts) {
    const struct {
        const char *entry, *playing, *ended;  // the devices' replies; %1 is the second
        const char* endTick;                  // what the poller sends when it sees the end
    } cases[] = {
        {"/m/a.wav", "status sound length=5000;status sound position=%1000",
         "status sound position=5000",
         "status sound length|status sound position|stop sound|close sound"},
        {"/m/b.MID", "status midi mode=playing", "status midi mode=stopped", "status midi mode"},
        {"/m/c.mp3", "", "", "mp3 stop"},
        {"CD Track [ 2 ] 00:00:09 CD",
         "status cd media present=true;status cd position=02:00:0%1:10",
         "status cd position=03:00:00:01",
         "status cd media present|status cd position|stop cd wait|seek cd to 1 wait"}};
    for (const bool passOver : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.entry << (passOver ? ", passing over" : ""));
            PlayerRig r({c.entry, "next.mp3"}, passingOver(passOver));
            r.replies(QString::fromLatin1(c.playing).arg(0));
            ASSERT_TRUE(r.player.playNext());
            for (int second = 1; second <= 3; ++second) {
                r.replies(QString::fromLatin1(c.playing).arg(second));
                r.fakes.mp3->setPosition(second);
                r.tick();
                EXPECT_EQ(r.selection, c.entry) << "still playing";
            }
            r.replies(QString::fromLatin1(c.ended));
            // Then every device stops, and the next entry starts.
            EXPECT_EQ(r.tick().section("|stop sound|close sound|stop cd|", 0, 0), c.endTick);
            EXPECT_EQ(r.fakes.log.last(), "mp3 play next.mp3");
        }
    }
}

// An entry that cannot play is passed over at the next tick by the background player; the preview
// stays on it, silent (an MP3 that never starts stands still, which ends it for both).
TEST(PlaylistPlayer, AnEntryThatCannotPlayIsPassedOverOrKept) {
    const struct {
        const char *entry, *devices;
        bool kept;  // by the preview
    } cases[] = {
        {"Empty", "", true},
        {"/m/gone.wav", "open waveaudio!/m/gone.wav alias sound:275;status sound length:263", true},
        {"/m/silent.wav", "status sound length=0", true},
        {"/m/gone.mid", "open sequencer!/m/gone.mid alias midi:275;status midi mode:263", true},
        {"x [ 3 ] CD", "play cd from 3 to 4:276;status cd media present=false", true},
        {"/m/never starts.mp3", "", false}};
    for (const bool passOver : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.entry << (passOver ? ", passing over" : ""));
            PlayerRig r({c.entry, "/m/ok.mp3"}, passingOver(passOver));
            r.replies(QString::fromLatin1(c.devices));
            ASSERT_TRUE(r.player.playNext());
            r.tick();
            EXPECT_EQ(r.selection, c.kept && !passOver ? c.entry : "/m/ok.mp3");
        }
    }
}

// Once every entry failed in turn the player stops, says so once, and stays silent; a later start,
// its failures forgotten, may say it again.
TEST(PlaylistPlayer, WhenNothingCanPlayTheBackgroundPlayerStopsAndSaysSo) {
    PlayerRig r({"Empty", "/m/gone.wav", "/m/x.Wav"}, passingOver(true));
    r.replies("status sound length:263");
    testing::internal::CaptureStderr();
    for (int start = 0; start < 3; ++start) {
        if (start == 2) {
            r.player.resetFailures();
        }
        r.player.playNext();
        r.fakes.timers->advance(5000);
        EXPECT_EQ(r.tick(), QString()) << "no busy loop";
    }
    EXPECT_EQ(QString::fromStdString(testing::internal::GetCapturedStderr()),
              QString("lumafolio: no entry of the playlist can be played; the music stops\n")
                  .repeated(2));
}

TEST(PlaylistPlayer, OrderWrapsAndRandomDrawsEveryPositionAfterAReseed) {
    PlayerRig r({"a.mp3", "b.mp3", "c.mp3"}, {});
    r.position = 1;
    r.fakes.random->values = {0.0, 0.5, 0.99, 0.999999};
    std::vector<int> positions;
    for (const std::int16_t random : {0, 0, 0, 1, 1, 1, 1}) {
        r.randomOrder = random;
        r.player.playNext();
        positions.push_back(r.position);
    }
    EXPECT_EQ(positions, (std::vector<int>{2, 3, 1, 1, 2, 3, 3}));
    EXPECT_EQ(r.fakes.random->reseeds, 4);
}

// With events running before a start, an owner that went away meanwhile stops the player there.
TEST(PlaylistPlayer, AnOwnerGoneWhileEventsRanStartsNothing) {
    bool wanted = false;
    QStringList chosen;
    PlaylistPlayer::Options o;
    o.eventsRunBeforeStart = true;
    o.stillWanted = [&wanted] { return wanted; };
    o.chosen = [&chosen](const QString& entry) { chosen.append(entry); };
    PlayerRig r({"/m/a.wav"}, o);
    EXPECT_FALSE(r.player.playNext());
    wanted = true;
    EXPECT_TRUE(r.player.play(QStringLiteral("/m/b.wav")));
    EXPECT_EQ(r.fakes.log.last(), u"play sound");
    EXPECT_EQ(chosen, (QStringList{"/m/a.wav", "/m/b.wav"}));
}

// A start lists the disc, finds the drives, appends the stored playlist to the one the window
// holds and plays on after the entry the program played last.
TEST(BackgroundPlayer, StartMusicPlaysTheStoredListOnFromTheLastPosition) {
    ProgramHarness h;
    h.program.setPlayerFactory([](Program& p) { return std::make_unique<BackgroundPlayer>(p); });
    auto* player = static_cast<BackgroundPlayer*>(h.program.player());
    StoredList(*h.fakes.store, keys::kMusic).rewrite({"/m/a.mp3", "/m/b.mp3", "0"});
    h.fakes.media->responses["status cd number of tracks"] = {0, "1"};
    h.fakes.media->responses["status cd length track 1"] = {0, "00:01:02"};
    player->startMusic();
    EXPECT_TRUE(h.fakes.log.isEmpty()) << "no background sound, no music";
    h.program.settings.bsound = 1;
    player->loadCdTracks();
    EXPECT_EQ(h.fakes.log.filter("open  ").size(), 0) << "no drive, none opened";

    h.fakes.drives->drives = {"d:\\", "e:", "/dev/sr1", "/a/disc.cue"};
    h.program.playPosition = 1;
    player->startMusic();
    EXPECT_EQ(h.program.currentSelection, u"/m/b.mp3");
    EXPECT_TRUE(h.fakes.mp3->playing() && player->music().mp3EndPoll.isEnabled());
    EXPECT_EQ(listTexts(player->trackListBox), QStringList{"CD Track [ 1 ] 00:01:02 CD"});
    QStringList captions;  // drive letters upper-cased, device paths and images as they are
    for (const QPushButton* button : player->driveButtons) {
        captions.append(button->text());
    }
    EXPECT_EQ(captions, (QStringList{"D:\\", "E:", "/dev/sr1", "/a/disc.cue"}));
    EXPECT_EQ(h.program.currentCdDrive, u"D:\\");
    EXPECT_TRUE(h.fakes.log.contains("open  D:\\ type cdaudio alias cd wait shareable"));

    h.program.currentCdDrive = QStringLiteral("/dev/sr1");  // still there: it stays in use
    player->startMusic();
    EXPECT_EQ(listTexts(player->playlistBox),
              (QStringList{"/m/a.mp3", "/m/b.mp3", "Empty", "/m/a.mp3", "/m/b.mp3", "Empty"}));
    EXPECT_EQ(player->driveButtons.size(), 4u);
    EXPECT_EQ(h.program.currentCdDrive, u"/dev/sr1");
    player->stopAllMusic();
    EXPECT_FALSE(h.fakes.mp3->playing() || player->music().skipTimer.isEnabled());
    player->startMusic();
    h.program.unloadPlayer();
    EXPECT_FALSE(h.fakes.mp3->playing() || player->music().mp3EndPoll.isEnabled());
}

}  // namespace
}  // namespace luma::test
