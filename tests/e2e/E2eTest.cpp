// The built program as a user starts it: twice at once, a show, the control panel, a music-only
// run in the tray, `make demo`, and the show as screen saver daemons run it.
#include "TestMedia.h"
#include "e2e/E2eSupport.h"
#include "settings/IniSettingsStore.h"
#include "support/Compositor.h"
#include "support/MutterSession.h"

#include <gtest/gtest.h>

#include <QDBusInterface>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRect>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <csignal>
#include <iostream>

namespace luma::test {
namespace {

bool locked(const TempEnv& env) {
    return waitUntil([&] { return QFile::exists(env.runtimeDir() + "/lumafolio-1.1.lock"); },
                     10000);
}

// With no display named, or one named that no X server answers at, a mode that needs one says so
// in one line and ends with 1; the preview and the switches that end at once end quietly.
TEST(E2e, WithoutADisplayTheShowSaysSoInOneLineAndThePreviewEndsQuietly) {
    const struct {
        QStringList arguments;
        int status;
        bool complains;
        bool unanswered = false;  // DISPLAY names a display without a server
    } cases[] = {{{"/S"}, 1, true},        {{"/P", "1234"}, 0, false}, {{"--help"}, 0, false},
                 {{"/S"}, 1, true, true},  {{"/C"}, 1, true, true},    {{"/A"}, 1, true, true},
                 {{"/P"}, 0, false, true}, {{"/X"}, 0, false, true}};
    for (const auto& c : cases) {
        TempEnv env;
        ProgramRun run(
            c.arguments, {},
            {"QT_QPA_PLATFORM", c.unanswered ? "DISPLAY=:97" : "DISPLAY", "WAYLAND_DISPLAY"});
        ASSERT_TRUE(run.ended(10000)) << qPrintable(c.arguments.join(' '));
        EXPECT_EQ(run.exitCode(), c.status);
        const QString errors = QString::fromUtf8(run.readAllStandardError());
        EXPECT_EQ(errors.startsWith(u"lumafolio: no display found") && errors.count(u'\n') == 1,
                  c.complains)
            << qPrintable(errors);
        EXPECT_EQ(errors.isEmpty(), !c.complains) << qPrintable(errors);
        EXPECT_FALSE(QFile::exists(env.settingsFile()));
    }
}

// While one instance runs, its "/A" box waiting for an answer, a second start ends at once in every
// mode and runs no first show; the first ends once its box is answered.
TEST(E2e, ASecondInstanceEndsAtOnce) {
    XServer x;
    TempEnv env;
    ProgramRun first({"/A"}, x.display);
    ASSERT_TRUE(locked(env));
    const QStringList modes[] = {{}, {"/S"}, {"/C"}, {"/A"}};
    for (const QStringList& mode : modes) {
        ProgramRun second(mode);
        EXPECT_TRUE(second.ended(10000) && second.exitCode() == 0) << qPrintable(mode.join(""));
    }
    EXPECT_FALSE(QFile::exists(env.settingsFile()));
    const QString box =
        QString(x.run("xdotool", {"search", "--sync", "--name", "^Error$"})).trimmed();
    ASSERT_EQ(first.state(), QProcess::Running);
    x.run("xdotool", {"windowfocus", "--sync", box, "key", "--window", box, "Return"});
    EXPECT_TRUE(first.ended(10000) && first.exitStatus() == QProcess::NormalExit &&
                first.exitCode() == 0);
}

// The letters of what covers each monitor of 800 x 600 from the left; '?' where not one colour.
QString slidesShown(const XServer& x) {
    const QImage shot = x.screenshot();
    QString letters;
    for (int m = 0; m < shot.width() / 800; ++m) {
        letters += letterOf(shot.pixelColor(400 + 800 * m, 300));
    }
    for (int i = 0; i < shot.width() * shot.height(); i += 97) {
        const int px = i % shot.width();
        if (letterOf(shot.pixelColor(px, i / shot.width())) != letters[px / 800]) {
            letters[px / 800] = u'?';
        }
    }
    return letters;
}

// A show of three solid slides over two monitors, two seconds each, with music and the chime on a
// machine without a usable sound device: every monitor shows slides, one added during the show
// among them, the list going on from the second entry left to right over the monitors at each
// change; one clear line that there is no sound; small mouse moves on the second monitor pass, and
// a move beyond the sensitivity ends the show. With "EveryMonitor" off, the primary shows slides
// and the others the background.
TEST(E2e, AShowCoversEveryMonitorWithoutSoundUntilTheMouseMoves) {
    XServer x(true);
    TempEnv env;
    const QString media = env.configHome();
    QStringList settings = QString(
                               "Settings/Slides=1 Settings/delay=2 Settings/screensize=1 "
                               "Settings/Bsound=1 Settings/Asound=1 Settings/Mousesens=15 "
                               "Settings/BackColors=16777215 pictures/HowMany=3 music/HowMany=3")
                               .split(u' ');
    const QString music[] = {media + "/tone.wav", media + "/tone.mp3", media + "/tune.mid"};
    ASSERT_TRUE(writeToneWav(music[0], 1.0, 440) && encodeMp3(music[0], music[1]) &&
                writeSimpleMidi(music[2], 2));
    const Qt::GlobalColor colours[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 1; i <= 3; ++i) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colours[i - 1]);
        ASSERT_TRUE(image.save(QStringLiteral("%1/%2.bmp").arg(media).arg(i), "BMP"));
        settings << QStringLiteral("pictures/%1=%2/%1.bmp").arg(i).arg(media)
                 << QStringLiteral("music/%1=%2").arg(i).arg(music[i - 1]);
    }
    writeSettings(env.settingsFile(), settings);
    x.run("xdotool", {"mousemove", "1200", "300"});  // where the pointer rests as the show starts

