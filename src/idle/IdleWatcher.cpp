#include "idle/IdleWatcher.h"

#include "platform/SingleInstance.h"
#include "platform/desktop/IdleSource.h"

#include <algorithm>
#include <utility>

namespace luma {
namespace {

constexpr int kShowEndPollMs = 500;
constexpr std::chrono::milliseconds kLongestRetry = std::chrono::minutes(1);

}  // namespace

IdleWatcher::IdleWatcher(IdleSource& source, std::vector<IdleInhibition*> inhibitions,
                         SingleInstance& instance, Show show, TimerService& timers,
                         std::chrono::milliseconds minute)
    : source_(source),
      inhibitions_(std::move(inhibitions)),
      instance_(instance),
      show_(std::move(show)),
      minute_(minute),
      showEndPoll_(timers, kShowEndPollMs),
      retry_(timers) {
    connect(&source_, &IdleSource::idle, this, &IdleWatcher::idleCame);
    connect(&source_, &IdleSource::active, this, &IdleWatcher::userBack);
    showEndPoll_.setHandler([this] { checkShowEnded(); });
    retry_.setHandler([this] { idleCame(); });
}

IdleWatcher::~IdleWatcher() {
    source_.disarm();
}

bool IdleWatcher::setMinutes(int minutes) {
    if (minutes == minutes_) {
        return true;
    }
    minutes_ = minutes;
    retry_.setEnabled(false);
    if (minutes <= 0) {
        source_.disarm();
        return true;
    }
    retry_.setInterval(static_cast<int>(std::min(minutes * minute_, kLongestRetry).count()));
    return source_.arm(minutes * minute_);
}

void IdleWatcher::idleCame() {
    retry_.setEnabled(false);
    // Idle time that comes while our show is going away still counts once it has gone.
    idleWhileShowGoes_ = holdsShow_ && !show_.running();
    if (minutes_ <= 0 || holdsShow_ || show_.running()) {
        return;
    }
    const bool inhibited = std::any_of(
        inhibitions_.begin(), inhibitions_.end(),
        [](IdleInhibition* inhibition) { return !inhibition->inhibitedBy().isEmpty(); });
    // Another Lumafolio runs (its show, its panel or its saver) when the lock is taken.
    const bool heldBefore = instance_.holds();
    if (inhibited || !instance_.acquire()) {
        retry_.setEnabled(true);
        return;
    }
    releasesLock_ = !heldBefore;
    holdsShow_ = true;
    showEndPoll_.setEnabled(true);
    show_.start();
    emit showStarted();
}

void IdleWatcher::userBack() {
    retry_.setEnabled(false);
    idleWhileShowGoes_ = false;
}

void IdleWatcher::checkShowEnded() {
    if (show_.running()) {
        return;
    }
    showEndPoll_.setEnabled(false);
    holdsShow_ = false;
    source_.showEnded();
    if (show_.ended) {
        show_.ended();
    }
    if (releasesLock_) {
        instance_.release();
    }
    if (std::exchange(idleWhileShowGoes_, false)) {
        idleCame();
    }
}

}  // namespace luma
