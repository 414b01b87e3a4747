// The built program on a machine without a usable sound device (SDL_AUDIODRIVER names a driver
// that does not exist): a show with music and a chime starts, the slides change, the program keeps
// running and says once, clearly, that there is no sound.
#include "TestMedia.h"
#include "e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

namespace luma::test {
namespace {

// 'R' or 'G' when the centre of the screen shows that slide, '?' otherwise.
char slideOn(const QImage& shot) {
    if (shot.isNull()) {
        return '?';
    }
    const QColor c = shot.pixelColor(shot.width() / 2, shot.height() / 2);
    const auto is = [&](int r, int g, int b) {
        return std::abs(c.red() - r) < 16 && std::abs(c.green() - g) < 16 &&
               std::abs(c.blue() - b) < 16;
    };
    return is(255, 0, 0) ? 'R' : is(0, 255, 0) ? 'G' : '?';
}

TEST(NoSoundDevice, TheShowRunsAndSaysOnceThatThereIsNoSound) {
    XvfbServer x;
    ASSERT_TRUE(x.isRunning());
    TempEnv env;
    QTemporaryDir media;
    QStringList entries = {"Settings/Slides=1",     "Settings/delay=2",  "Settings/screensize=1",
                           "Settings/Mousesens=15", "Settings/Bsound=1", "Settings/Asound=1",
                           "pictures/HowMany=2"};
    const std::pair<const char*, Qt::GlobalColor> slides[] = {{"red", Qt::red},
                                                              {"green", Qt::green}};
    int n = 0;
    for (const auto& [name, colour] : slides) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = media.filePath(QString::fromLatin1(name) + ".bmp");
        ASSERT_TRUE(image.save(file, "BMP"));
        entries.append(QStringLiteral("pictures/%1=%2").arg(++n).arg(file));
    }
    QStringList music = {media.filePath(QStringLiteral("tone.wav")),
                         media.filePath(QStringLiteral("tune.mid"))};
    ASSERT_TRUE(writeToneWav(music[0], 1.0, 440));
    ASSERT_TRUE(writeSimpleMidi(music[1], 2));
    if (lameAvailable()) {
        music.append(media.filePath(QStringLiteral("tone.mp3")));
        ASSERT_TRUE(encodeMp3(music[0], music.last()));
    }
    entries.append(QStringLiteral("music/HowMany=%1").arg(music.size()));
    for (qsizetype i = 0; i < music.size(); ++i) {
        entries.append(QStringLiteral("music/%1=%2").arg(i + 1).arg(music[i]));
    }
    writeSettings(env.settingsFile(), entries);

    ProgramRun run(env, x.display());
    run.setEnv(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("nosuchdriver"));
    run.start({QStringLiteral("/S")});

    // Both slides show in turn, for some seconds of music that cannot sound (two seconds a slide,
    // so that a screenshot slowed by a busy machine still sees each).
    QString seen;
    const bool bothShown = waitUntil(
        [&] {
            const char c = slideOn(x.screenshot());
            if (c != '?' && !seen.endsWith(QChar(c))) {
                seen.append(QChar(c));
            }
            return seen.size() >= 3;
        },
        30000);
    EXPECT_TRUE(bothShown) << "slides seen: " << qPrintable(seen);
    ASSERT_TRUE(run.isRunning()) << qPrintable(run.errorOutput());

    run.kill();  // what it wrote is read while it goes
    const QString errors = run.errorOutput();
    const QStringList lines = errors.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 1) << "one message, no flood:\n" << qPrintable(errors);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("lumafolio: no sound device")))
        << qPrintable(lines.first());
    EXPECT_TRUE(lines.first().contains(QStringLiteral("nosuchdriver")))
        << "it names what failed: " << qPrintable(lines.first());
}

}  // namespace
}  // namespace luma::test
