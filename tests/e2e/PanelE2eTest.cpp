// The built program's control panel under a real X server: "/C" opens it, every tab shows, and the
// closing buttons end the program with the settings written.
#include "e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QSettings>

#include <set>

namespace luma::test {
namespace {

// The panel as it is on the screen once its picture stops changing, and differs from `before`.
QImage settledPicture(const XvfbServer& x, const QRect& area, const QImage& before) {
    QImage last;
    QImage settled;
    waitUntil(
        [&] {
            const QImage now = x.screenshot().copy(area);
            const bool steady = !now.isNull() && now == last && now != before;
            last = now;
            if (steady) {
                settled = now;
            }
            return steady;
        },
        10000);
    return settled;
}

int distinctColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

TEST(PanelE2e, ConfigureOpensThePanelAndEveryTabShows) {
    XvfbServer x;
    ASSERT_TRUE(x.isRunning());
    TempEnv env;
    ProgramRun run(env, x.display());
    run.start({QStringLiteral("/C")});
    const auto panel = waitForPanel(x, 20000);
    ASSERT_TRUE(panel) << qPrintable(run.errorOutput());
    EXPECT_EQ(panel->geometry.size(), QSize(545, 385)) << "96 dots per inch: the design size";
    EXPECT_NEAR(panel->geometry.center().x(), 512, 2) << "centred";
    EXPECT_NEAR(panel->geometry.center().y(), 384, 2);

    const QString shots = QStringLiteral(LUMAFOLIO_BINARY_DIR "/panel-screens/e2e");
    QDir().mkpath(shots);
    x.run("xdotool", {"windowfocus", "--sync", panel->id});
    std::vector<QImage> tabs;
    QImage previous;
    for (int i = 0; i < 5; ++i) {  // Preferences, Help, About/Admin, Slides, Sound
        const QImage picture = settledPicture(x, panel->geometry, previous);
        ASSERT_FALSE(picture.isNull()) << "tab " << i << " did not show";
        EXPECT_GT(distinctColours(picture), 4) << "tab " << i << " is blank";
        picture.save(shots + QStringLiteral("/tab-%1.png").arg((i + 2) % 5));
        tabs.push_back(picture);
        previous = picture;
        x.run("xdotool", {"key", "--window", panel->id, "ctrl+Tab"});
    }
    const QImage again = settledPicture(x, panel->geometry, previous);
    EXPECT_EQ(again, tabs.front()) << "five steps come back to the first tab";
    for (size_t a = 0; a < tabs.size(); ++a) {
        for (size_t b = a + 1; b < tabs.size(); ++b) {
            EXPECT_NE(tabs[a], tabs[b]) << a << " and " << b << " look the same";
        }
    }

    clickBottomButton(x, *panel, 1);  // "Save settings, Close"
    ASSERT_TRUE(run.waitForEnd(15000));
    EXPECT_EQ(run.exitCode(), 0);
    QSettings file(env.settingsFile(), QSettings::IniFormat);
    file.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(file.childKeys().size(), 14) << qPrintable(file.childKeys().join(u','));
    EXPECT_EQ(file.value(QStringLiteral("delay")).toString(), QStringLiteral("5"));
    EXPECT_EQ(file.value(QStringLiteral("MusicNow")).toString(), QStringLiteral("0"));
}

TEST(PanelE2e, JustCloseWritesOnlyWhatTheBoxesStoredAtOnce) {
    XvfbServer x;
    ASSERT_TRUE(x.isRunning());
    TempEnv env;
    writeSettings(env.settingsFile(), {"Settings/Mousesens=20", "Settings/delay=12",
                                       "pictures/HowMany=1", "pictures/1=/nowhere/a.jpg"});
    ProgramRun run(env, x.display());
    run.start({QStringLiteral("/c:1234")});
    const auto panel = waitForPanel(x, 20000);
    ASSERT_TRUE(panel) << qPrintable(run.errorOutput());
    settledPicture(x, panel->geometry, QImage());
    clickBottomButton(x, *panel, 2);  // "Just Close control panel"
    ASSERT_TRUE(run.waitForEnd(15000));
    EXPECT_EQ(run.exitCode(), 0);
    QSettings file(env.settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("Settings/delay")).toString(), QStringLiteral("12"));
    EXPECT_FALSE(file.contains(QStringLiteral("Settings/Randomplay"))) << "nothing was saved";
    EXPECT_EQ(file.value(QStringLiteral("Settings/AutoStartup")).toString(), QStringLiteral("0"));
    EXPECT_EQ(file.value(QStringLiteral("pictures/1")).toString(),
              QStringLiteral("/nowhere/a.jpg"));
}

}  // namespace
}  // namespace luma::test
