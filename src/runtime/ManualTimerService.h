#pragma once

#include "runtime/Timer.h"

#include <cstdint>
#include <map>

namespace luma {

// Countdowns on a virtual clock that only moves when told to: tests advance it and the timers that
// fall due fire in time order, each as often as the elapsed time asks.
class ManualTimerService : public TimerService {
public:
    void start(Timer& timer, int ms) override;
    void cancel(Timer& timer) override;

    // Moves the clock forward by `ms`, firing every timer that falls due on the way.
    void advance(std::int64_t ms);
    // Moves the clock to the next due time and fires what is due then. False when nothing is armed.
    bool advanceToNext();

    std::int64_t now() const { return now_; }
    bool isArmed(const Timer& timer) const;
    // Milliseconds until `timer` fires, or -1 when it is not armed.
    std::int64_t remaining(const Timer& timer) const;

private:
    struct Entry {
        std::int64_t due;
        std::uint64_t order;  // ties fire in the order they were armed
        int interval;
    };
    bool fireNextDue(std::int64_t limit);

    std::int64_t now_ = 0;
    std::uint64_t nextOrder_ = 0;
    std::map<Timer*, Entry> armed_;
};

}  // namespace luma
