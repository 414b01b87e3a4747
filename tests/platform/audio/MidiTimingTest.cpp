#include "TestMedia.h"
#include "platform/audio/MidiTiming.h"

#include <gtest/gtest.h>

#include <random>

namespace luma::audio {
namespace {

using test::MidiFileBuilder;

TEST(MidiTiming, LengthFollowsTheTempoMap) {
    struct Case {
        const char* name;
        QByteArray smf;
        std::int64_t ms;
    };
    const Case cases[] = {
        {"four quarters at the default 120 bpm",
         MidiFileBuilder()
             .note(0, 60, 480)
             .note(0, 62, 480)
             .note(0, 64, 480)
             .note(0, 65, 480)
             .bytes(),
         2000},
        {"60 bpm", MidiFileBuilder().tempo(1000000).note(0, 60, 960).bytes(), 2000},
        {"tempo doubles after one beat",
         MidiFileBuilder().tempo(500000).note(0, 60, 480).tempo(250000).note(0, 62, 480).bytes(),
         750},
        {"96 ticks a quarter", MidiFileBuilder(96).note(0, 60, 192).bytes(), 1000},
        {"only a rest", MidiFileBuilder().note(0, 60, 0, 480).bytes(), 500},
    };
    for (const Case& c : cases) {
        const auto timing = MidiTiming::parse(c.smf);
        ASSERT_TRUE(timing) << c.name;
        EXPECT_EQ(timing->lengthMs(), c.ms) << c.name;
    }
}

TEST(MidiTiming, TicksAndMillisecondsConvertBothWays) {
    const auto timing = MidiTiming::parse(
        MidiFileBuilder().tempo(500000).note(0, 60, 480).tempo(250000).note(0, 62, 960).bytes());
    ASSERT_TRUE(timing);
    EXPECT_EQ(timing->msAt(480), 500);
    EXPECT_EQ(timing->msAt(960), 750);
    EXPECT_EQ(timing->tickAt(500), 480);
    EXPECT_EQ(timing->tickAt(750), 960);
    EXPECT_EQ(timing->tickAt(250), 240);
    EXPECT_EQ(timing->lengthMs(), 1000);
}

TEST(MidiTiming, TimeCodeDivision) {
    // 25 frames a second, 40 ticks a frame: a tick is a millisecond.
    QByteArray smf = MidiFileBuilder().note(0, 60, 1500).bytes();
    smf[12] = static_cast<char>(-25);
    smf[13] = 40;
    const auto timing = MidiTiming::parse(smf);
    ASSERT_TRUE(timing);
    EXPECT_EQ(timing->lengthMs(), 1500);
}

TEST(MidiTiming, RunningStatusIsFollowed) {
    // Note on, then two more note events without a status byte.
    QByteArray track("\x00\x90\x3C\x64\x83\x60\x3C\x00\x00\x3E\x64\x83\x60\x3E\x00\x00\xFF\x2F\x00",
                     19);
    QByteArray smf("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0MTrk\x00\x00\x00", 21);
    smf.append(static_cast<char>(track.size()));
    smf.append(track);
    const auto timing = MidiTiming::parse(smf);
    ASSERT_TRUE(timing);
    EXPECT_EQ(timing->lengthTicks(), 960);
}

TEST(MidiTiming, WhatIsNoMidiFileIsRefused) {
    const QByteArray valid = MidiFileBuilder().note(0, 60, 480).bytes();
    QByteArray format3 = valid;
    format3[9] = 3;
    QByteArray division0 = valid;
    division0[12] = 0;
    division0[13] = 0;
    const QByteArray noTrack("MThd\x00\x00\x00\x06\x00\x00\x00\x00\x01\xE0", 14);
    const QByteArray cases[] = {QByteArray(),  QByteArray("MThd"), QByteArray("RIFF....WAVEfmt "),
                                format3,       division0,          noTrack,
                                valid.left(13)};
    for (const QByteArray& c : cases) {
        EXPECT_FALSE(MidiTiming::parse(c)) << c.toHex().toStdString();
    }
}

// Cut-off and scrambled files never make the parser read outside its data.
TEST(MidiTiming, BrokenFilesAreSafe) {
    const QByteArray valid = MidiFileBuilder()
                                 .tempo(400000)
                                 .program(0, 5)
                                 .note(0, 60, 480)
                                 .chord(1, {60, 64, 67}, 960)
                                 .bytes();
    for (qsizetype n = 0; n <= valid.size(); ++n) {
        const auto timing = MidiTiming::parse(valid.left(n));
        if (timing) {
            EXPECT_GE(timing->lengthMs(), 0);
        }
    }
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        QByteArray broken = valid;
        const int changes = 1 + int(random() % 8);
        for (int i = 0; i < changes; ++i) {
            broken[qsizetype(random() % std::uint32_t(broken.size()))] = char(random() % 256);
        }
        const auto timing = MidiTiming::parse(broken);
        if (timing) {
            EXPECT_GE(timing->lengthMs(), 0);
            EXPECT_GE(timing->tickAt(timing->lengthMs()), 0);
        }
    }
}

}  // namespace
}  // namespace luma::audio
