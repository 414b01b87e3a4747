#include "platform/cd/CdAudioDevice.h"

#include "PullEngine.h"
#include "TestMedia.h"
#include "ToneDisc.h"
#include "platform/cd/CdAudioDeviceType.h"
#include "platform/mci/MciErrors.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace luma::cd {
namespace {

using mci::TimeFormat;
using test::ToneTrack;

constexpr std::size_t kSecond = 44100;

// Track 1: 2 s of 440 Hz; track 2: 3 s of 1000 Hz.
class CdAudioDeviceTest : public testing::Test {
protected:
    void SetUp() override {
        cue = test::writeToneDisc(dir.path(), QStringLiteral("tones"),
                                  {ToneTrack{440.0, 150}, ToneTrack{1000.0, 225}});
        ASSERT_FALSE(cue.isEmpty());
        drives.drives = {cue};
        int error = -1;
        device = type.open(QString(), error);
        ASSERT_EQ(error, mci::kOk);
        ASSERT_TRUE(device);
    }

    QString status(const QString& item) {
        QString reply = QStringLiteral("junk");
        const int error = device->status(item, reply);
        return error == mci::kOk ? reply : QStringLiteral("error %1").arg(error);
    }

    int play(const QString& from, const QString& to) { return device->play(from, to); }

    // The poller's reading of a tmsf position: seconds into the track.
    int secondsIntoTrack() {
        const QString position = status(QStringLiteral("position"));
        return 60 * position.mid(3, 2).toInt() + position.mid(6, 2).toInt();
    }

    QTemporaryDir dir;
    QString cue;
    test::PullEngine engine;
    test::FakeDriveList drives;
    CdAudioDeviceType type{engine, drives};
    std::unique_ptr<mci::Device> device;
};

TEST_F(CdAudioDeviceTest, DescribesTheDisc) {
    EXPECT_EQ(status(QStringLiteral("media present")), QLatin1String("true"));
    EXPECT_EQ(status(QStringLiteral("ready")), QLatin1String("true"));
    EXPECT_EQ(status(QStringLiteral("number of tracks")), QLatin1String("2"));
    EXPECT_EQ(status(QStringLiteral("mode")), QLatin1String("stopped"));
    EXPECT_EQ(status(QStringLiteral("time format")), QLatin1String("msf"));
}

TEST_F(CdAudioDeviceTest, LengthsInEveryTimeFormat) {
    struct Case {
        TimeFormat format;
        const char* track1;
        const char* track2;
        const char* disc;
    };
    const Case cases[] = {
        {TimeFormat::Hms, "00:00:02", "00:00:03", "00:00:05"},
        {TimeFormat::Msf, "00:02:00", "00:03:00", "00:05:00"},
        {TimeFormat::Tmsf, "00:02:00", "00:03:00", "00:05:00"},
        {TimeFormat::Milliseconds, "2000", "3000", "5000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.disc);
        ASSERT_EQ(device->setTimeFormat(c.format), mci::kOk);
        EXPECT_EQ(status(QStringLiteral("length track 1")), QLatin1String(c.track1));
        EXPECT_EQ(status(QStringLiteral("length track 2")), QLatin1String(c.track2));
        EXPECT_EQ(status(QStringLiteral("length")), QLatin1String(c.disc));
    }
}

TEST_F(CdAudioDeviceTest, PositionsInEveryTimeFormat) {
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    ASSERT_EQ(device->seek(QStringLiteral("2")), mci::kOk);
    const std::pair<TimeFormat, const char*> cases[] = {
        {TimeFormat::Tmsf, "02:00:00:00"},
        {TimeFormat::Msf, "00:04:00"},
        {TimeFormat::Hms, "00:00:04"},
        {TimeFormat::Milliseconds, "4000"},
    };
    for (const auto& [format, text] : cases) {
        ASSERT_EQ(device->setTimeFormat(format), mci::kOk);
        EXPECT_EQ(status(QStringLiteral("position")), QLatin1String(text));
    }
    EXPECT_EQ(status(QStringLiteral("current track")), QLatin1String("2"));
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Msf), mci::kOk);
    EXPECT_EQ(status(QStringLiteral("position track 2")), QLatin1String("00:04:00"));
    // An msf address seeks to the same place; one before the music means its start.
    ASSERT_EQ(device->seek(QStringLiteral("00:03:10")), mci::kOk);
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:01:10"));
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Msf), mci::kOk);
    ASSERT_EQ(device->seek(QStringLiteral("0")), mci::kOk);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("00:02:00"));
}

// What is heard is checked through the interpreter (CdCommandsTest); here the positions.
TEST_F(CdAudioDeviceTest, PlaysOneTrackAndReportsItsEnd) {
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    ASSERT_EQ(play(QStringLiteral("1"), QStringLiteral("2")), mci::kOk);
    EXPECT_EQ(status(QStringLiteral("mode")), QLatin1String("playing"));
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:00:00"));
    engine.pull(kSecond);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:01:00"));
    engine.pull(10 * 588 + 100);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:01:10"));

    // Poll as the player does, pulling a third of a second between polls: one fall, at the end.
    int last = secondsIntoTrack();
    int falls = 0;
    for (int poll = 0; poll < 30 && falls == 0; ++poll) {
        engine.pull(kSecond / 3);
        const int t = secondsIntoTrack();
        falls += t < last ? 1 : 0;
        last = t;
    }
    EXPECT_EQ(falls, 1);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("02:00:00:00"));
    EXPECT_EQ(status(QStringLiteral("mode")), QLatin1String("stopped"));
    EXPECT_EQ(engine.sounding(), 0u);
}

