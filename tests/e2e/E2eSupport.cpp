#include "e2e/E2eSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryFile>
#include <QThread>

#include <functional>

#include <signal.h>
#include <map>

namespace luma::test {

QString programPath() {
    return QStringLiteral(LUMAFOLIO_BINARY_DIR "/lumafolio11.scr");
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

namespace {

const char* const kTwoMonitorsConfig = R"(Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoAddGPU" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
    Option "Monitor-DUMMY0" "left"
    Option "Monitor-DUMMY1" "right"
EndSection
Section "Monitor"
    Identifier "left"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
    Option "PreferredMode" "800x600"
    Option "Position" "0 0"
    Option "Primary" "true"
EndSection
Section "Monitor"
    Identifier "right"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
    Option "PreferredMode" "800x600"
    Option "Position" "800 0"
    Option "Enable" "true"
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "left"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 2400 600
    EndSubSection
EndSection
Section "ServerLayout"
    Identifier "layout"
    Screen "screen"
EndSection
)";

}  // namespace

XvfbServer::XvfbServer(int width, int height) {
    start(QStringLiteral("Xvfb"), {QStringLiteral("-screen"), QStringLiteral("0"),
                                   QStringLiteral("%1x%2x24").arg(width).arg(height)});
}

XvfbServer::XvfbServer(TwoMonitors) {
    const QString config = work_.filePath(QStringLiteral("xorg.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(kTwoMonitorsConfig) < 0) {
        return;
    }
    file.close();
    // The server binary itself: a setuid wrapper on the PATH may refuse users off the console.
    start(QStringLiteral("/usr/lib/xorg/Xorg"),
          {QStringLiteral("-config"), config, QStringLiteral("-noreset"),
           QStringLiteral("-novtswitch"), QStringLiteral("-sharevts"), QStringLiteral("-logfile"),
           work_.filePath(QStringLiteral("Xorg.log"))});
}

void XvfbServer::start(const QString& program, const QStringList& arguments) {
    // The server picks a free display number itself and tells it on the descriptor we give it.
    process_.setProgram(program);
    process_.setArguments(QStringList{QStringLiteral("-displayfd"), QStringLiteral("1"),
                                      QStringLiteral("-nolisten"), QStringLiteral("tcp")} +
                          arguments);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start();
    if (!process_.waitForStarted(5000)) {
        return;
    }
    QByteArray out;
    waitUntil(
        [&] {
            process_.waitForReadyRead(50);
            out += process_.readAllStandardOutput();
            return out.contains('\n') || process_.state() != QProcess::Running;
        },
        10000);
    bool ok = false;
    const int number = out.trimmed().toInt(&ok);
    if (ok) {
        display_ = QStringLiteral(":%1").arg(number);
        running_ = true;
    }
}

XvfbServer::~XvfbServer() {
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

int XvfbServer::run(const QString& program, const QStringList& arguments, QString* output,
                    int timeoutMs) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        return -1;
    }
    if (output != nullptr) {
        *output = QString::fromLocal8Bit(p.readAllStandardOutput());
    }
    return p.exitCode();
}

QImage XvfbServer::screenshot() const {
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/lumafolio-shot-XXXXXX.png"));
    if (!file.open()) {
        return {};
    }
    file.close();
    if (run(QStringLiteral("import"),
            {QStringLiteral("-window"), QStringLiteral("root"), file.fileName()}) != 0) {
        return {};
    }
    return QImage(file.fileName());
}

XWindows::XWindows(const XvfbServer& x) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), x.display());
    process_.setProcessEnvironment(env);
    process_.start(QStringLiteral(LUMAFOLIO_BINARY_DIR "/tests/e2e/x11-window"), {});
    process_.waitForStarted(5000);
}

XWindows::~XWindows() {
    process_.closeWriteChannel();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

QString XWindows::ask(const QString& command) {
    process_.write((command + u'\n').toUtf8());
    QByteArray line;
    waitUntil(
        [&] {
            process_.waitForReadyRead(50);
            line += process_.readAllStandardOutput();
            return line.contains('\n') || process_.state() != QProcess::Running;
        },
        5000);
    return QString::fromUtf8(line).trimmed();
}

quint32 XWindows::create(QRect geometry) {
    return ask(QStringLiteral("create %1 %2 %3 %4")
                   .arg(geometry.width())
                   .arg(geometry.height())
                   .arg(geometry.x())
                   .arg(geometry.y()))
        .toUInt();
}

bool XWindows::resize(quint32 window, QSize size) {
    return ask(QStringLiteral("resize %1 %2 %3")
                   .arg(window)
                   .arg(size.width())
                   .arg(size.height())) == u"ok";
}

bool XWindows::destroy(quint32 window) {
    return ask(QStringLiteral("destroy %1").arg(window)) == u"ok";
}

bool processEnded(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return true;
    }
    // "pid (name) state ...": the state follows the last ")".
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close < 0 || text.mid(close + 2, 1) == "Z";
}

