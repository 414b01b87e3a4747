#include "ScopedVariable.h"
#include "TestMedia.h"
#include "platform/DriveList.h"
#include "platform/audio/SdlOutput.h"
#include "platform/mci/MciErrors.h"
#include "platform/sound/SoundServices.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

namespace luma::mci {
namespace {

// The interpreter over the real SDL output, with SDL_AUDIODRIVER chosen per test.
struct SdlDevicesTest : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(test::writeToneWav(wav, 0.3, 440)); }
    // Built after the driver is chosen: SDL reads it when the output first opens.
    MediaCommandInterpreter& interpreter(const char* driver) {
        sdlDriver.set(driver);
        sound = makeSoundServices(std::make_unique<audio::SdlOutput>(), noDrives);
        mci = sound.media.get();
        return *mci;
    }
    QString status(const QString& item) {
        QString reply(64, u' ');
        mci->send(u"status sound "_qs + item, &reply, 64);
        return reply.left(reply.indexOf(QChar(u'\0')));
    }

    test::ScopedVariable sdlDriver{"SDL_AUDIODRIVER"};
    QTemporaryDir dir;
    QString wav = dir.filePath(u"tone.wav"_qs);
    struct NoDrives : DriveList {
        QStringList cdDrives() const override { return {}; }
    } noDrives;
    SoundServices sound;
    MediaCommandInterpreter* mci = nullptr;
};

TEST_F(SdlDevicesTest, WithoutAUsableDriverPlayFailsAndNothingBreaks) {
    MediaCommandInterpreter& m = interpreter("no-such-driver");
    EXPECT_EQ(m.send(u"open waveaudio!"_qs + wav + u" alias sound"_qs), kOk);
    EXPECT_EQ(m.send(u"play sound"_qs), kDeviceNotReady);
    EXPECT_EQ(status(u"mode"_qs), u"stopped"_qs);
    EXPECT_EQ(status(u"position"_qs), u"0"_qs);
    EXPECT_EQ(m.send(u"play sound"_qs), kDeviceNotReady) << "asking again is harmless";
    EXPECT_EQ(m.send(u"stop sound"_qs), kOk);
    EXPECT_EQ(m.send(u"close sound"_qs), kOk);
    m.closeAll();
}

TEST_F(SdlDevicesTest, TheDummyDriverPlaysAFileToItsEnd) {
    MediaCommandInterpreter& m = interpreter("dummy");
    ASSERT_EQ(m.send(u"open waveaudio!"_qs + wav + u" alias sound"_qs), kOk);
    ASSERT_EQ(m.send(u"play sound"_qs), kOk);
    const QDeadlineTimer deadline(10000);
    while (status(u"position"_qs) != u"300"_qs && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    EXPECT_EQ(status(u"position"_qs), u"300"_qs);
    EXPECT_EQ(status(u"mode"_qs), u"stopped"_qs);
    while (sound.engine->outputRunning() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    EXPECT_FALSE(sound.engine->outputRunning()) << "the device closes when nothing sounds";
    m.closeAll();
}

}  // namespace
}  // namespace luma::mci