TEST_F(CdAudioDeviceTest, TheLastTrackRunsToTheDiscEndAndRewinds) {
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    ASSERT_EQ(play(QStringLiteral("2"), QStringLiteral("3")), mci::kOk);
    const std::vector<float> heard = engine.pull(3 * kSecond - 1);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("02:00:02:74"));
    EXPECT_EQ(status(QStringLiteral("mode")), QLatin1String("playing"));
    engine.pull(1000);
    // Back at the start: the seconds into the track fall, so the poller moves on.
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:00:00"));
    EXPECT_EQ(status(QStringLiteral("mode")), QLatin1String("stopped"));
    EXPECT_GT(test::goertzelPower(heard, 1000.0), 100 * test::goertzelPower(heard, 440.0));
}

TEST_F(CdAudioDeviceTest, PlayingWithoutAnEndRunsAcrossTracks) {
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    ASSERT_EQ(device->play(QStringLiteral("01:00:01:00"), std::nullopt), mci::kOk);
    engine.pull(kSecond + 588 * 5);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("02:00:00:05"));
    EXPECT_EQ(status(QStringLiteral("current track")), QLatin1String("2"));
}

TEST_F(CdAudioDeviceTest, StopKeepsThePlaceAndPlayGoesOnFromIt) {
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    ASSERT_EQ(play(QStringLiteral("1"), QStringLiteral("2")), mci::kOk);
    engine.pull(kSecond);
    ASSERT_EQ(device->stop(), mci::kOk);
    EXPECT_EQ(engine.sounding(), 0u);
    EXPECT_EQ(status(QStringLiteral("mode")), QLatin1String("stopped"));
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:01:00"));
    ASSERT_EQ(device->play(std::nullopt, std::nullopt), mci::kOk);
    engine.pull(kSecond / 2);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:01:37"));
}

TEST_F(CdAudioDeviceTest, SeekStopsPlaying) {
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    ASSERT_EQ(play(QStringLiteral("2"), QStringLiteral("3")), mci::kOk);
    engine.pull(kSecond);
    ASSERT_EQ(device->seek(QStringLiteral("1")), mci::kOk);
    EXPECT_EQ(engine.sounding(), 0u);
    EXPECT_EQ(status(QStringLiteral("mode")), QLatin1String("stopped"));
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:00:00"));
    ASSERT_EQ(device->seek(QStringLiteral("end")), mci::kOk);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("02:00:03:00"));
    ASSERT_EQ(device->seek(QStringLiteral("start")), mci::kOk);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:00:00"));
}

TEST_F(CdAudioDeviceTest, AnEmptyRangePlaysNothing) {
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    ASSERT_EQ(play(QStringLiteral("2"), QStringLiteral("2")), mci::kOk);
    EXPECT_EQ(engine.sounding(), 0u);
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("02:00:00:00"));
}

