#include "idle/IdleWatcher.h"

#include "platform/SingleInstance.h"
#include "platform/desktop/IdleSource.h"

namespace luma {
namespace {

constexpr int kShowEndPollMs = 500;

}  // namespace

IdleWatcher::IdleWatcher(IdleSource& source, std::vector<IdleInhibition*> inhibitions,
                         SingleInstance& instance, Show show, TimerService& timers,
                         std::chrono::milliseconds minute)
    : source_(source),
      inhibitions_(std::move(inhibitions)),
      instance_(instance),
      show_(std::move(show)),
      minute_(minute),
      showEndPoll_(timers, kShowEndPollMs) {
    connect(&source_, &IdleSource::idle, this, &IdleWatcher::idleCame);
    showEndPoll_.setHandler([this] { checkShowEnded(); });
}

IdleWatcher::~IdleWatcher() {
    source_.disarm();
}

bool IdleWatcher::setMinutes(int minutes) {
    if (minutes == minutes_) {
        return true;
    }
    minutes_ = minutes;
    if (minutes <= 0) {
        source_.disarm();
        return true;
    }
    return source_.arm(minutes * minute_);
}

void IdleWatcher::idleCame() {
    if (minutes_ <= 0 || holdsShow_ || show_.running()) {
        return;
    }
    for (IdleInhibition* inhibition : inhibitions_) {
        if (!inhibition->inhibitedBy().isEmpty()) {
            return;
        }
    }
    if (!instance_.acquire()) {
        return;  // another Lumafolio runs: its show, its panel or its saver
    }
    holdsShow_ = true;
    showEndPoll_.setEnabled(true);
    show_.start();
    emit showStarted();
}

void IdleWatcher::checkShowEnded() {
    if (show_.running()) {
        return;
    }
    showEndPoll_.setEnabled(false);
    holdsShow_ = false;
    instance_.release();
}

}  // namespace luma
