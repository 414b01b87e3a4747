#include "e2e/E2eSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryFile>
#include <QThread>

#include <functional>
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

XvfbServer::XvfbServer(int width, int height) {
    // Xvfb picks a free display number itself and tells it on the descriptor we give it.
    process_.setProgram(QStringLiteral("Xvfb"));
    process_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                           QStringLiteral("-screen"), QStringLiteral("0"),
                           QStringLiteral("%1x%2x24").arg(width).arg(height),
                           QStringLiteral("-nolisten"), QStringLiteral("tcp")});
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
