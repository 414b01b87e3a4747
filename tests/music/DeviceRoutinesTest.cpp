#include "music/BackgroundPlayer.h"
#include "music/DeviceRoutines.h"

#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace luma::test {
namespace {

struct Routines : testing::Test {
    ProgramHarness h;
    void SetUp() override {
        h.program.setPlayerFactory(
            [](Program& p) { return std::make_unique<BackgroundPlayer>(p); });
    }
    RecordingMediaControl& media() { return *h.fakes.media; }
};

TEST_F(Routines, StopAllMusicSendsItsFiveCommandsThenStopsTheMediaPlayer) {
    stopAllDevices(h.program);
    EXPECT_EQ(h.fakes.log, (QStringList{"stop sound", "close sound", "stop cd", "stop midi",
                                        "close midi", "mp3 stop"}));
    for (const auto& call : media().calls) {
        EXPECT_EQ(call.replyLength, 128);
    }
    EXPECT_FALSE(media().commands().contains(QStringLiteral("close cd"))) << "the CD stays open";
}

TEST_F(Routines, WaveAndMidiPlayOnlyWhenTheOpenSucceeded) {
    media().responses[QStringLiteral("open waveaudio!/no/such.wav alias sound")] = {275, {}};
    EXPECT_FALSE(playWaveFile(h.program, QStringLiteral("/no/such.wav")));
    EXPECT_EQ(media().commands(), QStringList{"open waveaudio!/no/such.wav alias sound"});

    media().calls.clear();
    EXPECT_TRUE(playWaveFile(h.program, QStringLiteral("/music/My Songs/a b.wav")));
    EXPECT_EQ(media().commands(),
              (QStringList{"open waveaudio!/music/My Songs/a b.wav alias sound", "play sound"}));

    media().calls.clear();
    EXPECT_TRUE(playMidiFile(h.program, QStringLiteral("C:\\midi\\x.mid")));
    EXPECT_EQ(media().commands(),
              (QStringList{"open sequencer!C:\\midi\\x.mid alias midi", "play midi"}));
    media().defaultResult = 265;
    media().calls.clear();
    EXPECT_FALSE(playMidiFile(h.program, QStringLiteral("y.mid")));
    EXPECT_EQ(media().commands().size(), 1);
}

TEST_F(Routines, Mp3GoesToTheMediaPlayerUnchanged) {
    playMp3File(h.program, QStringLiteral("  /music/song.mp3 "));
    EXPECT_EQ(h.fakes.mp3->fileName(), u"  /music/song.mp3 ");
    EXPECT_TRUE(h.fakes.mp3->playing());
    EXPECT_TRUE(media().calls.empty());
    EXPECT_NE(h.program.playerIfLoaded(), nullptr) << "the media player's window is loaded";
}

TEST_F(Routines, CdTrackCommands) {
    const struct {
        const char* item;
        const char* play;
    } cases[] = {
        {"CD Track [ 7 ] 00:03:25 CD", "play cd from 7 to 8"},
        {"CD Track [12 ] 00:04:01 CD", "play cd from 12 to 13"},
        {"CD Track [99 ] 00:01:00 CD", "play cd from 99 to 100"},
        {"12 no bracket", "play cd from 12 to 13"},
        {"CD Track [xx ] CD", "play cd from 0 to 1"},
        {"", "play cd from 0 to 1"},
    };
    for (const auto& c : cases) {
        media().calls.clear();
        playCdTrack(h.program, QString::fromLatin1(c.item));
        ASSERT_EQ(media().calls.size(), 3u);
        EXPECT_EQ(media().calls[0].command, u"stop cd wait");
        EXPECT_EQ(media().calls[0].replyLength, 0);
        EXPECT_EQ(media().calls[1].command, u"seek cd to 1 wait");
        EXPECT_EQ(media().calls[2].command, QString::fromLatin1(c.play)) << c.item;
        EXPECT_EQ(media().calls[2].replyLength, 255);
    }
}

TEST_F(Routines, CdPlayReplyLandsInCdReply) {
    media().responses[QStringLiteral("play cd from 1 to 2")] = {0, QStringLiteral("done")};
    playCdTrack(h.program, QStringLiteral("CD Track [ 1 ] 00:01:00 CD"));
    EXPECT_EQ(h.program.cdReply.size(), 255);
    EXPECT_TRUE(h.program.cdReply.startsWith(QStringLiteral("done") + QChar(u'\0')));
}

TEST_F(Routines, OpenCdDriveUsesTwoBlanksAfterOpen) {
    h.program.currentCdDrive = QStringLiteral("E:\\");
    openCdDrive(h.program);
    EXPECT_EQ(media().commands(), (QStringList{"open  E:\\ type cdaudio alias cd wait shareable",
                                               "set cd time format tmsf"}));
    for (const auto& call : media().calls) {
        EXPECT_EQ(call.replyLength, 0);
    }
}

TEST_F(Routines, ChimePlaysEvenWhenItsOpenFails) {
    media().defaultResult = 265;
    playChime(h.program);
    EXPECT_EQ(media().commands(),
              (QStringList{"open waveaudio!chimes.wav alias sound", "play sound"}));
    EXPECT_FALSE(h.fakes.log.contains(QStringLiteral("mp3 stop"))) << "the chime stops nothing";
}

}  // namespace
}  // namespace luma::test
