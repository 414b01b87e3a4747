#include "runtime/ManualTimerService.h"

#include <limits>

namespace luma {

void ManualTimerService::start(Timer& timer, int ms) {
    armed_[&timer] = Entry{now_ + ms, nextOrder_++, ms};
}

void ManualTimerService::cancel(Timer& timer) {
    armed_.erase(&timer);
}

bool ManualTimerService::isArmed(const Timer& timer) const {
    return armed_.count(const_cast<Timer*>(&timer)) != 0;
}

std::int64_t ManualTimerService::remaining(const Timer& timer) const {
    const auto it = armed_.find(const_cast<Timer*>(&timer));
    return it == armed_.end() ? -1 : it->second.due - now_;
}

bool ManualTimerService::fireNextDue(std::int64_t limit) {
    Timer* next = nullptr;
    Entry best{std::numeric_limits<std::int64_t>::max(), 0, 0};
    for (const auto& [timer, entry] : armed_) {
        if (entry.due < best.due || (entry.due == best.due && entry.order < best.order)) {
            best = entry;
            next = timer;
        }
    }
    if (next == nullptr || best.due > limit) {
        return false;
    }
    now_ = best.due;
    // Re-arm before the handler runs: a handler that changes the interval re-arms it again.
    armed_[next] = Entry{now_ + best.interval, nextOrder_++, best.interval};
    next->fire();
    return true;
}

void ManualTimerService::advance(std::int64_t ms) {
    const std::int64_t target = now_ + ms;
    while (fireNextDue(target)) {
    }
    now_ = target;
}

bool ManualTimerService::advanceToNext() {
    return fireNextDue(std::numeric_limits<std::int64_t>::max());
}

}  // namespace luma
