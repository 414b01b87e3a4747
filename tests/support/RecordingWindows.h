#pragma once

#include "startup/Program.h"

#include <QStringList>

namespace luma::test {

// Window doubles that write what is done to them into one log ("display show", "player
// startMusic"). The display double closes itself while loading when the in-memory "MusicOnly" is 1,
// as the real display does.
struct WindowLog {
    QStringList entries;
    void add(const QString& entry) { entries.append(entry); }
    bool has(const QString& entry) const { return entries.contains(entry); }
};

class RecordingWindowBase {
public:
    RecordingWindowBase(WindowLog& log, QString name) : log_(log), name_(std::move(name)) {}

protected:
    void note(const QString& what) { log_.add(name_ + u' ' + what); }
    WindowLog& log_;
    QString name_;
    bool shown_ = false;
};

class RecordingDisplay : public DisplayWindow, RecordingWindowBase {
public:
    RecordingDisplay(Program& program, WindowLog& log)
        : RecordingWindowBase(log, QStringLiteral("display")), program_(program) {}
    void load() override;
    void unload() override { note(QStringLiteral("unload")); }
    void showWindow() override {
        shown_ = true;
        note(QStringLiteral("show"));
    }
    void hideWindow() override { shown_ = false; }
    bool isShown() const override { return shown_; }
    void enableSlideTimer() override { note(QStringLiteral("slideTimer on")); }
    void showFirstSlide() override { note(QStringLiteral("showFirstSlide")); }
    void setBackgroundColour(std::int32_t) override {}

private:
    Program& program_;
};

class RecordingPanel : public PanelWindow, RecordingWindowBase {
public:
    explicit RecordingPanel(WindowLog& log) : RecordingWindowBase(log, QStringLiteral("panel")) {}
    void load() override { note(QStringLiteral("load")); }
    void unload() override { note(QStringLiteral("unload")); }
    void showWindow() override {
        shown_ = true;
        note(QStringLiteral("show"));
    }
    void hideWindow() override { shown_ = false; }
    bool isShown() const override { return shown_; }
    void selectTab(int index) override { note(QStringLiteral("tab %1").arg(index)); }
    void findCdDrives() override { note(QStringLiteral("FindCdDrives")); }
    void playNextEntry() override { note(QStringLiteral("playNextEntry")); }
    void stopAllMusic() override { note(QStringLiteral("stopAllMusic")); }
    void disableTimers() override { note(QStringLiteral("timers off")); }
};

class RecordingPlayer : public PlayerWindow, RecordingWindowBase {
public:
    explicit RecordingPlayer(WindowLog& log) : RecordingWindowBase(log, QStringLiteral("player")) {}
    void load() override { note(QStringLiteral("load")); }
    void unload() override { note(QStringLiteral("unload")); }
    void showWindow() override { note(QStringLiteral("show")); }
    void hideWindow() override {}
    bool isShown() const override { return false; }
    void startMusic() override { note(QStringLiteral("startMusic")); }
    void stopAllMusic() override { note(QStringLiteral("stopAllMusic")); }
    void disableTimers() override { note(QStringLiteral("timers off")); }
};

class RecordingTray : public TrayWindow, RecordingWindowBase {
public:
    explicit RecordingTray(WindowLog& log) : RecordingWindowBase(log, QStringLiteral("tray")) {}
    void load() override { note(QStringLiteral("load")); }
    void unload() override { note(QStringLiteral("unload")); }
    void showWindow() override { note(QStringLiteral("show")); }
    void hideWindow() override {}
    bool isShown() const override { return false; }
};

// Registers the four doubles with `program`.
void useRecordingWindows(Program& program, WindowLog& log);

}  // namespace luma::test
