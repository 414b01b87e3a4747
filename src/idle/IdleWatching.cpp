#include "idle/IdleWatching.h"

#include "idle/IdleSourceChoice.h"
#include "idle/IdleWatcher.h"
#include "platform/desktop/GnomeScreenLockCheck.h"
#include "platform/desktop/KdePowerInhibitionCheck.h"
#include "platform/desktop/LockFileInstance.h"
#include "platform/desktop/LogindIdleInhibitionCheck.h"
#include "platform/desktop/MutterIdleSource.h"
#include "platform/desktop/ScreenSaverService.h"
#include "platform/desktop/ShowInhibitor.h"
#include "platform/desktop/X11IdleSource.h"
#include "platform/desktop/wayland/WaylandConnection.h"
#include "platform/desktop/wayland/WaylandIdleInhibitor.h"
#include "platform/desktop/wayland/WaylandIdleProtocol.h"
#include "runtime/Numbers.h"
#include "settings/SettingsFileWatcher.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"
#include "startup/Program.h"
#include "startup/StartShow.h"
#include "startup/Windows.h"

#include <QDBusConnection>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace luma {
namespace {

// The session's bus, where it runs: never one started for us (a saver's environment may have
// none, and a bus started then would outlive the process).
std::optional<QDBusConnection> sessionBus() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (runtime.isEmpty() || !QFileInfo::exists(runtime + QStringLiteral("/bus")))) {
        return std::nullopt;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() ? std::optional(bus) : std::nullopt;
}

// A source that never fires: the watcher of a session without one waits doing nothing.
class NoIdleSource : public IdleSource {
public:
    bool arm(std::chrono::milliseconds) override { return false; }
    void disarm() override {}
    QString name() const override { return QStringLiteral("nothing"); }
};

}  // namespace

IdleWatching::IdleWatching(Program& program, std::unique_ptr<LockFileInstance> lock)
    : program_(program), lock_(std::move(lock)) {}

IdleWatching::~IdleWatching() {
    watcher_.reset();
    if (alone_) {
        program_.doneWith(Program::Task::IdleWatch);
    }
}

std::unique_ptr<IdleWatching> IdleWatching::start(Program& program, const QString& settingsPath,
                                                  std::chrono::milliseconds minute, bool alone) {
    auto lock = std::make_unique<LockFileInstance>(LockFileInstance::watcherPath());
    if (!lock->acquire()) {
        return nullptr;
    }
    std::unique_ptr<IdleWatching> watching(new IdleWatching(program, std::move(lock)));
    const std::optional<QDBusConnection> bus = sessionBus();
    watching->chooseSource(bus);
    watching->addInhibitions(bus);
    IdleWatching* self = watching.get();
    watching->watcher_ = std::make_unique<IdleWatcher>(
        *watching->source_, watching->inhibitions_, program.instance(),
        IdleWatcher::Show{[self] { self->startShow(); }, [self] { return self->showRunning(); },
                          [self] { self->showEnded(); }},
        program.timers(), minute);
    watching->settingsFile_ = std::make_unique<SettingsFileWatcher>(settingsPath);
    connect(watching->settingsFile_.get(), &SettingsFileWatcher::changed, self,
            &IdleWatching::followSettings);
    watching->alone_ = alone;
    if (alone) {
        program.keepRunningFor(Program::Task::IdleWatch);
    }
    watching->followSettings();
    return watching;
}

