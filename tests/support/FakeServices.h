#pragma once

#include "platform/DriveList.h"
#include "platform/FileDialog.h"
#include "platform/MediaControl.h"
#include "platform/MessageBox.h"
#include "platform/Mp3Player.h"
#include "platform/NotificationArea.h"
#include "platform/Shell.h"
#include "platform/ShortcutService.h"
#include "platform/SingleInstance.h"
#include "platform/WatcherProcess.h"
#include "runtime/ManualTimerService.h"
#include "runtime/Random.h"
#include "settings/MemorySettingsStore.h"
#include "startup/Program.h"
#include "support/QtPrinters.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <optional>

namespace luma::test {

// One log shared by the media fakes, so that tests see the order across devices and the player.
using EventLog = QStringList;

// Records every command; answers from `responses` (by exact command), else from `handler`, else
// with `defaultResult` and an empty reply.
class RecordingMediaControl : public MediaControl {
public:
    struct Response {
        int result = 0;
        QString reply;
    };
    struct Call {
        QString command;
        int replyLength;
    };

    explicit RecordingMediaControl(EventLog& log) : log_(log) {}
    int send(const QString& command, QString* reply, int replyLength) override;
    void closeAll() override { log_.append(QStringLiteral("close all")); }

    QStringList commands() const;
    std::vector<Call> calls;
    std::map<QString, Response> responses;
    std::function<std::optional<Response>(const QString&)> handler;
    int defaultResult = 0;

private:
    EventLog& log_;
};

class FakeMp3Player : public Mp3Player {
public:
    explicit FakeMp3Player(EventLog& log) : log_(log) {}
    void setFileName(const QString& path) override { fileName_ = path; }
    QString fileName() const override { return fileName_; }
    void play() override;
    void stop() override;
    double position() const override { return position_; }

    void setPosition(double seconds) { position_ = seconds; }
    bool playing() const { return playing_; }

private:
    EventLog& log_;
    QString fileName_;
    double position_ = 0;
    bool playing_ = false;
};

class FakeDriveList : public DriveList {
public:
    QStringList cdDrives() const override { return drives; }
    QStringList drives;
};

class RecordingShell : public Shell {
public:
    bool open(const QString& target) override {
        opened.append(target);
        return result;
    }
    QStringList opened;
    bool result = true;
};

class RecordingShortcuts : public ShortcutService {
public:
    struct Call {
        QString operation, folder, linkName, target, arguments;
        std::int32_t perUser;
        QString parent;
    };
    bool create(const QString& folder, const QString& linkName, const QString& target,
                const QString& arguments, std::int32_t perUser, const QString& parent) override;
    bool remove(const QString& folder, const QString& linkName) override;
    std::vector<Call> calls;
};

// Answers the dialogs from queues; an empty queue, or an empty answer, cancels.
class ScriptedFileDialog : public FileDialog {
public:
    struct Request {
        QString filter, defaultExtension, start;
    };
    QStringList openFiles(QWidget* parent, const QString& filter, const QString& defaultExtension,
                          const QString& start) override;
    std::optional<QString> openFolder(QWidget* parent, const QString& start) override;
    std::deque<QStringList> answers;
    std::deque<QString> folderAnswers;
    std::vector<Request> requests;
};

class RecordingMessageBox : public MessageBox {
public:
    struct Call {
        QString text, title;
        int flags;
    };
    int show(QWidget*, const QString& text, const QString& title, int flags) override {
        calls.push_back({text, title, flags});
        return kOk;
    }
    void inform(QWidget*, const QString& text, const QString& title) override {
        calls.push_back({text, title, kInformation});
    }
    std::vector<Call> calls;
};

class RecordingWatcherProcess : public WatcherProcess {
public:
    bool start(const QString& program) override { return calls.append("start " + program), true; }
    void stop() override { calls.append(QStringLiteral("stop")); }
    QStringList calls;
};

class FakeInstance : public SingleInstance {
public:
    bool acquire() override { return held = !anotherRunning; }
    void release() override { held = false; }
    bool holds() const override { return held; }
    bool anotherRunning = false;
    bool held = false;
};

// A notification area that tests make available or not, and click on.
class FakeNotificationArea : public NotificationArea {
public:
    bool isAvailable() const override { return available; }
    void addIcon(const QIcon&, const QString& tip, std::function<void(int)> onMessage) override {
        ++adds;
        iconTip = tip;
        handler = std::move(onMessage);
        shown = true;
    }
    void removeIcon() override {
        shown = false;
        handler = nullptr;
    }
    bool hasIcon() const override { return shown; }
    // Sends a mouse event code to the icon, as the desktop would.
    void click(int code) {
        if (handler) {
            handler(code);
        }
    }
    bool available = true;
    bool shown = false;
    int adds = 0;
    QString iconTip;
    std::function<void(int)> handler;
};

// Draws from `values` first, then from a fixed-seed generator; counts the reseeds.
class ScriptedRandom : public Random {
public:
    ScriptedRandom() : Random(12345) {}
    void reseedFromClock() override { ++reseeds; }
    double next() override;
    std::deque<double> values;
    int reseeds = 0;
};

// The fakes behind a Program, with observer pointers for the test.
struct FakePlatform {
    PlatformServices make();

    EventLog log;
    MemorySettingsStore* store = nullptr;
    ManualTimerService* timers = nullptr;
    ScriptedRandom* random = nullptr;
    FakeInstance* instance = nullptr;
    RecordingMessageBox* messageBox = nullptr;
    RecordingMediaControl* media = nullptr;
    FakeMp3Player* mp3 = nullptr;
    FakeDriveList* drives = nullptr;
    RecordingShell* shell = nullptr;
    RecordingShortcuts* shortcuts = nullptr;
    ScriptedFileDialog* fileDialog = nullptr;
    FakeNotificationArea* notificationArea = nullptr;
    RecordingWatcherProcess* watcher = nullptr;
};

// A Program over fakes.
struct ProgramHarness {
    ProgramHarness() : program(fakes.make()) {}
    FakePlatform fakes;
    Program program;
};

}  // namespace luma::test
