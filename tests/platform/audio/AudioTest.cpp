#include "TestSources.h"
#include "platform/audio/EngineMp3Player.h"
#include "platform/audio/MidiTiming.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/MixingEngine.h"
#include "platform/audio/SndfileSource.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <limits>

namespace luma::audio {
namespace {

using test::ConstantSource;
using test::MidiFileBuilder;

std::vector<float> mixFrames(Mixer& mixer, std::size_t frames) {
    std::vector<float> out(frames * kChannels, 123.0f);
    mixer.mix(out.data(), frames);
    return out;
}

TEST(Mixer, SumsLimitsAndEndsItsSources) {
    EXPECT_EQ(limitSample(-1.5f), -1.0f);
    EXPECT_EQ(limitSample(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    Mixer mixer;
    int allEnded = 0;
    mixer.setAllEndedListener([&] { ++allEnded; });
    EXPECT_EQ(mixFrames(mixer, 4), std::vector<float>(8, 0.0f));
    auto first = std::make_shared<ConstantSource>(0.5f, 1500);
    const auto firstId = mixer.add(first);
    mixer.add(std::make_shared<ConstantSource>(0.25f, 3000));
    const auto endless = mixer.add(std::make_shared<ConstantSource>(0.5f));
    std::vector<float> out = mixFrames(mixer, 2048);  // two blocks of the mixer
    EXPECT_EQ(out[1499 * 2], 1.0f);
    EXPECT_EQ(out[1500 * 2 + 1], 0.75f);
    EXPECT_FALSE(mixer.isActive(firstId));
    EXPECT_EQ(mixer.takeEnded(), std::vector<std::shared_ptr<AudioSource>>{first});
    EXPECT_NE(mixer.remove(endless), nullptr);
    out = mixFrames(mixer, 2048);
    EXPECT_EQ(out[951 * 2 + 1], 0.25f);
    EXPECT_EQ(out[952 * 2], 0.0f);
    EXPECT_FALSE(mixer.anyActive());
    mixFrames(mixer, 512);
    EXPECT_EQ(allEnded, 1) << "told once, when the last source ended";
}

// The output is suspended by a check the engine queues to the event loop.
TEST(MixingEngine, TheOutputRunsWhileSomethingSounds) {
    auto* output = new ManualOutput;  // owned by the engine
    MixingEngine engine{std::unique_ptr<AudioOutput>(output)};
    auto ending = std::make_shared<ConstantSource>(0.5f, 100);
    const auto first = engine.start(ending);
    EXPECT_TRUE(engine.isSounding(first));
    output->pull(200);
    EXPECT_FALSE(engine.isSounding(first));
    QCoreApplication::processEvents();
    EXPECT_FALSE(output->running());
    EXPECT_EQ(ending.use_count(), 1) << "the ended source was let go";

    const auto second = engine.start(std::make_shared<ConstantSource>(0.5f));
    engine.stop(second);
    engine.stop(second);  // twice is harmless
    const auto third = engine.start(std::make_shared<ConstantSource>(0.25f));
    QCoreApplication::processEvents();
    EXPECT_EQ(output->resumeCount(), 2) << "a stop and a start in one turn keep the output open";
    EXPECT_EQ(output->pull(2), std::vector<float>(4, 0.25f));
    engine.stop(third);
    QCoreApplication::processEvents();
    EXPECT_FALSE(output->running());

    EXPECT_TRUE(engine.isSounding(engine.start(std::make_shared<ConstantSource>(0.5f))));
    engine.shutdown();
    EXPECT_FALSE(output->running());
    output->setAvailable(false);
    auto refused = std::make_shared<ConstantSource>(0.5f);
    EXPECT_EQ(engine.start(refused), 0);
    EXPECT_EQ(refused.use_count(), 1) << "without a sound device nothing is kept";
}

// The file's exact length in its own frames, its time at the engine rate, the tone kept, and
// mono (like every channel alike) on both channels.
TEST(SndfileSource, FilesOfAnyRateAndChannelsPlayAtTheEngineRate) {
    QTemporaryDir dir;
    const std::pair<int, int> cases[] = {{44100, 1}, {22050, 1}, {48000, 2}, {8000, 1}, {96000, 3}};
    for (const auto& [rate, channels] : cases) {
        SCOPED_TRACE(testing::Message() << rate << " Hz, " << channels << " channels");
        const QString file = dir.filePath(QStringLiteral("r%1.wav").arg(rate));
        ASSERT_TRUE(test::writeToneWav(file, 0.5, 1000, rate, channels));
        auto source = SndfileSource::open(file);
        ASSERT_TRUE(source);
        EXPECT_EQ(source->lengthMs(), 500);
        const std::vector<float> all = test::renderToEnd(*source, 777);
        EXPECT_EQ(all.size(), 2u * 22050);
        EXPECT_TRUE(source->ended());
        EXPECT_EQ(source->positionMs(), 500);
        EXPECT_GT(test::goertzelPower(all, 1000), 20 * test::goertzelPower(all, 1500));
        EXPECT_GT(test::goertzelPower(all, 1000, 1), 0.01);
    }
}

TEST(MidiTiming, TimeFollowsTheTempoMap) {
    QByteArray timeCode = MidiFileBuilder().note(0, 60, 1500).bytes();
    timeCode[12] = static_cast<char>(-25);  // 25 frames a second, 40 ticks a frame: 1 ms a tick
    timeCode[13] = 40;
    // Note on, then three more note events without a status byte.
    const QByteArray runningStatus = QByteArray::fromHex(
        "4d546864000000060000000101e04d54726b0000001300903c6483603c00003e6483603e0000ff2f00");
    const std::pair<QByteArray, std::int64_t> cases[] = {
        {MidiFileBuilder().note(0, 60, 480).note(0, 62, 480).note(0, 64, 960).bytes(), 2000},
        {MidiFileBuilder().tempo(1000000).note(0, 60, 960).bytes(), 2000},
        {MidiFileBuilder(96).note(0, 60, 192).bytes(), 1000},
        {MidiFileBuilder().note(0, 60, 0, 480).bytes(), 500},
        {timeCode, 1500},
        {runningStatus, 1000}};
    for (const auto& [smf, ms] : cases) {
        const auto timing = MidiTiming::parse(smf);
        EXPECT_EQ(timing ? timing->lengthMs() : -1, ms) << smf.toHex().toStdString();
    }
    // The tempo doubles after one beat.
    const auto timing = MidiTiming::parse(
        MidiFileBuilder().tempo(500000).note(0, 60, 480).tempo(250000).note(0, 62, 960).bytes());
    ASSERT_TRUE(timing);
    const std::int64_t ticksAndMs[][2] = {{240, 250}, {960, 750}, {1440, 1000}};
    for (const auto& [tick, ms] : ticksAndMs) {
        EXPECT_EQ(timing->msAt(tick), ms);
        EXPECT_EQ(timing->tickAt(ms), tick);
    }
}

TEST(MidiTiming, WhatIsNoMidiFileIsRefused) {
    const QByteArray valid = MidiFileBuilder().note(0, 60, 480).bytes();
    QByteArray format3 = valid;
    format3[9] = 3;
    QByteArray division0 = valid;
    division0[12] = division0[13] = 0;
    for (const QByteArray& c :
         {QByteArray("RIFF....WAVEfmt "), format3, division0, valid.left(14), valid.left(13)}) {
        EXPECT_FALSE(MidiTiming::parse(c)) << c.toHex().toStdString();
    }
}

TEST(EngineMp3Player, PlaysStopsAndLetsGo) {
    QTemporaryDir dir;
    const QString mp3 = dir.filePath(QStringLiteral("tone one.mp3"));
    ASSERT_TRUE(test::writeToneWav(dir.filePath(QStringLiteral("tone.wav")), 0.5, 440));
    if (!test::encodeMp3(dir.filePath(QStringLiteral("tone.wav")), mp3)) {
        GTEST_SKIP() << "lame is not installed";
    }
    auto* output = new ManualOutput;  // owned by the engine
    auto engine = std::make_shared<MixingEngine>(std::unique_ptr<AudioOutput>(output));
    auto player = std::make_unique<EngineMp3Player>(engine);
    player->setFileName(mp3);
    player->play();
    EXPECT_TRUE(player->isPlaying());
    EXPECT_GT(test::goertzelPower(output->pull(11025), 440), 0.01);
    EXPECT_DOUBLE_EQ(player->position(), 0.25);
    output->pull(44100);
    EXPECT_DOUBLE_EQ(player->position(), 0.5);
    EXPECT_FALSE(player->isPlaying());
    player->play();  // from the start again
    EXPECT_EQ(player->position(), 0.0);
    output->pull(4410);
    player->stop();
    EXPECT_EQ(test::energy(output->pull(4410)), 0.0);
    EXPECT_DOUBLE_EQ(player->position(), 0.1);
    player->play();
    player.reset();
    EXPECT_EQ(test::energy(output->pull(4410)), 0.0) << "a player that goes stops its music";
}

}  // namespace
}  // namespace luma::audio
