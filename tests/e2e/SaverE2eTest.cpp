// The show as the screen saver daemons run it (the real xscreensaver and xsecurelock, and two
// savers at once as a daemon starts them on two monitors), the show's own window on two monitors,
// and the end on a signal in every mode.
#include "TestMedia.h"
#include "e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstring>
#include <iostream>

#include <unistd.h>

namespace luma::test {
namespace {

const QColor kSlide(255, 0, 0);
const QColor kBackground(0, 255, 0);
const char* const kBackgroundValue = "65280";  // green, as the store keeps colours

bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
           std::abs(a.blue() - b.blue()) < 12;
}

// A folder everyone may read (a daemon's user among them), with a solid red slide and a tone.
struct Media {
    Media() {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadOther | QFile::ExeOther |
                                              QFile::ReadGroup | QFile::ExeGroup);
        QImage picture(400, 300, QImage::Format_RGB32);
        picture.fill(kSlide);
        picture.save(slide, "JPG", 95);
        writeToneWav(tone, 30.0, 440);
    }
    // The settings of a stretched slideshow of the red slide on green, with the tone as music.
    QStringList settings(bool music) const {
        return {"Settings/Mousesens=15",
                "Settings/Slides=1",
                "Settings/screensize=1",
                "Settings/delay=5",
                QStringLiteral("Settings/BackColors=") + kBackgroundValue,
                QStringLiteral("Settings/Bsound=") + (music ? "1" : "0"),
                "pictures/HowMany=1",
                "pictures/1=" + slide,
                "music/HowMany=1",
                "music/1=" + tone};
    }
    QTemporaryDir dir;
    QString slide = dir.filePath(QStringLiteral("slide.jpg"));
    QString tone = dir.filePath(QStringLiteral("tone.wav"));
};

QColor colourAt(const XvfbServer& x, QPoint at) {
    const QImage shot = x.screenshot();
    return shot.isNull() ? QColor() : QColor(shot.pixel(at));
}

// Waits at most `timeoutMs` until the screen shows `colour` at `at`; the milliseconds it took, or
// -1.
qint64 waitForColour(const XvfbServer& x, QPoint at, QColor colour, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    return waitUntil([&] { return near(colourAt(x, at), colour); }, timeoutMs) ? clock.elapsed()
                                                                               : -1;
}

// The pid of the program running with `argument`, or 0.
qint64 saverPid(const QString& argument) {
    QProcess pgrep;
    pgrep.start(QStringLiteral("pgrep"),
                {QStringLiteral("-f"), QStringLiteral("lumafolio11.scr ") + argument});
    pgrep.waitForFinished(3000);
    return QString::fromLatin1(pgrep.readAllStandardOutput()).split(u'\n').first().toLongLong();
}

// Waits at most `timeoutMs` for `pid` to end; the milliseconds it took, or -1.
qint64 waitForEnd(qint64 pid, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!processEnded(pid)) {
        if (clock.elapsed() > timeoutMs) {
            return -1;
        }
        QThread::msleep(5);
    }
    return clock.elapsed();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program installed into a folder of its own that every user may read: a daemon running as
// another user starts it from there, wherever the build is.
class Installed {
public:
    Installed() {
        QProcess install;
        install.start(QStringLiteral("cmake"),
                      {QStringLiteral("--install"), QStringLiteral(LUMAFOLIO_BINARY_DIR),
                       QStringLiteral("--prefix"), prefix_.path()});
        ok_ = install.waitForFinished(60000) && install.exitCode() == 0;
        QFile::setPermissions(prefix_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner | QFile::ReadOther |
                                                  QFile::ExeOther | QFile::ReadGroup |
                                                  QFile::ExeGroup);
    }
    bool ok() const { return ok_; }
    QString path(const char* relative) const {
        return prefix_.filePath(QString::fromLatin1(relative));
    }

private:
    QTemporaryDir prefix_;
    bool ok_ = false;
};

// xscreensaver launches no saver as root: as root, the daemon runs as a system user made for it.
QString daemonUser() {
    if (::geteuid() != 0) {
        return {};
    }
    const QString name = QStringLiteral("lumafolio-saver");
    QProcess::execute(QStringLiteral("useradd"),
                      {QStringLiteral("--system"), QStringLiteral("--no-create-home"),
                       QStringLiteral("--home-dir"), QStringLiteral("/nonexistent"),
                       QStringLiteral("--shell"), QStringLiteral("/usr/sbin/nologin"), name});
    return name;
}

