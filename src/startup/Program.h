#pragma once

#include "runtime/CursorCounter.h"
#include "settings/SettingsRecord.h"
#include "startup/WindowSlot.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <set>
#include <vector>

class QObject;

namespace luma {

class DriveList;
class FileDialog;
class MediaControl;
class MessageBox;
class Mp3Player;
class NotificationArea;
class WatcherProcess;
class Random;
class SettingsStore;
class Shell;
class ShortcutService;
class SingleInstance;
class TimerService;

// The platform behind the program: real implementations in the application, fakes in tests.
struct PlatformServices {
    PlatformServices();
    ~PlatformServices();
    PlatformServices(PlatformServices&&) noexcept;
    PlatformServices& operator=(PlatformServices&&) noexcept;

    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<TimerService> timers;
    std::unique_ptr<Random> random;
    std::unique_ptr<SingleInstance> instance;
    std::unique_ptr<MessageBox> messageBox;
    std::unique_ptr<DriveList> drives;  // before the media, whose CD device uses it
    std::unique_ptr<MediaControl> media;
    std::unique_ptr<Mp3Player> mp3;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<ShortcutService> shortcuts;
    std::unique_ptr<FileDialog> fileDialog;
    std::unique_ptr<NotificationArea> notificationArea;
    std::unique_ptr<WatcherProcess> watcher;
    QString programFolder;  // where the saver, the chime and the assets live
};

// The composition root: owns the platform services, the values the windows share and the four
// windows. Passed by reference; there are no other globals.
class Program {
public:
    explicit Program(PlatformServices services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    SettingsStore& store() { return *services_.store; }
    TimerService& timers() { return *services_.timers; }
    Random& random() { return *services_.random; }
    SingleInstance& instance() { return *services_.instance; }
    MessageBox& messageBox() { return *services_.messageBox; }
    MediaControl& media() { return *services_.media; }
    Mp3Player& mp3() { return *services_.mp3; }
    DriveList& drives() { return *services_.drives; }
    Shell& shell() { return *services_.shell; }
    ShortcutService& shortcuts() { return *services_.shortcuts; }
    FileDialog& fileDialog() { return *services_.fileDialog; }
    NotificationArea& notificationArea() { return *services_.notificationArea; }
    WatcherProcess& watcher() { return *services_.watcher; }
    CursorCounter& cursor() { return cursor_; }
    const QString& programFolder() const { return services_.programFolder; }

    // Values shared by the windows.
    SettingsRecord settings;
    std::int32_t slideIndex = 0;
    std::int32_t slideCount = 0;
    std::int32_t playPosition = 0;  // wide enough for any playlist
    QString currentSelection;
    QString currentCdDrive;
    QString cdReply = QString(255, u' ');
    bool suppressKeyExit = false;

    // Window factories, set once by the application (or a test).
    void setDisplayFactory(WindowSlot<DisplayWindow>::Factory f) {
        display_.setFactory(std::move(f));
    }
    void setPanelFactory(WindowSlot<PanelWindow>::Factory f) { panel_.setFactory(std::move(f)); }
    void setPlayerFactory(WindowSlot<PlayerWindow>::Factory f) { player_.setFactory(std::move(f)); }
    void setTrayFactory(WindowSlot<TrayWindow>::Factory f) { tray_.setFactory(std::move(f)); }

    // Each window, loaded on first use; nullptr when it cannot be loaded or unloaded itself while
    // loading.
    DisplayWindow* display() { return display_.get(*this); }
    PanelWindow* panel() { return panel_.get(*this); }
    PlayerWindow* player() { return player_.get(*this); }
    TrayWindow* tray() { return tray_.get(*this); }

    DisplayWindow* displayIfLoaded() const { return display_.ifLoaded(); }
    PanelWindow* panelIfLoaded() const { return panel_.ifLoaded(); }
    PlayerWindow* playerIfLoaded() const { return player_.ifLoaded(); }
    TrayWindow* trayIfLoaded() const { return tray_.ifLoaded(); }

    // Unloading runs the window's unload procedure. When nothing is left to run for once the
    // event loop turns, the program ends.
    void unloadDisplay() { afterUnload(display_.unload(retired_)); }
    void unloadPanel() { afterUnload(panel_.unload(retired_)); }
    void unloadPlayer() { afterUnload(player_.unload(retired_)); }
    void unloadTray() { afterUnload(tray_.unload(retired_)); }

    bool anyWindowLoaded() const;

    // What the program runs for besides its windows (a show, the panel, the tray icon, the music
    // each have a window).
    enum class Task { IdleWatch };
    void keepRunningFor(Task task) { tasks_.insert(task); }
    bool runsFor(Task task) const { return tasks_.count(task) != 0; }
    // The task is over: the program ends when the event loop turns with nothing left.
    void doneWith(Task task);

    // Ends the program at once: windows still loaded go without their unload procedures, the
    // settings are synced and the audio closed. The caller returns right after.
    void endProgram();
    bool hasEnded() const { return ended_; }

    // Ends the program when no window is loaded and no task is left; run when the event loop turns
    // after an unload, and by the application once start-up has returned.
    void endIfNothingLeft();

    // Drops the windows that went away; run when the event loop turns.
    void collectRetiredWindows() { retired_.clear(); }

private:
    void afterUnload(bool unloaded);

    PlatformServices services_;
    CursorCounter cursor_;
    bool ended_ = false;
    std::set<Task> tasks_;
    std::unique_ptr<QObject> context_;  // receives the queued end-of-program checks
    std::vector<std::unique_ptr<Window>> retired_;
    // Declared last: windows go before the services they use.
    WindowSlot<TrayWindow> tray_;
    WindowSlot<PlayerWindow> player_;
    WindowSlot<PanelWindow> panel_;
    WindowSlot<DisplayWindow> display_;
};

}  // namespace luma