ProgramRun::ProgramRun(const TempEnv& env, QString display)
    : env_(env), display_(std::move(display)) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("XDG_CONFIG_HOME"), env_.configHome());
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), env_.runtimeDir());
    e.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    e.remove(QStringLiteral("LUMAFOLIO_CD_DRIVES"));
    if (display_.isEmpty()) {
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.remove(QStringLiteral("DISPLAY"));
    } else {
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        e.insert(QStringLiteral("DISPLAY"), display_);
    }
    process_.setProcessEnvironment(e);
}

ProgramRun::~ProgramRun() {
    kill();
}

void ProgramRun::setEnv(const QString& name, const QString& value) {
    QProcessEnvironment e = process_.processEnvironment();
    e.insert(name, value);
    process_.setProcessEnvironment(e);
}

void ProgramRun::unsetEnv(const QString& name) {
    QProcessEnvironment e = process_.processEnvironment();
    e.remove(name);
    process_.setProcessEnvironment(e);
}

void ProgramRun::start(const QStringList& arguments) {
    process_.start(programPath(), arguments);
    process_.waitForStarted(5000);
}

bool ProgramRun::waitForEnd(int timeoutMs) {
    return process_.state() == QProcess::NotRunning || process_.waitForFinished(timeoutMs);
}

bool ProgramRun::isRunning() const {
    return process_.state() != QProcess::NotRunning;
}

QString ProgramRun::errorOutput() {
    errors_ += QString::fromLocal8Bit(process_.readAllStandardError());
    return errors_;
}

void ProgramRun::sendSignal(int signal) {
    if (process_.state() == QProcess::Running) {
        ::kill(static_cast<pid_t>(process_.processId()), signal);
    }
}

QString ProgramRun::standardOutput() {
    return QString::fromLocal8Bit(process_.readAllStandardOutput());
}

void ProgramRun::kill() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

std::optional<PanelOnScreen> waitForPanel(const XvfbServer& x, int timeoutMs) {
    PanelOnScreen panel;
    const bool found = waitUntil(
        [&] {
            QString ids;
            if (x.run("xdotool", {"search", "--onlyvisible", "--name", "^Make a Lumafolio$"},
                      &ids) != 0 ||
                ids.trimmed().isEmpty()) {
                return false;
            }
            panel.id = ids.trimmed().split(u'\n').first();
            QString shell;
            if (x.run("xdotool", {"getwindowgeometry", "--shell", panel.id}, &shell) != 0) {
                return false;
            }
            std::map<QString, int> v;
            for (const QString& line : shell.split(u'\n', Qt::SkipEmptyParts)) {
                const QStringList kv = line.split(u'=');
                v[kv.value(0)] = kv.value(1).toInt();
            }
            panel.geometry = QRect(v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]);
            return panel.geometry.width() > 0;
        },
        timeoutMs);
    return found ? std::optional<PanelOnScreen>(panel) : std::nullopt;
}

void clickInPanel(const XvfbServer& x, const PanelOnScreen& panel, QPoint point) {
    const QPoint at = panel.geometry.topLeft() + point;
    x.run("xdotool", {"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    x.run("xdotool", {"click", "1"});
}

void clickBottomButton(const XvfbServer& x, const PanelOnScreen& panel, int index) {
    const QRect& g = panel.geometry;
    clickInPanel(x, panel, QPoint(g.width() * (2 * index + 1) / 8, g.height() - 12));
}

void writeSettings(const QString& path, const QStringList& entries) {
    QSettings settings(path, QSettings::IniFormat);
    for (const QString& entry : entries) {
        const qsizetype eq = entry.indexOf(u'=');
        settings.setValue(entry.left(eq), entry.mid(eq + 1));
    }
    settings.sync();
}

}  // namespace luma::test
