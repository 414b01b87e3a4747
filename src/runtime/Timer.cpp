#include "runtime/Timer.h"

namespace luma {

Timer::Timer(TimerService& service, int intervalMs)
    : service_(service), interval_(intervalMs < 0 || intervalMs > kMaxInterval ? 0 : intervalMs) {}

Timer::~Timer() {
    service_.cancel(*this);
}

bool Timer::setInterval(int ms) {
    if (ms < 0 || ms > kMaxInterval) {
        return false;
    }
    interval_ = ms;
    reschedule();
    return true;
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    reschedule();
}

void Timer::fire() {
    if (enabled_ && interval_ > 0 && handler_) {
        handler_();
    }
}

void Timer::reschedule() {
    if (enabled_ && interval_ > 0) {
        service_.start(*this, interval_);
    } else {
        service_.cancel(*this);
    }
}

}  // namespace luma