    ProgramRun run({"/S"}, x.display, {"SDL_AUDIODRIVER=nosuchdriver"});
    QStringList seen;
    QString before;  // a reading counts when the next agrees: the monitors repaint one by one
    waitUntil(
        [&] {
            const QString now = slidesShown(x);
            if (now == std::exchange(before, now) && !now.isEmpty() && !now.contains(u'?') &&
                seen.value(seen.size() - 1) != now) {
                seen.append(now);
            }
            return seen.size() >= 4;
        },
        30000);
    EXPECT_EQ(seen.join(u' '), "GB RG BR GB");
    for (const QString change :
         {"--newmode 800x600_added 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync",
          "--addmode DUMMY2 800x600_added", "--output DUMMY2 --mode 800x600_added --pos 1600x0"}) {
        x.run("xrandr", change.split(u' '));
    }
    const QStringList inOrder = {"RGB", "GBR", "BRG"};
    EXPECT_TRUE(waitUntil([&] { return inOrder.contains(slidesShown(x)); }, 10000));
    for (int i = 0; i < 10; ++i) {  // steps below the sensitivity
        x.run("xdotool", {"mousemove", QString::number(1200 + 8 * (i % 2)), "300"});
    }
    EXPECT_FALSE(run.ended(1500));
    // Several queued moves may reach the program as one, so it takes moves back and forth.
    bool far = false;
    EXPECT_TRUE(waitUntil(
        [&] {
            x.run("xdotool", {"mousemove", (far = !far) ? "1400" : "1200", "300"});
            return run.ended(200);
        },
        10000));
    EXPECT_EQ(run.exitCode(), 0);
    const QString errors = run.readAllStandardError();
    EXPECT_TRUE(errors.startsWith("lumafolio: no sound device") &&
                errors.contains("nosuchdriver") && errors.count(u'\n') == 1)
        << "one line that names what failed: " << qPrintable(errors);
    writeSettings(env.settingsFile(), {"Settings/EveryMonitor=0"});
    ProgramRun off({"/S"}, x.display);
    const QStringList background = {"RWW", "GWW", "BWW"};
    EXPECT_TRUE(waitUntil([&] { return background.contains(slidesShown(x)); }, 10000));
}

// A picture of red and blue columns by turns, at the screen's device size, keeps its one-pixel
// stripes at device pixel ratios of 2 and 1.5: stretched across the whole width, and at actual size
// from its random place to the right edge, one picture pixel per device pixel.
TEST(E2e, OnePicturePixelIsOneDevicePixelAtRatiosOf2AndOneAndAHalf) {
    XServer x(false, "1920x1080");
    TempEnv env;
    QImage stripes(1920, 1080, QImage::Format_RGB32);
    for (int i = 0; i < 1920 * 1080; ++i) {
        stripes.setPixelColor(i % 1920, i / 1920, i % 2 == 0 ? Qt::red : Qt::blue);
    }
    ASSERT_TRUE(stripes.save(env.configHome() + "/stripes.bmp", "BMP"));
    // Along the bottom row: the background, then at least `least` columns of red and blue by turns.
    const auto striped = [&x](int least) {
        const QImage shot = x.screenshot();
        QString row;
        for (int c = 0; c < shot.width(); ++c) {
            row += letterOf(shot.pixelColor(c, shot.height() - 1));
        }
        const QString part = row.mid(row.indexOf(QRegularExpression("[RB]")));
        return part.size() >= least && !part.contains(QRegularExpression("[^RB]|RR|BB"));
    };
    for (const QString scale : {"2", "1.5"}) {
        for (const QString size : {"1", "0"}) {
            ASSERT_TRUE(waitUntil([&] { return !striped(1); }, 10000)) << "the last run's slide";
            writeSettings(env.settingsFile(),
                          {"Settings/Slides=1", "Settings/Slidesize=1", "Settings/Mousesens=15",
                           "Settings/screensize=" + size, "pictures/HowMany=1",
                           "pictures/1=" + env.configHome() + "/stripes.bmp"});
            ProgramRun run({"/S"}, x.display, {"QT_SCALE_FACTOR=" + scale});
            EXPECT_TRUE(waitUntil([&] { return striped(size == "1" ? 1920 : 1920 / 4); }, 20000))
                << "ratio " << qPrintable(scale) << ", screensize=" << qPrintable(size);
        }
    }
}

