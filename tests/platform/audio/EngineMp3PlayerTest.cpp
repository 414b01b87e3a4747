#include "TestMedia.h"
#include "platform/audio/EngineMp3Player.h"
#include "platform/audio/ManualOutput.h"
#include "platform/audio/MixingEngine.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace luma::audio {
namespace {

struct EngineMp3PlayerTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QString wav = dir.filePath(QStringLiteral("tone.wav"));
        ASSERT_TRUE(test::writeToneWav(wav, 0.5, 440));
        if (!test::encodeMp3(wav, mp3)) {
            GTEST_SKIP() << "lame is not installed";
        }
        auto manual = std::make_unique<ManualOutput>();
        output = manual.get();
        engine = std::make_shared<MixingEngine>(std::move(manual));
        player = std::make_unique<EngineMp3Player>(engine);
    }

    QTemporaryDir dir;
    QString mp3 = dir.filePath(QStringLiteral("tone one.mp3"));
    ManualOutput* output = nullptr;
    std::shared_ptr<MixingEngine> engine;
    std::unique_ptr<EngineMp3Player> player;
};

TEST_F(EngineMp3PlayerTest, ThePositionStopsAdvancingWhenTheFileEnds) {
    player->setFileName(mp3);
    player->play();
    EXPECT_TRUE(player->isPlaying());
    EXPECT_EQ(player->position(), 0.0);

    const std::vector<float> first = output->pull(11025);
    EXPECT_DOUBLE_EQ(player->position(), 0.25);
    EXPECT_GT(test::goertzelPower(first, 440), 0.01);

    output->pull(44100);
    const double atEnd = player->position();
    EXPECT_DOUBLE_EQ(atEnd, 0.5);
    EXPECT_FALSE(player->isPlaying());
    output->pull(44100);
    EXPECT_EQ(player->position(), atEnd);
}

TEST_F(EngineMp3PlayerTest, StopSilencesAndKeepsThePosition) {
    player->setFileName(mp3);
    player->play();
    output->pull(4410);
    player->stop();
    EXPECT_DOUBLE_EQ(player->position(), 0.1);
    EXPECT_EQ(test::energy(output->pull(4410)), 0.0);
    EXPECT_DOUBLE_EQ(player->position(), 0.1);

    player->play();  // from the start again
    EXPECT_EQ(player->position(), 0.0);
}

TEST_F(EngineMp3PlayerTest, AFileThatCannotPlayLeavesThePositionAtZero) {
    player->setFileName(mp3);
    player->play();
    output->pull(4410);
    player->setFileName(dir.filePath(QStringLiteral("missing.mp3")));
    player->play();
    EXPECT_EQ(player->position(), 0.0);
    EXPECT_FALSE(player->isPlaying());
    output->pull(4410);
    EXPECT_EQ(player->position(), 0.0);
}

TEST_F(EngineMp3PlayerTest, WithoutASoundDeviceNothingPlays) {
    output->setAvailable(false);
    player->setFileName(mp3);
    player->play();
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(player->position(), 0.0);
}

}  // namespace
}  // namespace luma::audio
