#include "e2e/E2eSupport.h"

#include "TestMedia.h"
#include "settings/IniSettingsStore.h"
#include "support/Compositor.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QSettings>

#include <QThread>
#include <map>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

#include <iostream>

namespace luma::test {

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    bool met = false;
    while (!(met = condition()) && !deadline.hasExpired()) {
        QThread::msleep(50);
    }
    return met;
}

XServer::XServer(bool twoMonitors, const QString& size) {
    QStringList arguments = {"-screen", "0", size + "x24", "-noreset"};
    QString program = "Xvfb";
    if (twoMonitors) {
        QFile config(work_.filePath("xorg.conf"));
        config.open(QIODevice::WriteOnly);
        // Xorg reads a section on one line as well as on several.
        config.write(R"(Section "Device" Identifier "dummy" Driver "dummy" VideoRam 65536
    Option "Monitor-DUMMY0" "left" Option "Monitor-DUMMY1" "right" EndSection
Section "Monitor" Identifier "left"
    Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync EndSection
Section "Monitor" Identifier "right" Option "Position" "800 0" Option "Enable" "true"
    Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync EndSection
Section "Screen" Identifier "screen" Device "dummy" Monitor "left"
    SubSection "Display" Virtual 2400 600 EndSubSection EndSection
)");
        // The server binary itself: a setuid wrapper on the PATH may refuse users off the console.
        program = "/usr/lib/xorg/Xorg";
        arguments = {"-config",  config.fileName(),         "-noreset", "-novtswitch", "-sharevts",
                     "-logfile", work_.filePath("Xorg.log")};
    }
    // The server picks a free display number itself and tells it, in one write, on the
    // descriptor we give it.
    process_.start(program, QStringList{"-displayfd", "1", "-nolisten", "tcp"} + arguments);
    if (process_.waitForReadyRead(10000)) {
        display = ":" + QString(process_.readLine()).trimmed();
        // On a busy machine the server may name its display before it takes connections.
        waitUntil([this] { return !run("xdpyinfo", {}).isEmpty(); }, 10000);
    }
}

XServer::~XServer() {
    process_.terminate();
    process_.waitForFinished(3000);
}

QByteArray XServer::run(const QString& program, const QStringList& arguments) const {
    QProcess p;
    p.start("env", QStringList{"DISPLAY=" + display, program} + arguments);
    p.waitForFinished(20000);
    return p.readAllStandardOutput();
}

QImage XServer::screenshot() const {
    return QImage::fromData(run("import", {"-window", "root", "png:-"}));
}

char letterOf(QColor c) {
    const QColor known[] = {Qt::red,     Qt::green,  Qt::blue, Qt::cyan,
                            Qt::magenta, Qt::yellow, Qt::white};
    for (int i = 0; i < 7; ++i) {
        const QColor& k = known[i];
        if (std::abs(c.red() - k.red()) + std::abs(c.green() - k.green()) +
                std::abs(c.blue() - k.blue()) <
            40) {
            return "RGBCMYW"[i];
        }
    }
    return '?';
}

ProgramRun::ProgramRun(const QStringList& arguments, const QString& display,
                       const QStringList& environment) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.remove("LUMAFOLIO_CD_DRIVES");
    e.insert("SDL_AUDIODRIVER", "dummy");
    e.insert("DISPLAY", display);
    e.insert("QT_QPA_PLATFORM", display.isEmpty() ? "offscreen" : "xcb");
    for (const QString& entry : environment) {
        if (entry.contains(u'=')) {
            e.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        } else {
            e.remove(entry);
        }
    }
    setProcessEnvironment(e);
    start(LUMAFOLIO_BINARY_DIR "/lumafolio11.scr", arguments);
    waitForStarted(5000);
}

ProgramRun::~ProgramRun() {
    kill();
    waitForFinished(3000);
    if (testing::Test::HasFailure()) {
        std::cerr << "--- " << qPrintable(arguments().join(' ')) << " said:\n"
                  << readAllStandardOutput().toStdString() << readAllStandardError().toStdString();
    }
}

bool ProgramRun::ended(int timeoutMs) {
    return state() == QProcess::NotRunning || waitForFinished(timeoutMs);
}

void writeSettings(const QString& path, const QStringList& entries) {
    std::map<QString, std::unique_ptr<QSettings>> files;
    for (const QString& entry : entries) {
        const QString section = entry.section(u'/', 0, 0);
        const QString file =
            section == u"Settings" ? path : IniSettingsStore::listPath(path, section);
        auto& settings = files[file];
        if (!settings) {
            settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
        }
        settings->setValue(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    }
}

QStringList saverShow(const QTemporaryDir& dir, const QString& sound) {
    chmod(qPrintable(dir.path()), 0755);
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(dir.filePath("slide.jpg"), "JPG", 95);
    writeToneWav(dir.filePath("tone.wav"), 30.0, 440);
    return QString(
               "Settings/Mousesens=15 Settings/Slides=1 Settings/screensize=1 Settings/delay=5 "
               "pictures/HowMany=1 music/HowMany=1 " +
               sound)
               .split(u' ')
           << "pictures/1=" + dir.filePath("slide.jpg") << "music/1=" + dir.filePath("tone.wav");
}

QString installed(const char* relative) {
    static QTemporaryDir prefix;
    static const bool done = QProcess::execute("cmake", {"--install", LUMAFOLIO_BINARY_DIR,
                                                         "--prefix", prefix.path()}) == 0 &&
                             chmod(qPrintable(prefix.path()), 0755) == 0;
    return done ? prefix.filePath(relative) : QString();
}

QStringList xscreensaverCommand(const QString& home, const QString& display,
                                const QStringList& environment) {
    const QString saver = installed("lib/lumafolio/lumafolio11.scr");
    QFile config(home + "/.xscreensaver");
    if (saver.isEmpty() || !config.open(QIODevice::WriteOnly)) {
        return {};
    }
    config.write(
        "mode:\tone\nselected:\t0\ntimeout:\t8:00:00\nlock:\tFalse\nsplash:\tFalse\n"
        "fade:\tFalse\nunfade:\tFalse\ndpmsEnabled:\tFalse\ngrabDesktopImages:\tFalse\n"
        "programs:\t\"Lumafolio\" " +
        saver.toUtf8() + " --root \\n\\\n\n");
    config.close();
    handToSaverUser(home);
    const QStringList command =
        QStringList{"env", "-i", "PATH=/usr/bin:/bin", "HOME=" + home, "DISPLAY=" + display} +
        environment + QStringList{"xscreensaver", "--no-splash"};
    return ::geteuid() == 0 ? QStringList{"runuser", "-u", kSaverUser, "--"} + command : command;
}

}  // namespace luma::test
