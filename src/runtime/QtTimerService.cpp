#include "runtime/QtTimerService.h"

#include <QTimer>

namespace luma {

QtTimerService::QtTimerService() = default;
QtTimerService::~QtTimerService() = default;

void QtTimerService::start(Timer& timer, int ms) {
    auto& slot = timers_[&timer];
    if (!slot) {
        slot = std::make_unique<QTimer>();
        slot->setTimerType(Qt::PreciseTimer);
        QObject::connect(slot.get(), &QTimer::timeout, slot.get(), [&timer] { timer.fire(); });
    }
    slot->start(ms);
}

void QtTimerService::cancel(Timer& timer) {
    const auto it = timers_.find(&timer);
    if (it != timers_.end()) {
        // A handler may cancel its own timer while its timeout runs; stop now, delete later.
        it->second->stop();
        it->second.release()->deleteLater();
        timers_.erase(it);
    }
}

}  // namespace luma