// With "Fade", the middle of the screen passes through a blend of a red and a blue slide.
TEST(E2e, AFadeBlendsOneSlideIntoTheNext) {
    XServer x;
    TempEnv env;
    QStringList settings = {"Settings/Slides=1", "Settings/screensize=1", "Settings/delay=1",
                            "Settings/Fade=1",   "Settings/Mousesens=15", "pictures/HowMany=2"};
    for (const auto& [i, colour] : {std::pair{1, Qt::red}, std::pair{2, Qt::blue}}) {
        QImage slide(64, 48, QImage::Format_RGB32);
        slide.fill(colour);
        const QString path = QStringLiteral("%1/%2.bmp").arg(env.configHome()).arg(i);
        ASSERT_TRUE(slide.save(path, "BMP"));
        settings << QStringLiteral("pictures/%1=%2").arg(i).arg(path);
    }
    writeSettings(env.settingsFile(), settings);
    ProgramRun run({"/S"}, x.display);
    EXPECT_TRUE(waitUntil(
        [&x] {
            const QColor c = x.screenshot().pixelColor(400, 300);
            return c.red() > 40 && c.red() < 215 && c.blue() > 40 && c.blue() < 215;
        },
        15000));
}

// "/C" opens the panel. A music file typed into its Sound tab, added, and saved with "Save
// settings, Close" is in the settings file, beside every setting at its default.
TEST(E2e, ThePanelSavesAFileAddedOnItsSoundTab) {
    XServer x;
    TempEnv env;
    ProgramRun run({"/C"}, x.display);
    const QString id = QString(x.run("xdotool", {"search", "--sync", "--onlyvisible", "--name",
                                                 "^Make a Lumafolio$"}))
                           .trimmed();
    ASSERT_FALSE(id.isEmpty());
    // From Preferences past Help, About/Admin and Slides to Sound.
    x.run("xdotool", {"windowfocus", "--sync", id, "key", "--window", id, "ctrl+Tab", "ctrl+Tab",
                      "ctrl+Tab", "ctrl+Tab"});
    const QString wav = env.configHome() + "/type alias/Blood  Type O.wav";
    ASSERT_TRUE(QDir().mkpath(env.configHome() + "/type alias") && writeToneWav(wav, 1.0, 440));
    // Clicks at panel coordinates: the panel has its design size, 545 x 385, at 96 dots per inch.
    const auto click = [&](int px, int py) {
        x.run("xdotool", {"mousemove", "--window", id, "--sync", QString::number(px),
                          QString::number(py), "click", "1"});
    };
    click(360, 77);  // the music file box
    x.run("xdotool", {"type", "--delay", "5", wav});
    click(280, 108);               // "Add selection to list"
    click(545 * 3 / 8, 385 - 12);  // "Save settings, Close", the second of four buttons below
    ASSERT_TRUE(run.ended(15000));
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_EQ(
        QSettings(IniSettingsStore::listPath(env.settingsFile(), "music"), QSettings::IniFormat)
            .value("music/1"),
        wav);
    QSettings file(env.settingsFile(), QSettings::IniFormat);
    file.beginGroup("Settings");
    EXPECT_EQ(file.childKeys().size(), 18) << qPrintable(file.childKeys().join(u','));
    EXPECT_EQ(file.value("delay").toString(), "5");
    EXPECT_EQ(file.value("MusicNow").toString(), "0");
}

// The first tenth of a second of the sound SDL's disk driver wrote (interleaved stereo floats) in
// which `frequency` clearly dominates `other`; -1 when none.
int firstTenthOf(const QString& path, double frequency, double other) {
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const auto* samples = reinterpret_cast<const float*>(bytes.constData());
    for (qsizetype t = 0; (t + 1) * 4 * 8820 <= bytes.size(); ++t) {
        const std::vector<float> part(samples + t * 8820, samples + (t + 1) * 8820);
        const double a = goertzelPower(part, frequency);
        if (a > 1e-3 && a > 20 * goertzelPower(part, other)) {
            return static_cast<int>(t);
        }
    }
    return -1;
}

