#include "ScopedVariable.h"
#include "TestMedia.h"
#include "TestSources.h"
#include "platform/audio/MidiSource.h"
#include "platform/audio/SynthPool.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <vector>

namespace luma::audio {
namespace {

struct MidiSourceTest : ::testing::Test {
    void SetUp() override {
        if (!QFile::exists(SynthPool::defaultSoundfont())) {
            GTEST_SKIP() << "no General MIDI soundfont installed";
        }
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    std::shared_ptr<SynthPool> pool = SynthPool::create();
};

TEST_F(MidiSourceTest, PlaysItsNotesAndEndsWithItsLastEvent) {
    ASSERT_TRUE(test::writeSimpleMidi(path(QStringLiteral("two.mid")), 2));
    auto source = MidiSource::open(pool, path(QStringLiteral("two.mid")));
    ASSERT_TRUE(source);
    EXPECT_EQ(source->lengthMs(), 1000);
    EXPECT_EQ(source->positionMs(), 0);
    EXPECT_FALSE(source->ended());

    std::vector<float> half(22050 * kChannels);
    ASSERT_EQ(source->render(half.data(), 22050), 22050u);
    EXPECT_EQ(source->positionMs(), 500);
    EXPECT_FALSE(source->ended());
    EXPECT_GT(test::energy(half), 1e-4) << "the piano sounds";

    EXPECT_EQ(test::renderToEnd(*source).size(), 2u * 22050);
    EXPECT_TRUE(source->ended());
    EXPECT_EQ(source->positionMs(), 1000);
}

TEST_F(MidiSourceTest, ASeekStartsLaterInTheSequence) {
    ASSERT_TRUE(test::writeSimpleMidi(path(QStringLiteral("four.mid")), 4));
    auto source = MidiSource::open(pool, path(QStringLiteral("four.mid")));
    ASSERT_TRUE(source);
    ASSERT_TRUE(source->seekMs(1500));
    EXPECT_EQ(source->positionMs(), 1500);
    const std::vector<float> sound = test::renderToEnd(*source);
    EXPECT_EQ(sound.size(), 2u * 22050);
    EXPECT_GT(test::energy(sound), 1e-4);
    EXPECT_EQ(source->positionMs(), 2000);

    source->setEndMs(700);
    ASSERT_TRUE(source->seekMs(200));
    EXPECT_EQ(test::renderToEnd(*source).size(), 2u * 22050);
    EXPECT_EQ(source->positionMs(), 700);
}

TEST_F(MidiSourceTest, WhatCannotBePlayedIsRefusedWithTheReason) {
    QFile text(path(QStringLiteral("text.mid")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("MThd but nothing after it");
    text.close();
    ASSERT_TRUE(test::writeSimpleMidi(path(QStringLiteral("good.mid")), 1));

    struct Case {
        QString path;
        std::shared_ptr<SynthPool> pool;
        SourceError error;
    };
    const Case cases[] = {
        {path(QStringLiteral("missing.mid")), pool, SourceError::NotFound},
        {path(QStringLiteral("text.mid")), pool, SourceError::Undecodable},
        {path(QStringLiteral("good.mid")), SynthPool::create(path(QStringLiteral("none.sf2"))),
         SourceError::NoInstruments},
        {path(QStringLiteral("good.mid")), SynthPool::create(path(QStringLiteral("text.mid"))),
         SourceError::NoInstruments},
    };
    for (const Case& c : cases) {
        SourceError error = SourceError::None;
        EXPECT_EQ(MidiSource::open(c.pool, c.path, &error), nullptr) << c.path.toStdString();
        EXPECT_EQ(error, c.error) << c.path.toStdString();
    }
}

TEST_F(MidiSourceTest, TheSoundfontIsLoadedOncePerPool) {
    auto first = pool->acquire();
    ASSERT_TRUE(first);
    fluid_synth_t* synth = first->synth();
    first.reset();
    auto again = pool->acquire();
    EXPECT_EQ(again->synth(), synth) << "the synthesizer came back to the pool";
    auto second = pool->acquire();
    ASSERT_TRUE(second);
    EXPECT_NE(second->synth(), again->synth()) << "two at once get two synthesizers";
}

TEST(SynthPool, TheEnvironmentChoosesTheSoundfont) {
    test::ScopedVariable font("LUMAFOLIO_SOUNDFONT", "/elsewhere/font.sf2");
    EXPECT_EQ(SynthPool::defaultSoundfont(), QStringLiteral("/elsewhere/font.sf2"));
    font.unset();
    EXPECT_EQ(SynthPool::defaultSoundfont(),
              QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"));
}

}  // namespace
}  // namespace luma::audio