TEST(SaverE2e, XscreensaverShowsTheSlidesAndEndsTheShowOnDeactivation) {
    XvfbServer x;
    ASSERT_TRUE(x.isRunning());
    const Installed installed;
    ASSERT_TRUE(installed.ok());
    Media media;
    QTemporaryDir home;
    const QString settingsFile =
        home.filePath(QStringLiteral(".config/lumafolio/Lumafolio 1.1.ini"));
    writeSettings(settingsFile, media.settings(false));
    const QByteArray settingsBefore = readAll(settingsFile);
    QFile config(home.filePath(QStringLiteral(".xscreensaver")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(
        "mode:\tone\nselected:\t0\ntimeout:\t8:00:00\ncycle:\t0:00:00\nlock:\tFalse\n"
        "lockTimeout:\t0:00:00\nsplash:\tFalse\nfade:\tFalse\nunfade:\tFalse\n"
        "dpmsEnabled:\tFalse\ngrabDesktopImages:\tFalse\n"
        "programs:\t\"Lumafolio\" " +
        installed.path("lib/lumafolio/lumafolio11.scr").toUtf8() + " --root \\n\\\n\n");
    config.close();

    QStringList command{QStringLiteral("env"),
                        QStringLiteral("-i"),
                        QStringLiteral("PATH=/usr/bin:/bin"),
                        QStringLiteral("HOME=") + home.path(),
                        QStringLiteral("DISPLAY=") + x.display(),
                        QStringLiteral("xscreensaver"),
                        QStringLiteral("--no-splash")};
    const QString user = daemonUser();
    if (!user.isEmpty()) {
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("-R"), user, home.path()});
        command = QStringList{QStringLiteral("-u"), user, QStringLiteral("--")} + command;
    }
    QProcess daemon;
    daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString program = user.isEmpty() ? command.takeFirst() : QStringLiteral("runuser");
    daemon.start(program, command);
    ASSERT_TRUE(daemon.waitForStarted(5000));
    ASSERT_TRUE(waitUntil(
        [&] {
            return x.run(QStringLiteral("xscreensaver-command"), {QStringLiteral("-time")}) == 0;
        },
        10000));

    x.run(QStringLiteral("xscreensaver-command"), {QStringLiteral("-activate")});
    const qint64 toSlide = waitForColour(x, QPoint(512, 384), kSlide, 10000);
    x.screenshot().save(QStringLiteral(LUMAFOLIO_BINARY_DIR "/saver-xscreensaver.png"));
    ASSERT_GE(toSlide, 0) << "no slide on the screen";
    const qint64 saver = saverPid(QStringLiteral("--root"));
    ASSERT_GT(saver, 0);

    x.run(QStringLiteral("xscreensaver-command"), {QStringLiteral("-deactivate")});
    const qint64 toEnd = waitForEnd(saver, 1000);
    EXPECT_GE(toEnd, 0) << "the saver is still running a second after deactivation";
    EXPECT_EQ(readAll(settingsFile), settingsBefore);
    std::cout << "xscreensaver: activation to the first slide " << toSlide
              << " ms, deactivation to the saver's exit " << toEnd << " ms" << std::endl;

    x.run(QStringLiteral("xscreensaver-command"), {QStringLiteral("-exit")});
    if (!daemon.waitForFinished(5000)) {
        daemon.kill();
        daemon.waitForFinished(3000);
    }
}