// The sky of the icon in the tray's corner of the screen.
bool iconVisible(const XServer& x) {
    const QImage shot = x.screenshot().copy(0, 0, 64, 32);
    int sky = 0;
    for (int i = 0; i < 64 * 32 && !shot.isNull(); ++i) {
        const QColor c = shot.pixelColor(i % 64, i / 64);
        sky += c.red() < 30 && c.green() > 100 && c.green() < 160 && c.blue() > 220;
    }
    return sky > 5;
}

// A music-only run docks its icon in a real tray (trayer) and plays its playlist, a wave file
// whose path holds words of the device command grammar and then an MP3, in order through the real
// output; the icon's menu, opened by a right click, ends the program with its last item.
TEST(E2e, MusicOnlyPlaysInOrderAndTheTrayIconShutsItDown) {
    XServer x;
    QProcess trayer;
    trayer.start("env",
                 ("DISPLAY=" + x.display +
                  " trayer --edge top --align left --widthtype pixel --width 120 --heighttype "
                  "pixel --height 32 --SetDockType false --SetPartialStrut false "
                  "--transparent false --tint 0xffffff")
                     .split(u' '));
    TempEnv env;
    const QString wav = env.configHome() + "/type alias/Blood  Type O.wav";
    const QString mp3 = env.configHome() + "/second.mp3", sound = env.configHome() + "/sound.raw";
    ASSERT_TRUE(QDir().mkpath(env.configHome() + "/type alias") && writeToneWav(wav, 1.0, 440));
    ASSERT_TRUE(writeToneWav(mp3 + ".wav", 1.0, 660) && encodeMp3(mp3 + ".wav", mp3));
    writeSettings(env.settingsFile(), QStringList{"Settings/MusicOnly=1", "Settings/Bsound=1",
                                                  "music/HowMany=2", "Settings/Mousesens=15"}
                                          << "music/1=" + wav << "music/2=" + mp3);
    ASSERT_FALSE(x.run("xdotool", {"search", "--sync", "--name", "^panel$"}).isEmpty());
    ProgramRun run({"/S"}, x.display, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound});
    ASSERT_TRUE(waitUntil([&] { return iconVisible(x); }, 20000));
    // A second of each entry, a poll between them.
    EXPECT_TRUE(waitUntil(
        [&] {
            const int first = firstTenthOf(sound, 440, 660);
            return first >= 0 && firstTenthOf(sound, 660, 440) >= first + 9;
        },
        20000));

    const auto menuVisible = [&] { return x.screenshot().pixelColor(120, 70).lightness() > 200; };
    x.run("xdotool", {"mousemove", "16", "16", "click", "3"});
    ASSERT_TRUE(waitUntil(menuVisible, 10000)) << "the menu did not open";
    x.run("xdotool", {"key", "Up", "Return"});  // "Shutdown Lumafolio"
    EXPECT_TRUE(run.ended(15000) && run.exitCode() == 0);
    EXPECT_TRUE(waitUntil([&] { return !iconVisible(x); }, 10000)) << "no icon left behind";
}

// `make demo` without a display: the show runs under Xvfb and records its changing screen and
// its sound.
TEST(E2e, TheDemoRunsHeadlessAndRecordsPicturesAndSound) {
    QTemporaryDir out;
    QProcess demo;
    demo.start("env", QString("-u QT_QPA_PLATFORM DEMO_HEADLESS=1 DEMO_SECONDS=11 DEMO_OUT=%1 "
                              "%2/tools/demo.sh %3")
                          .arg(out.path(), LUMAFOLIO_SOURCE_DIR, LUMAFOLIO_BINARY_DIR)
                          .split(u' '));
    QFile log(out.filePath("program.log"));
    ASSERT_TRUE(demo.waitForFinished(90000) && demo.exitCode() == 0)
        << demo.readAllStandardError().toStdString() << "--- the show said:\n"
        << (log.open(QIODevice::ReadOnly) ? log.readAll().toStdString() : std::string());
    EXPECT_TRUE(demo.readAllStandardOutput().contains(out.path().toUtf8()));
    const QStringList shots = QDir(out.path()).entryList({"screen-*.png"});
    ASSERT_GE(shots.size(), 3);
    EXPECT_NE(QImage(out.filePath(shots.first())), QImage(out.filePath(shots.last())));
    EXPECT_GT(QFileInfo(out.filePath("sound.wav")).size(), 44100 * 2 * 4 * 5) << "seconds of sound";
}

