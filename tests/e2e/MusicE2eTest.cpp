// A music-only run of the real program: its sound, written by SDL's disk driver, holds the
// playlist's tones in the playlist's order.
#include "TestMedia.h"
#include "e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstring>

namespace luma::test {
namespace {

constexpr int kWindow = 4410;  // a tenth of a second

std::vector<float> readFloats(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    std::vector<float> samples(static_cast<size_t>(bytes.size()) / sizeof(float));
    if (!samples.empty()) {
        std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(float));
    }
    return samples;
}

// The first tenth of a second in which `frequency` clearly dominates `other`; -1 when none.
int firstWindowOf(const std::vector<float>& samples, double frequency, double other) {
    const size_t windows = samples.size() / (2 * kWindow);
    for (size_t w = 0; w < windows; ++w) {
        const std::vector<float> part(samples.begin() + static_cast<long>(w * 2 * kWindow),
                                      samples.begin() + static_cast<long>((w + 1) * 2 * kWindow));
        const double a = goertzelPower(part, frequency), b = goertzelPower(part, other);
        if (a > 1e-3 && a > 20 * b) {
            return static_cast<int>(w);
        }
    }
    return -1;
}

TEST(MusicE2e, ThePlaylistSoundsInOrderThroughTheRealOutput) {
    if (!lameAvailable()) {
        GTEST_SKIP() << "lame is needed to make the MP3";
    }
    QTemporaryDir media;
    const QString wav = media.filePath(QStringLiteral("first tone.wav"));
    const QString mp3 = media.filePath(QStringLiteral("second tone.mp3"));
    ASSERT_TRUE(writeToneWav(wav, 1.0, 440));
    ASSERT_TRUE(writeToneWav(media.filePath(QStringLiteral("m.wav")), 1.0, 660));
    ASSERT_TRUE(encodeMp3(media.filePath(QStringLiteral("m.wav")), mp3));
    const QString sound = media.filePath(QStringLiteral("sound.raw"));

    TempEnv home;
    writeSettings(home.settingsFile(),
                  {"Settings/Mousesens=15", "Settings/MusicOnly=1", "Settings/Bsound=1",
                   "music/HowMany=2", "music/1=" + wav, "music/2=" + mp3});
    ProgramRun run(home);
    run.setEnv(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
    run.setEnv(QStringLiteral("SDL_DISKAUDIOFILE"), sound);
    run.start({QStringLiteral("/S")});
    // Two entries of a second each, a poll between them, and the first again.
    const bool heard = waitUntil(
        [&] {
            const std::vector<float> samples = readFloats(sound);
            const int first = firstWindowOf(samples, 440, 660);
            const int second = firstWindowOf(samples, 660, 440);
            return first >= 0 && second > first;
        },
        20000);
    EXPECT_TRUE(run.isRunning()) << qPrintable(run.errorOutput());
    run.kill();
    const std::vector<float> samples = readFloats(sound);
    ASSERT_TRUE(heard) << "sound file of " << samples.size() << " samples; "
                       << qPrintable(run.errorOutput());
    const int first = firstWindowOf(samples, 440, 660);
    const int second = firstWindowOf(samples, 660, 440);
    EXPECT_GE(second - first, 9) << "the wave file played about its second before the MP3";
}

// A file whose name holds words of the command grammar, typed into the panel, added and saved, is
// the file a show then plays.
TEST(MusicE2e, AFileAddedInThePanelIsStoredAndPlayedByAShow) {
    XvfbServer x;
    ASSERT_TRUE(x.isRunning());
    QTemporaryDir media;
    ASSERT_TRUE(QDir(media.path()).mkdir(QStringLiteral("type alias")));
    const QString wav = media.filePath(QStringLiteral("type alias/Blood  Type O.wav"));
    ASSERT_TRUE(writeToneWav(wav, 1.0, 440));

    TempEnv home;
    writeSettings(home.settingsFile(), {"Settings/Mousesens=15"});
    ProgramRun panelRun(home, x.display());
    panelRun.start({QStringLiteral("/C")});
    const auto panel = waitForPanel(x, 20000);
    ASSERT_TRUE(panel) << qPrintable(panelRun.errorOutput());
    x.run("xdotool", {"windowfocus", "--sync", panel->id});
    for (int i = 0; i < 4; ++i) {  // from "Preferences" to "Sound"
        x.run("xdotool", {"key", "--window", panel->id, "ctrl+Tab"});
    }
    clickInPanel(x, *panel, QPoint(360, 77));  // the music file box
    x.run("xdotool", {"type", "--delay", "5", wav});
    clickInPanel(x, *panel, QPoint(280, 108));  // "Add selection to list"
    clickBottomButton(x, *panel, 1);            // "Save settings, Close"
    ASSERT_TRUE(panelRun.waitForEnd(15000));
    QSettings stored(home.settingsFile(), QSettings::IniFormat);
    ASSERT_EQ(stored.value(QStringLiteral("music/1")).toString(), wav);

    const QString sound = media.filePath(QStringLiteral("sound.raw"));
    ProgramRun show(home, x.display());
    show.setEnv(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
    show.setEnv(QStringLiteral("SDL_DISKAUDIOFILE"), sound);
    show.start({QStringLiteral("/S")});
    const bool heard =
        waitUntil([&] { return firstWindowOf(readFloats(sound), 440, 660) >= 0; }, 15000);
    EXPECT_TRUE(heard) << qPrintable(show.errorOutput());
}

}  // namespace
}  // namespace luma::test
