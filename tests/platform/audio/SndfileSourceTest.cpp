#include "TestMedia.h"
#include "TestSources.h"
#include "platform/audio/SndfileSource.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

namespace luma::audio {
namespace {

struct SndfileSourceTest : ::testing::Test {
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(SndfileSourceTest, MonoIsDeliveredOnBothChannels) {
    ASSERT_TRUE(test::writeToneWav(path(QStringLiteral("mono.wav")), 0.1, 440));
    auto source = SndfileSource::open(path(QStringLiteral("mono.wav")));
    ASSERT_TRUE(source);
    const std::vector<float> all = test::renderToEnd(*source);
    ASSERT_EQ(all.size(), 4410u * 2);
    for (std::size_t i = 0; i < all.size(); i += 2) {
        ASSERT_EQ(all[i], all[i + 1]);
    }
    EXPECT_GT(test::energy(all), 0.1);
}

// Files at other rates and channel counts: exact length in their own frames, about the right
// number of engine frames, the tone kept.
TEST_F(SndfileSourceTest, OtherRatesAreConvertedToTheEngineRate) {
    struct Case {
        int rate;
        int channels;
    };
    const Case cases[] = {{22050, 1}, {48000, 2}, {8000, 1}, {96000, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " channels");
        const QString file = path(QStringLiteral("r%1.wav").arg(c.rate));
        ASSERT_TRUE(test::writeToneWav(file, 0.5, 1000, c.rate, c.channels));
        auto source = SndfileSource::open(file);
        ASSERT_TRUE(source);
        EXPECT_EQ(source->lengthMs(), 500);
        const std::vector<float> all = test::renderToEnd(*source, 777);
        EXPECT_EQ(all.size() / 2, 22050u) << "exactly the file's time at the engine rate";
        EXPECT_TRUE(source->ended());
        EXPECT_EQ(source->positionMs(), 500);
        EXPECT_GT(test::goertzelPower(all, 1000), 20 * test::goertzelPower(all, 1500));
    }
}

TEST_F(SndfileSourceTest, SeekAndEndBoundWhatIsDelivered) {
    ASSERT_TRUE(test::writeToneWav(path(QStringLiteral("a.wav")), 0.5, 440));
    auto source = SndfileSource::open(path(QStringLiteral("a.wav")));
    ASSERT_TRUE(source);
    source->setEndMs(300);
    ASSERT_TRUE(source->seekMs(250));
    EXPECT_EQ(source->positionMs(), 250);
    EXPECT_FALSE(source->ended());
    EXPECT_EQ(test::renderToEnd(*source).size(), 2205u * 2);  // 50 ms
    EXPECT_EQ(source->positionMs(), 300);

    source->setEndMs(100000);  // past the end means the end
    ASSERT_TRUE(source->seekMs(499));
    EXPECT_EQ(source->positionMs(), 499);
    test::renderToEnd(*source);
    EXPECT_EQ(source->positionMs(), 500);

    ASSERT_TRUE(source->seekMs(600));  // clamped to the end
    EXPECT_TRUE(source->ended());
    EXPECT_EQ(source->positionMs(), 500);
}

TEST_F(SndfileSourceTest, FilesThatCannotBePlayedAreRefusedWithTheReason) {
    QFile text(path(QStringLiteral("text.wav")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("this is not a sound file at all");
    text.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.wav")));

    struct Case {
        QString path;
        SourceError error;
    };
    const Case cases[] = {
        {path(QStringLiteral("missing.wav")), SourceError::NotFound},
        {QString(), SourceError::NotFound},
        {path(QStringLiteral("folder.wav")), SourceError::Unreadable},
        {path(QStringLiteral("text.wav")), SourceError::Undecodable},
    };
    for (const Case& c : cases) {
        SourceError error = SourceError::None;
        EXPECT_EQ(SndfileSource::open(c.path, &error), nullptr) << c.path.toStdString();
        EXPECT_EQ(error, c.error) << c.path.toStdString();
    }
}

TEST_F(SndfileSourceTest, ACutOffFileEndsAtItsEnd) {
    const QString wav = path(QStringLiteral("long.wav"));
    const QString mp3 = path(QStringLiteral("long.mp3"));
    ASSERT_TRUE(test::writeToneWav(wav, 2.0, 440));
    if (!test::encodeMp3(wav, mp3)) {
        GTEST_SKIP() << "lame is not installed";
    }
    QFile file(mp3);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() / 3));
    file.close();

    auto source = SndfileSource::open(mp3);
    ASSERT_TRUE(source);
    const std::vector<float> all = test::renderToEnd(*source);
    EXPECT_LT(all.size() / 2, std::size_t(source->lengthFrames()));
    EXPECT_TRUE(source->ended());
    EXPECT_EQ(source->positionMs(), source->lengthMs()) << "whoever waits for the end sees it";
}

}  // namespace
}  // namespace luma::audio