// The show as screen saver daemons run it: the real xscreensaver and xsecurelock, and two savers
// at once in the windows a daemon makes on two monitors. Their files are in folders everyone may
// read, a daemon's user among them.

bool slideAt(const XServer& x, QPoint at) {
    return waitUntil([&] { return letterOf(x.screenshot().pixelColor(at)) == 'R'; }, 10000);
}

// Without a session bus in the environment, as xscreensaver gives its savers when it runs without
// one, no mode starts a bus of its own (which would outlive it): once each has put up its window
// and ended, no D-Bus process runs on its X server.
TEST(E2e, NoModeStartsABusOfItsOwn) {
    XServer x;
    TempEnv env;
    QTemporaryDir media;
    writeSettings(env.settingsFile(), saverShow(media, "Settings/Bsound=1"));
    // D-Bus processes of this X server: a bus started by a program on it inherits its display.
    const auto buses = [&x] {
        int n = 0;
        for (const QByteArray& pid :
             x.run("pgrep", {"-x", "dbus-daemon|dbus-launch"}).split('\n')) {
            QFile variables(QStringLiteral("/proc/%1/environ").arg(QString::fromLatin1(pid)));
            n += variables.open(QIODevice::ReadOnly) &&
                 variables.readAll().split('\0').contains("DISPLAY=" + x.display.toLocal8Bit());
        }
        return n;
    };
    for (const QString mode : {"-root", "/S", "/C"}) {
        ProgramRun run({mode}, x.display, {"DBUS_SESSION_BUS_ADDRESS"});
        const QString pid = QString::number(run.processId());
        EXPECT_TRUE(waitUntil(
            [&] {
                return !x.run("xdotool", {"search", "--onlyvisible", "--pid", pid}).isEmpty();
            },
            10000))
            << qPrintable(mode);
        run.terminate();
        EXPECT_TRUE(run.ended(5000));
        EXPECT_EQ(buses(), 0) << qPrintable(mode) << " left a bus behind";
    }
}

// "--idle" on an X11 desktop, with minutes of 1.5 s: the slide comes after the idle time and input
// ends the show; the panel and a second watcher meanwhile find no lock held.
TEST(E2e, TheIdleWatcherStartsTheShowAfterIdleTimeOnX11) {
    XServer x;
    TempEnv env;
    PrivateBus bus;
    QTemporaryDir media;
    writeSettings(env.settingsFile(), saverShow(media, "Settings/Bsound=0")
                                          << "Settings/IdleMinutes=1");
    const auto shown = [&x] { return letterOf(x.screenshot().pixelColor(500, 400)) == 'R'; };
    bool far = false;
    const auto move = [&] { x.run("xdotool", {"mousemove", (far = !far) ? "900" : "100", "100"}); };
    const auto showThenEnd = [&] {
        EXPECT_TRUE(waitUntil(shown, 15000)) << "no show after the idle time";
        EXPECT_TRUE(waitUntil([&] { return move(), !shown(); }, 10000));
    };
    move();
    ProgramRun watcher(
        {"--idle"}, x.display,
        {"LUMAFOLIO_IDLE_MINUTE_MS=1500", "DBUS_SESSION_BUS_ADDRESS=" + bus.address()});
    ASSERT_TRUE(waitUntil(
        [&] { return QFile::exists(env.runtimeDir() + "/lumafolio-1.1-idle.lock"); }, 10000));
    ProgramRun second({"--idle"}, x.display);
    EXPECT_TRUE(second.ended(5000) && second.exitCode() == 0) << "one watcher per user";
    {
        ProgramRun panel({"/C"}, x.display);
        EXPECT_FALSE(panel.ended(1000)) << "the watcher holds no lock while it waits";
    }
    showThenEnd();
    // The settings file followed: no minutes, no show, and none while a player's inhibition is
    // held (asked of the session's screen saver, which the watcher serves here) or the X server's
    // saver is switched off; each kept it away until lifted.
    writeSettings(env.settingsFile(), {"Settings/IdleMinutes=0"});
    EXPECT_FALSE(waitUntil(shown, 4000)) << "shown with no minutes";
    QDBusInterface saver("org.freedesktop.ScreenSaver", "/ScreenSaver",
                         "org.freedesktop.ScreenSaver", bus.connect());
    const QDBusMessage cookie = saver.call("Inhibit", "mpv", "video");
    writeSettings(env.settingsFile(), {"Settings/IdleMinutes=1"});
    EXPECT_FALSE(waitUntil(shown, 4000)) << "shown while a player inhibits it";
    x.run("xset", {"s", "off"});
    saver.call("UnInhibit", cookie.arguments().value(0));
    EXPECT_FALSE(waitUntil(shown, 4000)) << "shown with the X server's saver off";
    x.run("xset", {"s", "default"});
    showThenEnd();
    watcher.terminate();
    EXPECT_TRUE(watcher.ended(5000) && watcher.exitCode() == 0);
}