void IdleWatching::chooseSource(const std::optional<QDBusConnection>& bus) {
    SessionFacts facts;
    facts.mutterOnBus = bus && MutterIdleSource::availableOn(*bus);
    facts.waylandSession = qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland" ||
                           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    std::unique_ptr<WaylandConnection> wayland;
    if (facts.waylandSession && !facts.mutterOnBus) {
        wayland = WaylandConnection::open().connection;
        const WaylandIdleProtocol offered =
            wayland ? offeredIdleProtocol(*wayland) : WaylandIdleProtocol::None;
        facts.extIdleNotifier = offered == WaylandIdleProtocol::ExtIdleNotify;
        facts.kdeIdle = offered == WaylandIdleProtocol::KdeIdle;
    }
    std::unique_ptr<X11IdleSource> x11 =
        facts.mutterOnBus || facts.waylandSession ? nullptr : X11IdleSource::open();
    facts.x11ScreenSaver = x11 != nullptr;
    switch (chooseIdleSource(facts)) {
        case IdleSourceKind::Mutter:
            source_ = std::make_unique<MutterIdleSource>(*bus);
            break;
        case IdleSourceKind::ExtIdleNotifier:
        case IdleSourceKind::KdeIdle:
            source_ = makeWaylandIdleSource(std::move(wayland));
            break;
        case IdleSourceKind::X11:
            inhibitions_.push_back(x11.get());  // a screen saver switched off or suspended
            source_ = std::move(x11);
            break;
        case IdleSourceKind::None:
            break;
    }
    if (!source_) {
        source_ = std::make_unique<NoIdleSource>();
    }
}

void IdleWatching::addInhibitions(const std::optional<QDBusConnection>& bus) {
    if (bus) {
        checks_.push_back(std::make_unique<GnomeScreenLockCheck>(*bus));
        checks_.push_back(std::make_unique<KdePowerInhibitionCheck>(*bus));
        // Browsers and players ask the desktop's screen saver not to start; where no desktop
        // answers them, we do.
        screenSaver_ = std::make_unique<ScreenSaverService>(*bus);
        if (screenSaver_->start()) {
            inhibitions_.push_back(screenSaver_.get());
        }
        showInhibitor_ = std::make_unique<ShowInhibitor>(*bus);
    }
    const QDBusConnection system = QDBusConnection::systemBus();
    if (system.isConnected()) {
        checks_.push_back(std::make_unique<LogindIdleInhibitionCheck>(system));
    }
    for (const auto& check : checks_) {
        inhibitions_.push_back(check.get());
    }
}

void IdleWatching::startShow() {
    startIdleShow(program_);
    if (program_.settings.allowLock != 0) {
        return;
    }
    // The slides are to be seen, not a blank or locked screen: the desktop's D-Bus interface
    // where it has one, a Wayland idle inhibitor on the show where the compositor honours those.
    if (showInhibitor_) {
        showInhibitor_->start();
    }
    const DisplayWindow* show = program_.displayIfLoaded();
    QWindow* window = show != nullptr ? show->primaryWindow() : nullptr;
    if (QGuiApplication::platformName() == u"wayland" && window != nullptr) {
        waylandInhibitor_ = WaylandIdleInhibitor::inhibit(*window).inhibitor;
    }
}

bool IdleWatching::showRunning() const {
    const DisplayWindow* display = program_.displayIfLoaded();
    return display != nullptr && display->isShown();
}

void IdleWatching::showEnded() {
    if (showInhibitor_) {
        showInhibitor_->stop();
    }
    waylandInhibitor_.reset();
}

void IdleWatching::followSettings() {
    program_.store().sync();  // takes in what another process wrote
    const SettingsField& field = settingsField(keys::kIdleMinutes);
    const double minutes = numericValue(storedSetting(program_.store(), keys::kIdleMinutes));
    const int chosen = static_cast<int>(std::clamp<double>(minutes, field.lowest, field.highest));
    if (!watcher_->setMinutes(chosen) && !saidNoSource_) {
        saidNoSource_ = true;
        std::fputs(
            "lumafolio: this desktop offers no idle time that Lumafolio can watch; the show will "
            "not start by itself\n",
            stderr);
    }
}

std::chrono::milliseconds idleMinute(const QString& minuteMsText) {
    bool ok = false;
    const qint64 ms = minuteMsText.toLongLong(&ok);
    return ok && ms > 0 ? std::chrono::milliseconds(ms) : std::chrono::minutes(1);
}

}  // namespace luma