TEST(SaverE2e, XsecurelockRunsTheInstalledSaverUntilItsSignal) {
    XvfbServer x;
    ASSERT_TRUE(x.isRunning());
    QTemporaryDir prefix;
    QProcess install;
    install.start(QStringLiteral("cmake"),
                  {QStringLiteral("--install"), QStringLiteral(LUMAFOLIO_BINARY_DIR),
                   QStringLiteral("--prefix"), prefix.path()});
    ASSERT_TRUE(install.waitForFinished(60000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    const QString saver = prefix.filePath(QStringLiteral("libexec/xsecurelock/saver_lumafolio"));
    ASSERT_TRUE(QFile::exists(saver));
    ASSERT_TRUE(
        QFile::exists(prefix.filePath(QStringLiteral("share/xscreensaver/config/lumafolio.xml"))));

    Media media;
    TempEnv env;
    writeSettings(env.settingsFile(), media.settings(false));
    QProcess locker;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("DISPLAY"), x.display());
    e.insert(QStringLiteral("XSECURELOCK_SAVER"), saver);
    e.insert(QStringLiteral("XSECURELOCK_NO_COMPOSITE"), QStringLiteral("1"));
    e.insert(QStringLiteral("XSECURELOCK_BLANK_TIMEOUT"), QStringLiteral("-1"));
    e.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    e.remove(QStringLiteral("QT_QPA_PLATFORM"));
    locker.setProcessEnvironment(e);
    QElapsedTimer clock;
    clock.start();
    locker.start(QStringLiteral("xsecurelock"),
                 {QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"),
                  QStringLiteral("echo locked")});
    ASSERT_TRUE(locker.waitForStarted(5000));
    ASSERT_TRUE(waitUntil(
        [&] {
            locker.waitForReadyRead(20);
            return locker.readAllStandardOutput().contains("locked");
        },
        10000));
    const qint64 toSlide = waitForColour(x, QPoint(512, 384), kSlide, 10000);
    x.screenshot().save(QStringLiteral(LUMAFOLIO_BINARY_DIR "/saver-xsecurelock.png"));
    ASSERT_GE(toSlide, 0) << "no slide on the screen";
    const qint64 pid = saverPid(QStringLiteral("-root"));
    ASSERT_GT(pid, 0);

    locker.terminate();  // xsecurelock passes SIGTERM on to its saver
    const qint64 toEnd = waitForEnd(pid, 2000);
    EXPECT_GE(toEnd, 0) << "the saver outlived xsecurelock's end";
    EXPECT_TRUE(locker.waitForFinished(5000));
    std::cout << "xsecurelock: lock to the first slide " << clock.elapsed() - toEnd
              << " ms at most, SIGTERM to the saver's exit " << toEnd << " ms" << std::endl;
}

// Two savers at once in windows of their own, as a daemon starts them on two monitors: both show
// the slides, only the first plays the music, and SIGTERM ends both.
TEST(SaverE2e, TwoHostedSaversShowSlidesAndOnlyOnePlays) {
    XvfbServer x;
    ASSERT_TRUE(x.isRunning());
    XWindows windows(x);
    const QRect left(0, 0, 512, 768), right(512, 0, 512, 768);
    const quint32 first = windows.create(left);
    const quint32 second = windows.create(right);
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    Media media;
    TempEnv env;
    writeSettings(env.settingsFile(), media.settings(true));

    std::vector<std::unique_ptr<ProgramRun>> savers;
    QStringList sounds;
    for (const quint32 window : {first, second}) {
        auto run = std::make_unique<ProgramRun>(env, x.display());
        sounds.append(media.dir.filePath(QStringLiteral("sound-%1.raw").arg(window)));
        run->setEnv(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
        run->setEnv(QStringLiteral("SDL_DISKAUDIOFILE"), sounds.last());
        run->start({QStringLiteral("-window-id"), QString::number(window)});
        savers.push_back(std::move(run));
        if (savers.size() == 1) {  // the first one takes the lock
            ASSERT_TRUE(waitUntil(
                [&] { return QFile::exists(env.runtimeDir() + "/lumafolio-1.1.lock"); }, 10000));
        }
    }
    EXPECT_GE(waitForColour(x, left.center(), kSlide, 10000), 0);
    EXPECT_GE(waitForColour(x, right.center(), kSlide, 10000), 0);
    x.screenshot().save(QStringLiteral(LUMAFOLIO_BINARY_DIR "/saver-two-windows.png"));
    EXPECT_TRUE(waitUntil([&] { return QFileInfo(sounds[0]).size() > 4 * 44100 * 2; }, 10000))
        << "the first saver plays the music";
    EXPECT_EQ(QFileInfo(sounds[1]).size(), 0) << "the second saver stays silent";

    QElapsedTimer clock;
    clock.start();
    for (auto& run : savers) {
        run->sendSignal(SIGTERM);
    }
    for (auto& run : savers) {
        ASSERT_TRUE(run->waitForEnd(5000));
        EXPECT_TRUE(run->endedNormally());
        EXPECT_EQ(run->exitCode(), 0) << qPrintable(run->errorOutput());
    }
    std::cout << "two hosted savers: SIGTERM to both exits " << clock.elapsed() << " ms"
              << std::endl;
}

// The show's own window on two monitors: the primary one shows the show, the other the background
// colour, and input on the second monitor ends the show.
TEST(SaverE2e, AShowCoversBothMonitorsAndInputOnTheSecondEndsIt) {
    XvfbServer x{XvfbServer::TwoMonitors{}};
    ASSERT_TRUE(x.isRunning());
    Media media;
    TempEnv env;
    QStringList settings = media.settings(false);
    settings.append(QStringLiteral("Settings/screensize=0"));
    settings.append(QStringLiteral("Settings/Slidesize=1"));
    writeSettings(env.settingsFile(), settings);
    ProgramRun run(env, x.display());
    run.start({QStringLiteral("/S")});
    ASSERT_GE(waitForColour(x, QPoint(1200, 300), kBackground, 10000), 0)
        << qPrintable(run.errorOutput());
    QImage shot;
    const auto everyPixelCovered = [&] {
        shot = x.screenshot();
        int slide = 0;
        for (int py = 0; py < shot.height(); py += 4) {
            for (int px = 0; px < shot.width(); px += 4) {
                const QColor c = shot.pixel(px, py);
                if (near(c, kSlide)) {
                    ++slide;
                } else if (!near(c, kBackground)) {
                    return false;
                }
            }
        }
        return slide > 0;
    };
    ASSERT_TRUE(waitUntil(everyPixelCovered, 10000))
        << "a pixel of neither the slide nor the background colour";
    shot.save(QStringLiteral(LUMAFOLIO_BINARY_DIR "/saver-two-monitors.png"));

    // A monitor added during the show is covered too.
    const QString mode = QStringLiteral("800x600_added");
    x.run(QStringLiteral("xrandr"),
          {QStringLiteral("--newmode"), mode, QStringLiteral("40.00"), QStringLiteral("800"),
           QStringLiteral("840"), QStringLiteral("968"), QStringLiteral("1056"),
           QStringLiteral("600"), QStringLiteral("601"), QStringLiteral("605"),
           QStringLiteral("628"), QStringLiteral("+hsync"), QStringLiteral("+vsync")});
    x.run(QStringLiteral("xrandr"), {QStringLiteral("--addmode"), QStringLiteral("DUMMY2"), mode});
    x.run(QStringLiteral("xrandr"),
          {QStringLiteral("--output"), QStringLiteral("DUMMY2"), QStringLiteral("--mode"), mode,
           QStringLiteral("--pos"), QStringLiteral("1600x0")});
    EXPECT_GE(waitForColour(x, QPoint(2000, 300), kBackground, 10000), 0);

    x.run(QStringLiteral("xdotool"),
          {QStringLiteral("mousemove"), QStringLiteral("1200"), QStringLiteral("300")});
    x.run(QStringLiteral("xdotool"),
          {QStringLiteral("mousemove"), QStringLiteral("1260"), QStringLiteral("360")});
    ASSERT_TRUE(run.waitForEnd(10000)) << "the show went on after input on the second monitor";
    EXPECT_EQ(run.exitCode(), 0);
}

// SIGTERM, SIGINT and SIGHUP end a show and the panel the way a close does: a normal exit with
// status 0 and the settings as they were.
TEST(SaverE2e, TerminationSignalsEndEveryModeCleanly) {
    Media media;
    for (const char* mode : {"/S", "/C"}) {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            SCOPED_TRACE(testing::Message() << mode << " " << strsignal(signal));
            TempEnv env;
            writeSettings(env.settingsFile(), media.settings(true));
            const QByteArray before = readAll(env.settingsFile());
            ProgramRun run(env);
            run.start({QString::fromLatin1(mode)});
            ASSERT_TRUE(waitUntil(
                [&] { return QFile::exists(env.runtimeDir() + "/lumafolio-1.1.lock"); }, 10000));
            QThread::msleep(300);  // past start-up, into the event loop
            QElapsedTimer clock;
            clock.start();
            run.sendSignal(signal);
            ASSERT_TRUE(run.waitForEnd(5000));
            const qint64 took = clock.elapsed();
            EXPECT_TRUE(run.endedNormally());
            EXPECT_EQ(run.exitCode(), 0) << qPrintable(run.errorOutput());
            EXPECT_EQ(readAll(env.settingsFile()).isEmpty(), false);
            if (QByteArray(mode) == "/S") {
                EXPECT_EQ(readAll(env.settingsFile()), before);
            }
            std::cout << mode << " " << strsignal(signal) << ": exit after " << took << " ms"
                      << std::endl;
        }
    }
}

}  // namespace
}  // namespace luma::test
