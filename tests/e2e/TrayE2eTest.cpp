// A music-only run docks its icon in a real tray (trayer); the icon's menu shuts the program down.
#include "e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

namespace luma::test {
namespace {

// The icon's frame and sky colours somewhere in the tray's corner of the screen.
bool iconVisible(const XvfbServer& x) {
    const QImage shot = x.screenshot();
    if (shot.isNull()) {
        return false;
    }
    int frame = 0, sky = 0;
    for (int y = 0; y < 32; ++y) {
        for (int px = 0; px < 64; ++px) {
            const QColor c = shot.pixelColor(px, y);
            frame +=
                c.red() > 100 && c.red() < 160 && c.green() > 40 && c.green() < 90 && c.blue() < 30;
            sky += c.red() < 30 && c.green() > 100 && c.green() < 160 && c.blue() > 220;
        }
    }
    return frame > 5 && sky > 5;
}

// The menu opens at the icon, over the black screen below the tray.
bool menuVisible(const XvfbServer& x) {
    const QImage shot = x.screenshot();
    return !shot.isNull() && shot.pixelColor(120, 70).lightness() > 200;
}

TEST(TrayE2e, MusicOnlyDocksTheIconAndShutdownEndsEverything) {
    if (!QFile::exists(QStringLiteral("/usr/bin/trayer"))) {
        GTEST_SKIP() << "trayer is not installed";
    }
    XvfbServer x(800, 600);
    ASSERT_TRUE(x.isRunning());
    QProcess trayer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), x.display());
    trayer.setProcessEnvironment(env);
    trayer.start(
        QStringLiteral("trayer"),
        {"--edge",        "top",     "--align",           "left",  "--widthtype",   "pixel",
         "--width",       "120",     "--heighttype",      "pixel", "--height",      "32",
         "--SetDockType", "false",   "--SetPartialStrut", "false", "--transparent", "false",
         "--tint",        "0xffffff"});
    ASSERT_TRUE(trayer.waitForStarted(5000));
    QString found;
    ASSERT_TRUE(waitUntil(
        [&] {
            return x.run("xdotool", {"search", "--name", "^panel$"}, &found) == 0 &&
                   !found.trimmed().isEmpty();
        },
        10000));

    TempEnv home;
    writeSettings(home.settingsFile(),
                  {"Settings/Mousesens=15", "Settings/MusicOnly=1", "Settings/Bsound=0"});
    ProgramRun run(home, x.display());
    run.start({QStringLiteral("/S")});
    ASSERT_TRUE(waitUntil([&] { return iconVisible(x) || !run.isRunning(); }, 20000))
        << qPrintable(run.errorOutput());
    ASSERT_TRUE(run.isRunning()) << qPrintable(run.errorOutput());

    // Only a right click opens the menu; its last item shuts everything down.
    x.run("xdotool", {"mousemove", "16", "16", "click", "1"});
    EXPECT_TRUE(run.isRunning());
    EXPECT_FALSE(menuVisible(x)) << "a left click opens nothing";
    x.run("xdotool", {"mousemove", "16", "16", "click", "3"});
    ASSERT_TRUE(waitUntil([&] { return menuVisible(x); }, 10000)) << "the menu did not open";
    x.run("xdotool", {"key", "Up", "Return"});
    EXPECT_TRUE(run.waitForEnd(15000)) << "Shutdown Lumafolio ends the process";
    EXPECT_EQ(run.exitCode(), 0) << qPrintable(run.errorOutput());
    EXPECT_TRUE(waitUntil([&] { return !iconVisible(x); }, 10000)) << "no icon left behind";
    trayer.kill();
    trayer.waitForFinished(3000);
}

}  // namespace
}  // namespace luma::test
