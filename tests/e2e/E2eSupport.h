#pragma once

#include "support/TempEnv.h"

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

namespace luma::test {

// The built program.
QString programPath();

// An X server of our own on a free display number, for the life of the object: Xvfb with one
// screen, or Xorg's dummy driver with two monitors of 800 x 600 side by side (DUMMY0 at 0,0, the
// primary one, and DUMMY1 at 800,0; DUMMY2 can be added at 1600,0), which Xvfb cannot give.
class XvfbServer {
public:
    explicit XvfbServer(int width = 1024, int height = 768);
    struct TwoMonitors {};
    explicit XvfbServer(TwoMonitors);
    ~XvfbServer();
    bool isRunning() const { return running_; }
    QString display() const { return display_; }
    // A screenshot of the whole screen, through ImageMagick's import; null on failure.
    QImage screenshot() const;
    // Runs a command (xdotool, ...) against this display; returns its exit code, -1 on timeout.
    int run(const QString& program, const QStringList& arguments, QString* output = nullptr,
            int timeoutMs = 10000) const;

private:
    void start(const QString& program, const QStringList& arguments);

    QTemporaryDir work_;
    QProcess process_;
    QString display_;
    bool running_ = false;
};

// Top-level windows made the way a screen saver daemon makes them (the x11-window tool).
class XWindows {
public:
    explicit XWindows(const XvfbServer& x);
    ~XWindows();
    // A new mapped window; 0 on failure.
    quint32 create(QRect geometry);
    bool resize(quint32 window, QSize size);
    bool destroy(quint32 window);

private:
    QString ask(const QString& command);
    QProcess process_;
};

// Whether process `pid` has ended (a zombie that nobody reaps counts as ended).
bool processEnded(qint64 pid);

// The program under test in its own settings and runtime folders.
class ProgramRun {
public:
    // `display` empty runs offscreen.
    explicit ProgramRun(const TempEnv& env, QString display = {});
    ~ProgramRun();

    void setEnv(const QString& name, const QString& value);
    void unsetEnv(const QString& name);
    void start(const QStringList& arguments);
    // Waits at most `timeoutMs` for the program to end; true when it ended.
    bool waitForEnd(int timeoutMs);
    bool isRunning() const;
    int exitCode() const { return process_.exitCode(); }
    // True when it ended by itself rather than by a signal or a crash.
    bool endedNormally() const { return process_.exitStatus() == QProcess::NormalExit; }
    qint64 pid() const { return process_.processId(); }
    // Sends `signal` (SIGTERM, SIGINT, ...) to the program.
    void sendSignal(int signal);
    QString errorOutput();
    QString standardOutput();
    void kill();

private:
    const TempEnv& env_;
    QString display_;
    QProcess process_;
    QString errors_;
};

// The control panel on the screen of `x`: its window id and its geometry.
struct PanelOnScreen {
    QString id;
    QRect geometry;
};

// Waits at most `timeoutMs` for the panel to be visible.
std::optional<PanelOnScreen> waitForPanel(const XvfbServer& x, int timeoutMs);

// A click of the left button at `point`, relative to the panel's top-left corner.
void clickInPanel(const XvfbServer& x, const PanelOnScreen& panel, QPoint point);

// Clicks button `index` (0 to 3) of the row under the tabs: four buttons of equal width.
void clickBottomButton(const XvfbServer& x, const PanelOnScreen& panel, int index);

// Polls `condition` every 50 ms for at most `timeoutMs`; true when it became true.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

// Writes an INI settings file from "section/key=value" lines, as QSettings reads it.
void writeSettings(const QString& path, const QStringList& entries);

}  // namespace luma::test