// "--idle" on GNOME under Wayland, with minutes of 1.5 s: Mutter's idle monitor brings the show
// after the idle time, not while gnome-session holds an idle inhibitor; a pointer move ends it, and
// the watcher goes on. Mutter offers no screenshot without its shell: the show is seen as the lock
// its watcher holds while the window is shown, and as Mutter's input reaching it (Mutter counts
// idle time from the last input, so the watcher's own start needs no waiting for).
TEST(E2e, TheIdleWatcherStartsTheShowAfterIdleTimeOnGnome) {
    if (!MutterSession::installed()) {
        GTEST_SKIP() << "needs mutter and gnome-session-bin (make deps installs them)";
    }
    MutterSession gnome;
    ASSERT_EQ(gnome.error(), "");
    TempEnv env;
    QTemporaryDir media;
    writeSettings(env.settingsFile(), saverShow(media, "Settings/Bsound=0")
                                          << "Settings/IdleMinutes=1");
    ProgramRun watcher({"--idle"}, {},
                       gnome.environment() << "DISPLAY"
                                           << "QT_QPA_PLATFORM=wayland"
                                           << "LUMAFOLIO_IDLE_MINUTE_MS=1500");
    const auto shown = [&] { return QFile::exists(env.runtimeDir() + "/lumafolio-1.1.lock"); };
    QElapsedTimer clock;
    ASSERT_TRUE(gnome.move(1, 1));
    clock.start();
    ASSERT_TRUE(waitUntil(shown, 6000)) << "no show after the idle time";
    EXPECT_GE(clock.elapsed(), 1300) << "before the idle time";
    EXPECT_FALSE(waitUntil([&] { return !shown(); }, 1000)) << "gone without input";
    bool back = false;
    const auto endByPointer = [&] {
        return waitUntil([&] { return gnome.move((back = !back) ? -40 : 40, 40), !shown(); }, 5000);
    };
    EXPECT_TRUE(endByPointer()) << "a pointer move ends nothing";
    ASSERT_TRUE(gnome.inhibitIdle());
    ASSERT_TRUE(gnome.move(1, 1));
    EXPECT_FALSE(waitUntil(shown, 3500)) << "shown although inhibited";
    gnome.endInhibitor();
    ASSERT_TRUE(waitUntil(shown, 3000)) << "no show once the inhibitor left";
    EXPECT_TRUE(endByPointer());
    watcher.terminate();
    // Its status is not asked: Qt's Wayland plugin leaves allocations at exit that a sanitizer
    // build reports (the X11 run asks it).
    EXPECT_TRUE(watcher.ended(5000));
}

// "--idle" as a Wayland client of headless sway with two outputs, run as an ordinary user: after
// the idle time the slide fills both outputs; a virtual keyboard's key ends the show, and the
// watcher brings it back next time, with no input after that key (sway 1.7 drops input while the
// show keeps the desktop awake).
TEST(E2e, TheIdleWatcherStartsTheShowOnEveryOutputUnderSway) {
    const auto sway = Compositor::sway({LUMAFOLIO_BINARY_DIR "/lumafolio11.scr"}, 2);
    ASSERT_TRUE(sway) << "sway did not start";
    QTemporaryDir media;
    writeSettings(sway->folder() + "/.config/lumafolio/Lumafolio 1.1.ini",
                  saverShow(media, "Settings/Bsound=0") << "Settings/IdleMinutes=1"
                                                        << "Settings/AllowLock=0");
    handToSaverUser(sway->folder());
    // The centre of each output as a letter: "??" is sway's grey desktop. (A shot of the whole
    // layout showed the second output stale.)
    const auto outputs = [&sway] {
        QString letters;
        for (const QString output : {"HEADLESS-1", "HEADLESS-2"}) {
            const QImage shot =
                QImage::fromData(sway->run({"grim", "-t", "ppm", "-o", output, "-"}).value_or(""));
            letters += shot.isNull() ? '-' : letterOf(shot.pixelColor(shot.rect().center()));
        }
        return letters;
    };
    ASSERT_EQ(outputs(), "??") << sway->log().toStdString();
    QProcess watcher;
    watcher.setProcessChannelMode(QProcess::MergedChannels);
    QStringList command = sway->asUser({sway->bin("lumafolio11.scr"), "--idle"},
                                       {"LUMAFOLIO_IDLE_MINUTE_MS=1500"}, "wayland");
    watcher.start(command.takeFirst(), command);
    // The waits are long for a sanitizer build on a loaded machine; they end as soon as it shows.
    EXPECT_TRUE(waitUntil([&] { return outputs() == "RR"; }, 20000)) << qPrintable(outputs());
    const QString ipc = QDir(sway->folder()).entryList({"sway-ipc.*"}, QDir::System).value(0);
    EXPECT_TRUE(
        sway->run({"env", "SWAYSOCK=" + sway->folder() + "/" + ipc, "swaymsg", "-t", "get_tree"})
            .value_or("")
            .contains("\"inhibit_idle\": true"))
        << "the desktop may blank the show although the settings forbid it";
    // The key comes once the virtual keyboard has had time to reach the program.
    EXPECT_TRUE(sway->run({"wtype", "-s", "1000", "-k", "Shift_L"})) << "wtype failed";
    EXPECT_TRUE(waitUntil([&] { return outputs() == "??"; }, 5000)) << qPrintable(outputs());
    EXPECT_TRUE(waitUntil([&] { return outputs() == "RR"; }, 20000))
        << "no show after the end: " << qPrintable(outputs());
    watcher.terminate();  // runuser passes it on
    EXPECT_TRUE(watcher.waitForFinished(5000));
    if (HasFailure()) {
        std::cerr << "--- lumafolio:\n"
                  << watcher.readAll().toStdString() << "--- sway:\n"
                  << sway->log().toStdString();
    }
}

