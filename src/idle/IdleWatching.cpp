#include "idle/IdleWatching.h"

#include "idle/IdleSourceChoice.h"
#include "idle/IdleWatcher.h"
#include "platform/LockFileInstance.h"
#include "platform/desktop/X11IdleSource.h"
#include "runtime/Numbers.h"
#include "settings/SettingsFileWatcher.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"
#include "startup/Program.h"
#include "startup/StartShow.h"
#include "startup/Windows.h"

#include <algorithm>
#include <cstdio>

namespace luma {
namespace {

// The session's source, and which of its inhibitions it answers for itself.
struct ChosenSource {
    std::unique_ptr<IdleSource> source;
    IdleInhibition* inhibition = nullptr;
};

ChosenSource sessionSource() {
    SessionFacts facts;
    facts.waylandSession = qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland" ||
                           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    std::unique_ptr<X11IdleSource> x11 = facts.waylandSession ? nullptr : X11IdleSource::open();
    facts.x11ScreenSaver = x11 != nullptr;
    switch (chooseIdleSource(facts)) {
        case IdleSourceKind::X11: {
            IdleInhibition* inhibition = x11.get();
            return ChosenSource{std::move(x11), inhibition};
        }
        case IdleSourceKind::Mutter:
        case IdleSourceKind::ExtIdleNotifier:
        case IdleSourceKind::KdeIdle:
        case IdleSourceKind::None:
            break;
    }
    return {};
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
    program_.doneWith(Program::Task::IdleWatch);
}

std::unique_ptr<IdleWatching> IdleWatching::start(Program& program, const QString& settingsPath,
                                                  std::chrono::milliseconds minute) {
    auto lock = std::make_unique<LockFileInstance>(LockFileInstance::watcherPath());
    if (!lock->acquire()) {
        return nullptr;
    }
    std::unique_ptr<IdleWatching> watching(new IdleWatching(program, std::move(lock)));
    ChosenSource chosen = sessionSource();
    if (!chosen.source) {
        std::fputs(
            "lumafolio: this desktop offers no idle time that Lumafolio can watch; the show will "
            "not start by itself\n",
            stderr);
        chosen.source = std::make_unique<NoIdleSource>();
    }
    watching->source_ = std::move(chosen.source);
    if (chosen.inhibition != nullptr) {
        watching->inhibitions_.push_back(chosen.inhibition);
    }
    watching->watcher_ = std::make_unique<IdleWatcher>(
        *watching->source_, watching->inhibitions_, program.instance(),
        IdleWatcher::Show{[&program] { startIdleShow(program); },
                          [&program] {
                              const DisplayWindow* display = program.displayIfLoaded();
                              return display != nullptr && display->isShown();
                          }},
        program.timers(), minute);
    watching->settingsFile_ = std::make_unique<SettingsFileWatcher>(settingsPath);
    connect(watching->settingsFile_.get(), &SettingsFileWatcher::changed, watching.get(),
            &IdleWatching::followSettings);
    program.keepRunningFor(Program::Task::IdleWatch);
    watching->followSettings();
    return watching;
}

void IdleWatching::followSettings() {
    program_.store().sync();  // takes in what another process wrote
    const SettingsField& field = settingsField(keys::kIdleMinutes);
    const double minutes = numericValue(storedSetting(program_.store(), keys::kIdleMinutes));
    watcher_->setMinutes(static_cast<int>(std::clamp<double>(minutes, field.lowest, field.highest)));
}

std::chrono::milliseconds idleMinute(const QString& minuteMsText) {
    bool ok = false;
    const qint64 ms = minuteMsText.toLongLong(&ok);
    return ok && ms > 0 ? std::chrono::milliseconds(ms) : std::chrono::minutes(1);
}

}  // namespace luma
