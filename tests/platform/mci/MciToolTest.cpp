#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace luma::mci {
namespace {

// The tool over the real engine and SDL's disk driver: its output lines, and the tone in the file
// the driver wrote (float stereo at 44100 Hz).
TEST(MciTool, PlaysAWaveFileIntoTheDiskDriverAndReportsEachCommand) {
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("a tone.wav"));
    const QString disk = dir.filePath(QStringLiteral("disk.raw"));
    ASSERT_TRUE(test::writeToneWav(wav, 0.5, 1000, 44100, 1, 0.5));

    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
    env.insert(QStringLiteral("SDL_DISKAUDIOFILE"), disk);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(LUMAFOLIO_BINARY_DIR "/lumafolio-mci"), QStringList());
    ASSERT_TRUE(tool.waitForStarted(10000));
    const QString script = QStringLiteral(
                               "open waveaudio!%1 alias sound\n"
                               "status sound length\n"
                               "# a comment\n"
                               "play sound\n"
                               "\n"
                               "\n"
                               "status sound position\n"
                               "status sound mode\n"
                               "close sound\n"
                               "play sound\n"
                               "dance\n")
                               .arg(wav);
    tool.write(script.toUtf8());
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished(30000)) << "the tool did not end";
    EXPECT_EQ(tool.exitCode(), 0);

    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n');
    const QStringList expected = {
        QStringLiteral("0 \"1\""),
        QStringLiteral("0 \"500\""),
        QStringLiteral("0 \"\""),
        QStringLiteral("0 \"500\""),
        QStringLiteral("0 \"stopped\""),
        QStringLiteral("0 \"\""),
        QStringLiteral("263 \"\" The device is not open or is not recognized."),
        QStringLiteral("261 \"\" The command is not recognized."),
        QString(),
    };
    EXPECT_EQ(lines, expected) << tool.readAllStandardError().toStdString();

    QFile file(disk);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    std::vector<float> samples(std::size_t(bytes.size()) / sizeof(float));
    std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(float));
    // The device may open with some silence and stays open for a while after the tone.
    const auto first =
        std::find_if(samples.begin(), samples.end(), [](float s) { return std::abs(s) > 0.01f; });
    ASSERT_NE(first, samples.end()) << "nothing but silence reached the device";
    const auto start = std::size_t(first - samples.begin()) & ~std::size_t(1);
    ASSERT_GE((samples.size() - start) / 2, 22050u) << "the whole tone reached the device";
    const std::vector<float> tone(samples.begin() + std::ptrdiff_t(start),
                                  samples.begin() + std::ptrdiff_t(start + 2 * 22050));
    EXPECT_GT(test::goertzelPower(tone, 1000), 0.01);
    EXPECT_LT(test::goertzelPower(tone, 700), 0.001);
}

TEST(MciTool, HelpAndBadArguments) {
    QProcess tool;
    tool.start(QStringLiteral(LUMAFOLIO_BINARY_DIR "/lumafolio-mci"), {QStringLiteral("--help")});
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_TRUE(tool.readAllStandardOutput().startsWith("Usage: lumafolio-mci"));

    tool.start(QStringLiteral(LUMAFOLIO_BINARY_DIR "/lumafolio-mci"), {QStringLiteral("extra")});
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.exitCode(), 2);
}

}  // namespace
}  // namespace luma::mci
