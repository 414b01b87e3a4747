#include "SoundRig.h"
#include "TestMedia.h"
#include "platform/audio/EngineMp3Player.h"
#include "platform/audio/SynthPool.h"
#include "platform/mci/MciErrors.h"
#include "platform/mci/SequencerDevice.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace luma::mci {
namespace {

using test::SoundRig;

struct WaveDeviceTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(QDir(dir.path()).mkdir(u"My Music"_qs));
        ASSERT_TRUE(test::writeToneWav(wav, 0.5, 440));
        ASSERT_EQ(rig.send(u"open waveaudio!"_qs + wav + u" alias sound"_qs),
                  std::pair(0, u"1"_qs));
    }
    QTemporaryDir dir;
    QString wav = dir.filePath(u"My Music/half second.wav"_qs);
    SoundRig rig;
};

TEST_F(WaveDeviceTest, LengthAndAPositionThatReachesItWithTheLastFrame) {
    EXPECT_EQ(rig.reply(u"status sound length"_qs), u"500"_qs);
    EXPECT_EQ(rig.reply(u"status sound position"_qs), u"0"_qs);
    EXPECT_EQ(rig.reply(u"status sound mode"_qs), u"stopped"_qs);
    ASSERT_EQ(rig.send(u"play sound"_qs).first, kOk);
    EXPECT_EQ(rig.reply(u"status sound mode"_qs), u"playing"_qs);

    const std::vector<float> sound = rig.output().pull(22049);
    EXPECT_GT(test::goertzelPower(sound, 440), 0.01);
    EXPECT_EQ(rig.reply(u"status sound position"_qs), u"499"_qs);
    EXPECT_EQ(rig.reply(u"status sound mode"_qs), u"playing"_qs);

    rig.output().pull(1);
    EXPECT_EQ(rig.reply(u"status sound position"_qs), u"500"_qs);
    EXPECT_EQ(rig.reply(u"status sound mode"_qs), u"stopped"_qs);
    rig.output().pull(1000);
    EXPECT_EQ(rig.reply(u"status sound position"_qs), u"500"_qs);
}

TEST_F(WaveDeviceTest, StopKeepsThePositionAndPlayGoesOnFromIt) {
    ASSERT_EQ(rig.send(u"play sound"_qs).first, kOk);
    rig.output().pull(4410);
    EXPECT_EQ(rig.send(u"stop sound"_qs).first, kOk);
    EXPECT_EQ(rig.reply(u"status sound position"_qs), u"100"_qs);
    EXPECT_EQ(rig.reply(u"status sound mode"_qs), u"stopped"_qs);
    EXPECT_EQ(test::energy(rig.output().pull(4410)), 0.0);

    ASSERT_EQ(rig.send(u"play sound"_qs).first, kOk);
    rig.output().pull(4410);
    EXPECT_EQ(rig.reply(u"status sound position"_qs), u"200"_qs);
}

// The chime's device stays open between slides: a play after the end rings it again, and a play
// while it sounds does not interrupt it.
TEST_F(WaveDeviceTest, PlayAtTheEndStartsAgainAndPlayWhilePlayingGoesOn) {
    ASSERT_EQ(rig.send(u"play sound"_qs).first, kOk);
    rig.output().pull(2205);
    ASSERT_EQ(rig.send(u"play sound"_qs).first, kOk);
    rig.output().pull(2205);
    EXPECT_EQ(rig.reply(u"status sound position"_qs), u"100"_qs);

    rig.output().pull(22050);
    ASSERT_EQ(rig.reply(u"status sound position"_qs), u"500"_qs);
    EXPECT_EQ(rig.send(u"open waveaudio!"_qs + wav + u" alias sound"_qs).first, kDuplicateAlias);
    ASSERT_EQ(rig.send(u"play sound"_qs).first, kOk);
    EXPECT_EQ(rig.reply(u"status sound position"_qs), u"0"_qs);
    EXPECT_GT(test::goertzelPower(rig.output().pull(4410), 440), 0.01);
}

