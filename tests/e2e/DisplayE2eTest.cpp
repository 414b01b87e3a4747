// The built program's show under a real X server: slides in order, a mouse move that ends the
// show, and the play-now setting that only hides the display.
#include "e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <functional>

namespace luma::test {
namespace {

// Which slide fills the screen: 'R', 'G' or 'B' when the centre and the four corners all show
// that slide's colour (the display covers the whole screen without a window manager), '?'
// otherwise.
char centreOf(const QImage& shot) {
    if (shot.isNull()) {
        return '?';
    }
    const auto code = [&](int px, int py) {
        const QColor c = shot.pixelColor(px, py);
        const auto is = [&](int r, int g, int b) {
            return std::abs(c.red() - r) < 16 && std::abs(c.green() - g) < 16 &&
                   std::abs(c.blue() - b) < 16;
        };
        return is(255, 0, 0) ? 'R' : is(0, 255, 0) ? 'G' : is(0, 0, 255) ? 'B' : '?';
    };
    const int w = shot.width() - 1;
    const int h = shot.height() - 1;
    const char centre = code(w / 2, h / 2);
    for (const auto& [px, py] : {std::pair{0, 0}, {w, 0}, {0, h}, {w, h}}) {
        if (code(px, py) != centre) {
            return '?';
        }
    }
    return centre;
}

// Three solid slides stretched to the screen, one second each.
struct DisplayE2e : testing::Test {
    XvfbServer x;
    TempEnv env;

    void SetUp() override { ASSERT_TRUE(x.isRunning()); }

    void seed(const QStringList& more = {}) {
        const QDir dir(env.configHome());
        QStringList entries = {
            QStringLiteral("Settings/Slides=1"),     QStringLiteral("Settings/delay=1"),
            QStringLiteral("Settings/Mousesens=15"), QStringLiteral("Settings/Bsound=0"),
            QStringLiteral("Settings/screensize=1"), QStringLiteral("pictures/HowMany=3"),
        };
        const std::pair<const char*, Qt::GlobalColor> slides[] = {
            {"red", Qt::red}, {"green", Qt::green}, {"blue", Qt::blue}};
        int n = 0;
        for (const auto& [name, colour] : slides) {
            QImage image(64, 48, QImage::Format_RGB32);
            image.fill(colour);
            const QString path = dir.filePath(QString::fromLatin1(name) + ".bmp");
            ASSERT_TRUE(image.save(path, "BMP"));
            entries.append(QStringLiteral("pictures/%1=%2").arg(++n).arg(path));
        }
        writeSettings(env.settingsFile(), entries + more);
    }

    // Screenshot centres for at most `ms`, consecutive repeats and unknown colours left out.
    QString watch(int ms, int slidesWanted) {
        QString seen;
        waitUntil(
            [&] {
                const char c = centreOf(x.screenshot());
                if (c != '?' && (seen.isEmpty() || seen.back() != QChar(c))) {
                    seen.append(QChar(c));
                }
                return seen.size() >= slidesWanted;
            },
            ms);
        return seen;
    }

    // Moves the pointer back and forth between two points 200 pixels apart until `done`, for at
    // most `ms`. Several moves may reach the program as one (the X connection merges queued
    // motion), so a single pair of moves is not sure to be two steps.
    bool moveUntil(const std::function<bool()>& done, int ms) {
        bool far = false;
        return waitUntil(
            [&] {
                far = !far;
                moveMouse(far ? 300 : 100, far ? 300 : 100);
                return done();
            },
            ms);
    }

    bool moveMouse(int px, int py) {
        return x.run(QStringLiteral("xdotool"),
                     {QStringLiteral("mousemove"), QString::number(px), QString::number(py)}) == 0;
    }
};

TEST_F(DisplayE2e, ShowsTheSlidesFromTheSecondOnInListOrder) {
    seed();
    ProgramRun run(env, x.display());
    run.start({QStringLiteral("/S")});
    EXPECT_EQ(watch(20000, 5), u"GBRGB") << qPrintable(run.errorOutput());
    EXPECT_TRUE(run.isRunning());
}

TEST_F(DisplayE2e, AMouseMoveBeyondTheSensitivityEndsTheProgram) {
    seed();
    ASSERT_TRUE(moveMouse(100, 100));  // where the pointer rests when the display appears
    ProgramRun run(env, x.display());
    run.start({QStringLiteral("/S")});
    ASSERT_FALSE(watch(15000, 1).isEmpty()) << qPrintable(run.errorOutput());
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(moveMouse(100 + 8 * (i % 2), 100 + 4 * (i % 2)));  // steps below 15
    }
    EXPECT_FALSE(run.waitForEnd(1500));
    EXPECT_TRUE(moveUntil([&] { return run.waitForEnd(200); }, 10000));
    EXPECT_EQ(run.exitCode(), 0);
}

TEST_F(DisplayE2e, PlayNowHidesTheDisplayAndTheProgramStays) {
    seed({QStringLiteral("Settings/MusicNow=1")});
    ProgramRun run(env, x.display());
    run.start({QStringLiteral("/S")});
    ASSERT_FALSE(watch(15000, 1).isEmpty()) << qPrintable(run.errorOutput());
    EXPECT_TRUE(moveUntil([&] { return centreOf(x.screenshot()) == '?'; }, 10000));
    // The slides do not come back, and the process lives on.
    EXPECT_FALSE(waitUntil([&] { return centreOf(x.screenshot()) != '?'; }, 2500));
    EXPECT_TRUE(run.isRunning());
    run.kill();
}

}  // namespace
}  // namespace luma::test
