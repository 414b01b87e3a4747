#pragma once

#include <functional>

namespace luma {

class TimerService;

// A window timer: an enabled flag and an interval in milliseconds. It fires every interval while it
// is enabled; an interval of 0 never fires. Setting the interval restarts the countdown. An
// interval above 65,535 ms cannot be represented and is refused.
class Timer {
public:
    static constexpr int kMaxInterval = 65535;

    explicit Timer(TimerService& service, int intervalMs = 1000);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Returns false and keeps the old interval when `ms` is negative or above kMaxInterval.
    bool setInterval(int ms);
    int interval() const { return interval_; }

    // Enabling an enabled timer does not restart its countdown.
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }

    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }

    // Runs the tick handler now; the service calls this when the countdown ends.
    void fire();

private:
    void reschedule();

    TimerService& service_;
    int interval_;
    bool enabled_ = false;
    std::function<void()> handler_;
};

// Runs the countdowns of timers. The Qt service uses real time; tests use ManualTimerService.
class TimerService {
public:
    virtual ~TimerService() = default;
    // (Re)starts the countdown of `timer`: it fires after `ms` and then every `ms` until cancelled.
    virtual void start(Timer& timer, int ms) = 0;
    virtual void cancel(Timer& timer) = 0;
};

}  // namespace luma