TEST_F(CdAudioDeviceTest, RefusesWhatTheDiscDoesNotHold) {
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    struct Case {
        const char* from;
        const char* to;
        int error;
    };
    const Case cases[] = {
        {"0", "1", mci::kOutOfRange},  {"3", "4", mci::kOutOfRange},
        {"2", "1", mci::kOutOfRange},  {"x", "2", mci::kBadInteger},
        {"1", "2:", mci::kBadInteger}, {"2:00:09:00", "3", mci::kOutOfRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(play(QLatin1String(c.from), QLatin1String(c.to)), c.error);
        EXPECT_EQ(engine.sounding(), 0u);
    }
    EXPECT_EQ(device->seek(QStringLiteral("5")), mci::kOutOfRange);
    EXPECT_EQ(status(QStringLiteral("length track 3")), QLatin1String("error 282"));
    EXPECT_EQ(status(QStringLiteral("length track 0")), QLatin1String("error 282"));
    EXPECT_EQ(status(QStringLiteral("length track two")), QLatin1String("error 270"));
    EXPECT_EQ(status(QStringLiteral("loudness")), QLatin1String("error 259"));
    EXPECT_EQ(status(QStringLiteral("number of tracks")), QLatin1String("2"));
}

TEST_F(CdAudioDeviceTest, WithoutSoundOutputPlayFailsQuietly) {
    engine.hasOutput = false;
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    EXPECT_EQ(play(QStringLiteral("1"), QStringLiteral("2")), mci::kDeviceNotReady);
    EXPECT_EQ(status(QStringLiteral("mode")), QLatin1String("stopped"));
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:00:00"));
}

TEST_F(CdAudioDeviceTest, ATakenOutDiscAnswersNotReady) {
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    ASSERT_EQ(play(QStringLiteral("1"), QStringLiteral("2")), mci::kOk);
    engine.pull(kSecond / 2);
    ASSERT_TRUE(QFile::remove(cue));
    ASSERT_TRUE(QFile::remove(test::binPathOf(cue)));
    EXPECT_EQ(status(QStringLiteral("media present")), QLatin1String("false"));
    EXPECT_EQ(engine.sounding(), 0u);
    EXPECT_EQ(status(QStringLiteral("mode")), QLatin1String("not ready"));
    EXPECT_EQ(status(QStringLiteral("ready")), QLatin1String("false"));
    const int notReady = mci::kDeviceNotReady;
    EXPECT_EQ(status(QStringLiteral("position")), QStringLiteral("error %1").arg(notReady));
    EXPECT_EQ(status(QStringLiteral("number of tracks")), QStringLiteral("error %1").arg(notReady));
    EXPECT_EQ(play(QStringLiteral("1"), QStringLiteral("2")), notReady);
    EXPECT_EQ(device->stop(), notReady);
    EXPECT_EQ(device->seek(QStringLiteral("1")), notReady);
    engine.pull(kSecond);

    // The disc comes back: a fresh start.
    ASSERT_FALSE(
        test::writeToneDisc(dir.path(), QStringLiteral("tones"), {ToneTrack{440.0, 75}}).isEmpty());
    EXPECT_EQ(status(QStringLiteral("media present")), QLatin1String("true"));
    EXPECT_EQ(status(QStringLiteral("number of tracks")), QLatin1String("1"));
    EXPECT_EQ(status(QStringLiteral("position")), QLatin1String("01:00:00:00"));
}

TEST_F(CdAudioDeviceTest, DataTracksDoNotPlay) {
    const QString mixed = test::writeToneDisc(
        dir.path(), QStringLiteral("mixed"),
        {ToneTrack{440.0, 75}, ToneTrack{0.0, 75, false}, ToneTrack{1000.0, 75}});
    int error = -1;
    auto d = type.open(mixed, error);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    EXPECT_EQ(d->play(QStringLiteral("2"), QStringLiteral("3")), mci::kUnsupportedFunction);
    // Played through, the data track is silence.
    ASSERT_EQ(d->play(QStringLiteral("1"), QStringLiteral("4")), mci::kOk);
    engine.pull(kSecond);
    const std::vector<float> data = engine.pull(kSecond);
    EXPECT_EQ(test::peak(data), 0.0f);
    EXPECT_GT(test::goertzelPower(engine.pull(kSecond), 1000.0), 0.01);
}

TEST_F(CdAudioDeviceTest, ClosingTheDeviceStopsItsMusic) {
    ASSERT_EQ(device->setTimeFormat(TimeFormat::Tmsf), mci::kOk);
    ASSERT_EQ(play(QStringLiteral("1"), QStringLiteral("2")), mci::kOk);
    EXPECT_EQ(engine.sounding(), 1u);
    device.reset();
    EXPECT_EQ(engine.sounding(), 0u);
}

TEST(CdAudioDeviceType, OpensTheNamedOrTheDefaultDriveAndADriveWithoutADisc) {
    QTemporaryDir dir;
    const QString cue =
        test::writeToneDisc(dir.path(), QStringLiteral("one"), {ToneTrack{440.0, 75}});
    test::PullEngine engine;
    test::FakeDriveList drives;
    CdAudioDeviceType type(engine, drives);
    int error = -1;

    EXPECT_FALSE(type.open(QString(), error));  // no drive at all
    EXPECT_EQ(error, mci::kInvalidDeviceName);
    EXPECT_FALSE(type.open(dir.filePath(QStringLiteral("gone.cue")), error));
    EXPECT_EQ(error, mci::kInvalidDeviceName);

    auto named = type.open(QStringLiteral("  ") + cue + u' ', error);
    ASSERT_TRUE(named);
    EXPECT_EQ(error, mci::kOk);
    QString reply;
    ASSERT_EQ(named->status(QStringLiteral("number of tracks"), reply), mci::kOk);
    EXPECT_EQ(reply, QLatin1String("1"));

    drives.drives = {cue, QStringLiteral("/dev/null")};
    EXPECT_TRUE(type.open(QString(), error));
    EXPECT_EQ(error, mci::kOk);

    // /dev/null stands in for a drive that holds no disc: it opens but is not ready.
    drives.drives = {QStringLiteral("/dev/null")};
    auto empty = type.open(QString(), error);
    ASSERT_TRUE(empty);
    ASSERT_EQ(empty->status(QStringLiteral("media present"), reply), mci::kOk);
    EXPECT_EQ(reply, QLatin1String("false"));
    ASSERT_EQ(empty->status(QStringLiteral("mode"), reply), mci::kOk);
    EXPECT_EQ(reply, QLatin1String("not ready"));
    EXPECT_EQ(empty->status(QStringLiteral("number of tracks"), reply), mci::kDeviceNotReady);
    EXPECT_EQ(empty->play(QStringLiteral("1"), QStringLiteral("2")), mci::kDeviceNotReady);
    EXPECT_EQ(engine.sounding(), 0u);
}

}  // namespace
}  // namespace luma::cd
