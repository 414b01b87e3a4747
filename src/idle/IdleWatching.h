#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace luma {

class IdleInhibition;
class IdleSource;
class IdleWatcher;
class LockFileInstance;
class Program;
class ScreenSaverService;
class SettingsFileWatcher;
class ShowInhibitor;
class WaylandIdleInhibitor;

// `lumafolio --idle`: the idle watcher over the source the session offers, one per user (a lock
// of its own), following "IdleMinutes" in the settings file as it changes. The program runs for it
// until it ends.
class IdleWatching : public QObject {
    Q_OBJECT
public:
    // nullptr when another watcher of this user runs. A session that offers no idle source is said
    // once on stderr; the watcher then waits doing nothing. With `alone` the program runs for the
    // watcher; without, the watcher goes with the program's windows (a tray process's).
    static std::unique_ptr<IdleWatching> start(Program& program, const QString& settingsPath,
                                               std::chrono::milliseconds minute, bool alone);
    ~IdleWatching() override;

    IdleWatcher& watcher() { return *watcher_; }

private:
    IdleWatching(Program& program, std::unique_ptr<LockFileInstance> lock);
    void chooseSource(const std::optional<QDBusConnection>& bus);
    void addInhibitions(const std::optional<QDBusConnection>& bus);
    void startShow();
    bool showRunning() const;
    void showEnded();
    void followSettings();

    Program& program_;
    bool alone_ = false;
    bool saidNoSource_ = false;
    std::unique_ptr<LockFileInstance> lock_;
    std::unique_ptr<IdleSource> source_;
    std::vector<std::unique_ptr<IdleInhibition>> checks_;
    std::unique_ptr<ScreenSaverService> screenSaver_;  // where the desktop offers none
    std::vector<IdleInhibition*> inhibitions_;         // the checks, the service, the source's own
    std::unique_ptr<ShowInhibitor> showInhibitor_;
    std::unique_ptr<WaylandIdleInhibitor> waylandInhibitor_;  // while a show runs on wlroots
    std::unique_ptr<IdleWatcher> watcher_;
    std::unique_ptr<SettingsFileWatcher> settingsFile_;
};

// How long a minute of "IdleMinutes" lasts: LUMAFOLIO_IDLE_MINUTE_MS when it is set to a number
// above 0 (tests make minutes short), else a minute.
std::chrono::milliseconds idleMinute(const QString& minuteMsText);

}  // namespace luma