// "--idle" as a Wayland client of KWin's virtual session: its ext_idle_notifier_v1 brings the show
// after the idle time, and a key through KWin's fake input ends it. The show is seen as the lock
// its watcher holds while it runs.
TEST(E2e, TheIdleWatcherStartsTheShowUnderKwin) {
    if (QStandardPaths::findExecutable("kwin_wayland").isEmpty()) {
        GTEST_SKIP() << "needs kwin-wayland (make deps installs it)";
    }
    Compositor kwin("kwin_wayland",
                    {"--virtual", "--no-lockscreen", "--no-global-shortcuts", "--no-kactivities",
                     "--socket", "luma-kwin"},
                    {"KWIN_COMPOSE=Q", "KWIN_WAYLAND_NO_PERMISSION_CHECKS=1"},
                    {LUMAFOLIO_BINARY_DIR "/lumafolio11.scr", KWIN_FAKE_KEY});
    ASSERT_FALSE(kwin.socket.isEmpty()) << kwin.log().toStdString();
    QTemporaryDir media;
    writeSettings(kwin.folder() + "/.config/lumafolio/Lumafolio 1.1.ini",
                  saverShow(media, "Settings/Bsound=0") << "Settings/IdleMinutes=1");
    handToSaverUser(kwin.folder());
    const auto shown = [&kwin] { return QFile::exists(kwin.folder() + "/lumafolio-1.1.lock"); };
    QProcess watcher;
    watcher.setProcessChannelMode(QProcess::MergedChannels);
    QStringList command = kwin.asUser({kwin.bin("lumafolio11.scr"), "--idle"},
                                      {"LUMAFOLIO_IDLE_MINUTE_MS=1500"}, "wayland");
    watcher.start(command.takeFirst(), command);
    EXPECT_TRUE(waitUntil(shown, 10000)) << "no show after the idle time";
    EXPECT_TRUE(waitUntil([&] { return kwin.run({kwin.bin("kwin-fake-key")}), !shown(); }, 5000))
        << "a key did not end the show";
    watcher.terminate();
    EXPECT_TRUE(watcher.waitForFinished(5000));
    if (HasFailure()) {
        std::cerr << "--- lumafolio:\n"
                  << watcher.readAll().toStdString() << "--- kwin:\n"
                  << kwin.log().toStdString();
    }
}

// The daemon's saver, started with `option`, shows the slide; once `stop` has run it ends within
// `limitMs` (a zombie that nobody reaps counts as ended).
void expectSaverEnds(const XServer& x, const QString& option, const std::function<void()>& stop,
                     int limitMs) {
    ASSERT_TRUE(slideAt(x, {512, 384})) << "no slide on the screen";
    const QString pid =
        QString(x.run("pgrep", {"-f", "lumafolio11.scr " + option})).section(u'\n', 0, 0);
    ASSERT_FALSE(pid.isEmpty());
    stop();
    const auto ended = [&] {
        QFile stat("/proc/" + pid + "/stat");
        const QByteArray text = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        return text.isEmpty() || text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
    };
    EXPECT_TRUE(waitUntil(ended, limitMs))
        << "the saver runs on " << limitMs << " ms after its end";
}

