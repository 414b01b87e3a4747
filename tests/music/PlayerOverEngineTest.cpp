// The player window over the real interpreter, engine and devices, with the engine's output pulled
// by the test and the player's pollers driven by the manual clock: a second of sound, then a tick.
#include "TestMedia.h"
#include "ToneDisc.h"
#include "music/BackgroundPlayer.h"
#include "platform/audio/ManualOutput.h"
#include "platform/sound/SoundServices.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <set>

namespace luma::test {
namespace {

constexpr std::size_t kSecond = 44100;

struct RealSound {
    audio::ManualOutput* output = nullptr;
    std::shared_ptr<audio::MixingEngine> engine;
};

// A Program whose media, MP3 player and drives are the real ones.
struct PlayerOverEngine : testing::Test {
    QTemporaryDir dir;
    FakePlatform fakes;
    RealSound sound;
    std::unique_ptr<Program> program;
    BackgroundPlayer* player = nullptr;
    QString wav, mp3, mid, cue;

    void SetUp() override {
        if (!lameAvailable()) {
            GTEST_SKIP() << "lame is needed to make the MP3";
        }
        wav = dir.filePath(QStringLiteral("a tone.wav"));
        mp3 = dir.filePath(QStringLiteral("b tone.mp3"));
        mid = dir.filePath(QStringLiteral("c tune.mid"));
        ASSERT_TRUE(writeToneWav(wav, 0.6, 440));
        const QString mp3Source = dir.filePath(QStringLiteral("b.wav"));
        ASSERT_TRUE(writeToneWav(mp3Source, 0.6, 660));
        ASSERT_TRUE(encodeMp3(mp3Source, mp3));
        ASSERT_TRUE(writeSimpleMidi(mid, 1));
        cue = writeToneDisc(dir.path(), QStringLiteral("disc"),
                            {ToneTrack{880.0, 190}, ToneTrack{1320.0, 150}});
        ASSERT_FALSE(cue.isEmpty());

        PlatformServices services = fakes.make();
        auto output = std::make_unique<audio::ManualOutput>();
        sound.output = output.get();
        fakes.drives->drives = {cue};
        SoundServices real = makeSoundServices(std::move(output), *fakes.drives);
        sound.engine = real.engine;
        services.media = std::move(real.media);
        services.mp3 = std::move(real.mp3);
        program = std::make_unique<Program>(std::move(services));
        program->setPlayerFactory([](Program& p) { return std::make_unique<BackgroundPlayer>(p); });
        program->settings.bsound = 1;
        player = static_cast<BackgroundPlayer*>(program->player());
    }
    void TearDown() override {
        if (program) {
            program->endProgram();
        }
    }

    void playlist(const QStringList& entries) {
        StoredList(*fakes.store, keys::kMusic).rewrite(entries);
    }
    // One second of sound, then the pollers' tick.
    std::vector<float> second() {
        std::vector<float> samples = sound.output->pull(kSecond);
        fakes.timers->advance(1000);
        return samples;
    }
};

TEST_F(PlayerOverEngine, PlaysAWaveAnMp3AMidiFileAndACdTrackInOrderAndStartsAgain) {
    const QString track = QStringLiteral("CD Track [ 1 ] 00:00:02 CD");
    playlist({wav, mp3, mid, track});
    player->startMusic();
    QStringList order{program->currentSelection};
    std::map<QString, std::vector<float>> heard;
    for (int s = 0; s < 30 && order.size() < 5; ++s) {
        const QString playing = program->currentSelection;
        const std::vector<float> samples = second();
        auto& all = heard[playing];
        all.insert(all.end(), samples.begin(), samples.end());
        if (program->currentSelection != order.last()) {
            order.append(program->currentSelection);
        }
    }
    EXPECT_EQ(order, (QStringList{wav, mp3, mid, track, wav}));
    // Each entry sounded its own tone while it was the one playing.
    EXPECT_GT(goertzelPower(heard[wav], 440), 10 * goertzelPower(heard[wav], 660));
    EXPECT_GT(goertzelPower(heard[mp3], 660), 10 * goertzelPower(heard[mp3], 440));
    EXPECT_GT(energy(heard[mid]), 1e-5) << "the MIDI file was heard";
    EXPECT_GT(goertzelPower(heard[track], 880), 10 * goertzelPower(heard[track], 1320))
        << "track 1, not track 2";
}

TEST_F(PlayerOverEngine, RandomOrderReachesEveryEntry) {
    program->settings.randomOrder = 1;
    QStringList entries;
    for (int i = 0; i < 3; ++i) {
        const QString path = dir.filePath(QStringLiteral("r%1.wav").arg(i));
        ASSERT_TRUE(writeToneWav(path, 0.2, 300 + 100 * i));
        entries.append(path);
    }
    playlist(entries);
    player->startMusic();
    std::set<QString> reached{program->currentSelection};
    for (int s = 0; s < 60 && reached.size() < 3; ++s) {
        second();
        reached.insert(program->currentSelection);
    }
    EXPECT_EQ(reached.size(), 3u);
}

TEST_F(PlayerOverEngine, ADamagedFileInThePlaylistIsPassedOver) {
    const QString broken = dir.filePath(QStringLiteral("broken.wav"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFF this is not a wave file at all");
    file.close();
    playlist({broken, wav});
    player->startMusic();
    EXPECT_EQ(program->currentSelection, broken);
    second();
    EXPECT_EQ(program->currentSelection, wav);
    const std::vector<float> samples = second();
    EXPECT_GT(goertzelPower(samples, 440), 1e-4) << "the good file plays";
}

}  // namespace
}  // namespace luma::test
