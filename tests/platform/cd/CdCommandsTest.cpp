// The CD device behind the real command interpreter and audio engine, driven by the command strings
// the player and the panel send, with the engine's output pulled by the test.
#include "ScopedVariable.h"
#include "TestMedia.h"
#include "ToneDisc.h"
#include "platform/audio/ManualOutput.h"
#include "platform/audio/MixingEngine.h"
#include "platform/cd/CdAudioDeviceType.h"
#include "platform/cd/CdioDriveList.h"
#include "platform/mci/MciErrors.h"
#include "platform/mci/MediaCommandInterpreter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace luma::cd {
namespace {

using test::ToneTrack;

constexpr std::size_t kSecond = 44100;

class CdCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        // A folder with a blank in its name: the element is sent unquoted.
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("my discs")));
        cue = test::writeToneDisc(dir.filePath(QStringLiteral("my discs")), QStringLiteral("tones"),
                                  {ToneTrack{440.0, 150}, ToneTrack{1000.0, 225}});
        ASSERT_FALSE(cue.isEmpty());
        drivesVariable.set(cue.toUtf8());
        mci.registerType(QStringLiteral("cdaudio"),
                         std::make_unique<CdAudioDeviceType>(*engine, drives));
    }
    void TearDown() override { mci.closeAll(); }

    int send(const QString& command) { return mci.send(command, nullptr, 0); }
    QString reply(const QString& command) {
        QString buffer(255, u' ');
        const int result = mci.send(command, &buffer, 255);
        const QString text = buffer.left(buffer.indexOf(QChar(u'\0')));
        return result == 0 ? text : QStringLiteral("error %1").arg(result);
    }
    std::vector<float> pull(std::size_t frames) { return output->pull(frames); }

    QTemporaryDir dir;
    QString cue;
    test::ScopedVariable drivesVariable{"LUMAFOLIO_CD_DRIVES"};
    // The machine's own drives are left out: the generated image is the only drive.
    CdioDriveList drives{[] { return QStringList(); }};
    audio::ManualOutput* output = new audio::ManualOutput;  // owned by the engine
    std::shared_ptr<audio::MixingEngine> engine =
        std::make_shared<audio::MixingEngine>(std::unique_ptr<audio::ManualOutput>(output));
    mci::MediaCommandInterpreter mci{engine};
};

TEST_F(CdCommandsTest, ListsTheTracksOfTheDefaultDrive) {
    EXPECT_EQ(drives.cdDrives(), QStringList{cue});
    send(QStringLiteral("stop cd"));
    send(QStringLiteral("close cd"));
    ASSERT_EQ(send(QStringLiteral("open cdaudio alias cd")), 0);
    EXPECT_EQ(reply(QStringLiteral("status cd number of tracks")), QLatin1String("2"));
    ASSERT_EQ(send(QStringLiteral("set cd time format hms")), 0);
    EXPECT_EQ(reply(QStringLiteral("status cd length track 1")), QLatin1String("00:00:02"));
    EXPECT_EQ(reply(QStringLiteral("status cd length track 2")), QLatin1String("00:00:03"));
    ASSERT_EQ(send(QStringLiteral("set cd time format msf")), 0);
    EXPECT_EQ(reply(QStringLiteral("status cd length track 2")), QLatin1String("00:03:00"));
    EXPECT_EQ(send(QStringLiteral("close cd")), 0);
    // With no drive at all the default device does not open.
    drivesVariable.unset();
    EXPECT_EQ(send(QStringLiteral("open cdaudio alias cd")), mci::kInvalidDeviceName);
}

TEST_F(CdCommandsTest, PlaysATrackAsThePlayerDoesAndSeesItEnd) {
    ASSERT_EQ(send(QStringLiteral("open  ") + cue +
                   QStringLiteral(" type cdaudio alias cd wait shareable")),
              0);
    ASSERT_EQ(send(QStringLiteral("set cd time format tmsf")), 0);
    EXPECT_EQ(reply(QStringLiteral("status cd media present")), QLatin1String("true"));

    send(QStringLiteral("stop cd wait"));
    send(QStringLiteral("seek cd to 1 wait"));
    ASSERT_EQ(send(QStringLiteral("play cd from 1 to 2")), 0);
    EXPECT_EQ(reply(QStringLiteral("status cd mode")), QLatin1String("playing"));

    std::vector<float> heard = pull(kSecond);
    EXPECT_EQ(reply(QStringLiteral("status cd position")), QLatin1String("01:00:01:00"));
    // The player's poll: seconds into the track from fixed places, the end when they fall.
    int last = 0;
    bool ended = false;
    for (int poll = 0; poll < 20 && !ended; ++poll) {
        const std::vector<float> piece = pull(kSecond / 4);
        heard.insert(heard.end(), piece.begin(), piece.end());
        ASSERT_TRUE(reply(QStringLiteral("status cd media present")).startsWith(u"true"));
        const QString position = reply(QStringLiteral("status cd position"));
        const int t = 60 * position.mid(3, 2).toInt() + position.mid(6, 2).toInt();
        ended = t < last;
        last = t;
    }
    ASSERT_TRUE(ended);
    EXPECT_EQ(reply(QStringLiteral("status cd position")), QLatin1String("02:00:00:00"));
    EXPECT_EQ(reply(QStringLiteral("status cd mode")), QLatin1String("stopped"));
    EXPECT_EQ(send(QStringLiteral("stop cd wait")), 0);
    EXPECT_EQ(send(QStringLiteral("seek cd to 1 wait")), 0);

    EXPECT_GT(test::goertzelPower(heard, 440.0), 0.01);
    EXPECT_LT(test::goertzelPower(heard, 1000.0), test::goertzelPower(heard, 440.0) / 100);
    // Only the track was heard: what was pulled after its end is silence.
    const std::vector<float> after(heard.begin() + 2 * 150 * 588, heard.end());
    EXPECT_EQ(test::peak(after), 0.0f);
}

}  // namespace
}  // namespace luma::cd