TEST(E2e, XscreensaverShowsTheSlideAndEndsTheSaverOnDeactivation) {
    XServer x;
    QTemporaryDir media, home;
    writeSettings(home.filePath(".config/lumafolio/Lumafolio 1.1.ini"),
                  saverShow(media, "Settings/Bsound=0"));
    QStringList command = xscreensaverCommand(home.path(), x.display);
    ASSERT_FALSE(command.isEmpty());
    QProcess daemon;
    const QString program = command.takeFirst();
    daemon.setProcessChannelMode(QProcess::MergedChannels);
    daemon.start(program, command << "--verbose");
    QByteArray said;  // what the daemon says, shown when the test fails
    const auto says = [&](const char* text) {
        daemon.waitForReadyRead(50);
        said += daemon.readAll();
        return said.contains(text);
    };
    // A loaded machine may take its time to start the daemon and to have it end the saver: the
    // waits go by what the daemon says, the saver's own time by the clock.
    ASSERT_TRUE(waitUntil(
        [&] { return says("") && !x.run("xscreensaver-command", {"-time"}).isEmpty(); }, 60000));
    x.run("xscreensaver-command", {"-activate"});
    expectSaverEnds(
        x, "--root",
        [&] {
            x.run("xscreensaver-command", {"-deactivate"});
            EXPECT_TRUE(waitUntil([&] { return says(": killing pid "); }, 60000));
        },
        1000);
    x.run("xscreensaver-command", {"-exit"});
    daemon.waitForFinished(5000);
    if (HasFailure()) {
        std::cerr << "--- xscreensaver said:\n" << (said + daemon.readAll()).toStdString();
    }
}

// The installed saver of xsecurelock, which passes SIGTERM on to it at its end.
TEST(E2e, XsecurelockRunsTheInstalledSaverUntilItsSignal) {
    XServer x;
    QTemporaryDir media;
    TempEnv env;
    writeSettings(env.settingsFile(), saverShow(media, "Settings/Bsound=0"));
    QProcess locker;
    locker.start("env", QString("-u QT_QPA_PLATFORM DISPLAY=%1 XSECURELOCK_SAVER=%2 "
                                "XSECURELOCK_NO_COMPOSITE=1 XSECURELOCK_BLANK_TIMEOUT=-1 "
                                "xsecurelock -- true")
                            .arg(x.display, installed("libexec/xsecurelock/saver_lumafolio"))
                            .split(u' '));
    expectSaverEnds(
        x, "-root", [&] { locker.terminate(); }, 2000);
    EXPECT_TRUE(locker.waitForFinished(5000));
}

// Two savers at once in windows of their own, as a daemon starts them on two monitors: both show
// the slide, only the first, which took the lock, plays the music, and SIGINT and SIGHUP end them
// the way a close does.
TEST(E2e, TwoHostedSaversShowTheSlideAndOnlyTheFirstPlays) {
    XServer x;
    QProcess windows;
    windows.start("env", {"DISPLAY=" + x.display, LUMAFOLIO_BINARY_DIR "/tests/e2e/x11-window",
                          "512", "768", "0", "0", "512", "768", "512", "0"});
    ASSERT_TRUE(windows.waitForReadyRead(10000));
    const QStringList ids = QString(windows.readLine()).trimmed().split(u' ');
    ASSERT_EQ(ids.size(), 2);
    QTemporaryDir media;
    TempEnv env;
    writeSettings(env.settingsFile(), saverShow(media, "Settings/Bsound=1"));
    const QString sound = media.filePath("sound-");
    ProgramRun first({"-window-id", ids[0]}, x.display,
                     {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound + ids[0]});
    ASSERT_TRUE(locked(env)) << "the first takes the lock before the second starts";
    ProgramRun second({"-window-id", ids[1]}, x.display,
                      {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound + ids[1]});
    EXPECT_TRUE(slideAt(x, {256, 384}) && slideAt(x, {768, 384}));
    EXPECT_TRUE(waitUntil([&] { return QFileInfo(sound + ids[0]).size() > 4 * 44100 * 2; }, 10000))
        << "the first saver plays the music";
    EXPECT_EQ(QFileInfo(sound + ids[1]).size(), 0) << "the second saver stays silent";
    ::kill(static_cast<pid_t>(first.processId()), SIGINT);
    ::kill(static_cast<pid_t>(second.processId()), SIGHUP);
    for (ProgramRun* saver : {&first, &second}) {
        EXPECT_TRUE(saver->ended(5000) && saver->exitStatus() == QProcess::NormalExit &&
                    saver->exitCode() == 0);
    }
}

}  // namespace
}  // namespace luma::test
