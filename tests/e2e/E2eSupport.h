#pragma once

#include "support/TempEnv.h"

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace luma::test {

// The built program.
QString programPath();

// An X server of our own (Xvfb) on a free display number, for the life of the object.
class XvfbServer {
public:
    explicit XvfbServer(int width = 1024, int height = 768);
    ~XvfbServer();
    bool isRunning() const { return running_; }
    QString display() const { return display_; }
    // A screenshot of the whole screen, through ImageMagick's import; null on failure.
    QImage screenshot() const;
    // Runs a command (xdotool, ...) against this display; returns its exit code, -1 on timeout.
    int run(const QString& program, const QStringList& arguments, QString* output = nullptr,
            int timeoutMs = 10000) const;

private:
    QProcess process_;
    QString display_;
    bool running_ = false;
};

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