TEST_F(WaveDeviceTest, FromToAndSeek) {
    ASSERT_EQ(rig.send(u"play sound from 100 to 200"_qs).first, kOk);
    rig.output().pull(4409);
    EXPECT_EQ(rig.reply(u"status sound mode"_qs), u"playing"_qs);
    rig.output().pull(1);
    EXPECT_EQ(rig.reply(u"status sound position"_qs), u"200"_qs);
    EXPECT_EQ(rig.reply(u"status sound mode"_qs), u"stopped"_qs);

    struct Case {
        QString command;
        int result;
        QString position;
    };
    const Case cases[] = {
        {u"seek sound to 250"_qs, kOk, u"250"_qs},
        {u"seek sound to end"_qs, kOk, u"500"_qs},
        {u"seek sound to start"_qs, kOk, u"0"_qs},
        {u"seek sound to 501"_qs, kOutOfRange, u"0"_qs},
        {u"seek sound to soon"_qs, kBadInteger, u"0"_qs},
        {u"play sound from 300 to 200"_qs, kOutOfRange, u"0"_qs},
        {u"play sound from -5"_qs, kOutOfRange, u"0"_qs},
        {u"play sound to 900"_qs, kOutOfRange, u"0"_qs},
        {u"play sound from 300 to 300"_qs, kOk, u"300"_qs},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rig.send(c.command).first, c.result) << c.command.toStdString();
        EXPECT_EQ(rig.reply(u"status sound position"_qs), c.position) << c.command.toStdString();
    }
}

TEST_F(WaveDeviceTest, StatusItemsAndTimeFormat) {
    struct Case {
        QString command;
        int result;
        QString reply;
    };
    const Case cases[] = {
        {u"set sound time format ms"_qs, kOk, QString()},
        {u"set sound time format milliseconds"_qs, kOk, QString()},
        {u"set sound time format tmsf"_qs, kBadTimeFormat, QString()},
        {u"status sound time format"_qs, kOk, u"milliseconds"_qs},
        {u"status sound ready"_qs, kOk, u"true"_qs},
        {u"status sound media present"_qs, kOk, u"true"_qs},
        {u"status sound number of tracks"_qs, kOk, u"1"_qs},
        {u"status sound length track 1"_qs, kOk, u"500"_qs},
        {u"status sound length track 2"_qs, kOutOfRange, QString()},
        {u"status sound loudness"_qs, kUnrecognizedKeyword, QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rig.send(c.command), std::pair(c.result, c.reply)) << c.command.toStdString();
    }
}

TEST_F(WaveDeviceTest, ClosingSilencesTheDevice) {
    ASSERT_EQ(rig.send(u"play sound"_qs).first, kOk);
    rig.output().pull(100);
    ASSERT_EQ(rig.send(u"close sound"_qs).first, kOk);
    EXPECT_EQ(test::energy(rig.output().pull(1000)), 0.0);
    EXPECT_EQ(rig.send(u"status sound position"_qs).first, kInvalidDeviceName);
}

TEST_F(WaveDeviceTest, CloseAllShutsTheOutput) {
    ASSERT_EQ(rig.send(u"play sound"_qs).first, kOk);
    EXPECT_TRUE(rig.output().running());
    rig.mci.closeAll();
    EXPECT_FALSE(rig.output().running());
    EXPECT_FALSE(rig.mci.isOpen(u"sound"_qs));
}

TEST_F(WaveDeviceTest, FilesThatCannotBeOpened) {
    QFile text(dir.filePath(u"text.wav"_qs));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("no sound in here");
    text.close();
    EXPECT_EQ(rig.send(u"open waveaudio!"_qs + dir.filePath(u"none.wav"_qs) + u" alias w"_qs),
              std::pair(int(kFileNotFound), QString()));
    EXPECT_EQ(rig.send(u"open waveaudio!"_qs + text.fileName() + u" alias w"_qs).first,
              kInvalidFile);
    EXPECT_EQ(rig.send(u"open waveaudio! alias w"_qs).first, kMissingParameter);
    EXPECT_FALSE(rig.mci.isOpen(u"w"_qs));
}

// The music routines send paths unquoted and unchanged; whatever words, blanks or signs a file's
// name holds, the command opens that file and plays it to its end.
TEST(WaveDevicePaths, AnyFileNameOpensAndPlays) {
    QTemporaryDir dir;
    const char* const names[] = {
        "Blood Type O.wav", "a alias b.wav",      "please wait here.wav", "x shareable y.wav",
        "Wow! Live!.wav",   "two  blanks.wav",    "\"quoted\" 'too'.wav", "100% 50%20.wav",
        "Ça va – été.wav",  "type waveaudio.wav", "trailing blank .wav",  "notify alias.wav",
    };
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromUtf8(name));
        ASSERT_TRUE(test::writeToneWav(path, 0.1, 440));
        SoundRig rig;
        ASSERT_EQ(rig.send(u"open waveaudio!"_qs + path + u" alias sound"_qs).first, kOk);
        EXPECT_EQ(rig.reply(u"status sound length"_qs), u"100"_qs);
        ASSERT_EQ(rig.send(u"play sound"_qs).first, kOk);
        EXPECT_GT(test::goertzelPower(rig.output().pull(4410), 440), 0.01);
        EXPECT_EQ(rig.reply(u"status sound mode"_qs), u"stopped"_qs);
    }
}

