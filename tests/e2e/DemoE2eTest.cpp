// `make demo` without a display: the show runs under Xvfb, its screenshots show pictures and its
// sound file holds music.
#include "TestMedia.h"
#include "e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <sndfile.h>

namespace luma::test {
namespace {

// The share of a screenshot, sampled on a grid, that is not the demo's grey background.
double pictureShare(const QImage& shot) {
    const QRgb background = qRgb(64, 64, 64);
    int samples = 0, picture = 0;
    for (int y = 0; y < shot.height(); y += 8) {
        for (int x = 0; x < shot.width(); x += 8) {
            ++samples;
            picture += (shot.pixel(x, y) & 0xffffff) != (background & 0xffffff);
        }
    }
    return samples == 0 ? 0 : static_cast<double>(picture) / samples;
}

std::vector<float> readWave(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (file == nullptr) {
        return {};
    }
    std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

TEST(DemoE2e, RunsHeadlessAndRecordsPicturesAndSound) {
    QTemporaryDir out;
    QProcess demo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DEMO_HEADLESS"), QStringLiteral("1"));
    env.insert(QStringLiteral("DEMO_SECONDS"), QStringLiteral("11"));
    env.insert(QStringLiteral("DEMO_OUT"), out.path());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    demo.setProcessEnvironment(env);
    demo.start(QStringLiteral(LUMAFOLIO_SOURCE_DIR "/tools/demo.sh"),
               {QStringLiteral(LUMAFOLIO_BINARY_DIR)});
    ASSERT_TRUE(demo.waitForFinished(90000));
    const QString said = QString::fromLocal8Bit(demo.readAllStandardOutput());
    ASSERT_EQ(demo.exitCode(), 0) << qPrintable(said + demo.readAllStandardError());
    EXPECT_TRUE(said.contains(out.path())) << "it says where the screenshots are";

    const QStringList shots = QDir(out.path()).entryList({QStringLiteral("screen-*.png")});
    ASSERT_GE(shots.size(), 3);
    int withPictures = 0;
    for (const QString& name : shots) {
        withPictures += pictureShare(QImage(out.filePath(name))) > 0.03;
    }
    EXPECT_EQ(withPictures, shots.size()) << "every screenshot shows a picture";

    const std::vector<float> sound = readWave(out.filePath(QStringLiteral("sound.wav")));
    EXPECT_GT(sound.size(), 44100u * 2 * 5) << "seconds of sound";
    EXPECT_GT(energy(sound), 1e-4) << "and it is not silence";
}

}  // namespace
}  // namespace luma::test