struct SequencerDeviceTest : ::testing::Test {
    void SetUp() override {
        if (!QFile::exists(audio::SynthPool::defaultSoundfont())) {
            GTEST_SKIP() << "no General MIDI soundfont installed";
        }
        ASSERT_TRUE(test::writeSimpleMidi(midi, 2));
    }
    QTemporaryDir dir;
    QString midi = dir.filePath(u"two notes.mid"_qs);
    SoundRig rig;
};

TEST_F(SequencerDeviceTest, ModeIsStoppedBeforePlayPlayingWhileItPlaysAndStoppedAtTheEnd) {
    ASSERT_EQ(rig.send(u"open sequencer!"_qs + midi + u" alias midi"_qs), std::pair(0, u"1"_qs));
    EXPECT_EQ(rig.reply(u"status midi mode"_qs), u"stopped"_qs);
    EXPECT_EQ(rig.reply(u"status midi length"_qs), u"1000"_qs);
    ASSERT_EQ(rig.send(u"play midi"_qs).first, kOk);
    EXPECT_EQ(rig.reply(u"status midi mode"_qs), u"playing"_qs);

    const std::vector<float> sound = rig.output().pull(22050);
    EXPECT_GT(test::energy(sound), 1e-4);
    EXPECT_EQ(rig.reply(u"status midi mode"_qs), u"playing"_qs);
    EXPECT_EQ(rig.reply(u"status midi position"_qs), u"500"_qs);

    rig.output().pull(22050);
    EXPECT_EQ(rig.reply(u"status midi mode"_qs), u"stopped"_qs);
    EXPECT_EQ(rig.reply(u"status midi position"_qs), u"1000"_qs);
}

TEST_F(SequencerDeviceTest, OpenErrors) {
    QFile text(dir.filePath(u"text.mid"_qs));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("no notes in here");
    text.close();
    EXPECT_EQ(
        rig.send(u"open sequencer!"_qs + dir.filePath(u"none.mid"_qs) + u" alias midi"_qs).first,
        kFileNotFound);
    EXPECT_EQ(rig.send(u"open sequencer!"_qs + text.fileName() + u" alias midi"_qs).first,
              kInvalidFile);

    rig.mci.registerType(u"sequencer"_qs,
                         std::make_unique<SequencerType>(
                             rig.engine, audio::SynthPool::create(dir.filePath(u"none.sf2"_qs))));
    EXPECT_EQ(rig.send(u"open sequencer!"_qs + midi + u" alias midi"_qs).first, kCannotLoadDriver);
    EXPECT_FALSE(rig.mci.isOpen(u"midi"_qs));
}

// The announce chime rings through the wave device while an MP3 plays: both are heard.
TEST(ChimeOverMusic, BothSoundInTheMix) {
    QTemporaryDir dir;
    const QString musicWav = dir.filePath(u"music.wav"_qs);
    const QString music = dir.filePath(u"music.mp3"_qs);
    const QString chime = dir.filePath(u"chimes.wav"_qs);
    ASSERT_TRUE(test::writeToneWav(musicWav, 1.0, 440, 44100, 2, 0.4));
    ASSERT_TRUE(test::writeToneWav(chime, 0.3, 1200, 22050, 1, 0.4));
    if (!test::encodeMp3(musicWav, music)) {
        GTEST_SKIP() << "lame is not installed";
    }
    SoundRig rig;
    audio::EngineMp3Player player(rig.engine);
    player.setFileName(music);
    player.play();

    const std::vector<float> before = rig.output().pull(8820);
    EXPECT_GT(test::goertzelPower(before, 440), 0.01);
    EXPECT_LT(test::goertzelPower(before, 1200), 1e-4);

    ASSERT_EQ(rig.send(u"open waveaudio!"_qs + chime + u" alias sound"_qs).first, kOk);
    ASSERT_EQ(rig.send(u"play sound"_qs).first, kOk);
    const std::vector<float> both = rig.output().pull(8820);
    EXPECT_GT(test::goertzelPower(both, 440), 0.01);
    EXPECT_GT(test::goertzelPower(both, 1200), 0.01);
    EXPECT_GT(test::goertzelPower(both, 440, 1), 0.01) << "right channel too";
    EXPECT_GT(test::goertzelPower(both, 1200, 1), 0.01) << "right channel too";
}

}  // namespace
}  // namespace luma::mci
