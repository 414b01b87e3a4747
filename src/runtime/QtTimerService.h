#pragma once

#include "runtime/Timer.h"

#include <QObject>

#include <memory>
#include <unordered_map>

class QTimer;

namespace luma {

// Real-time countdowns on the Qt event loop of the thread that owns the service.
class QtTimerService : public TimerService {
public:
    QtTimerService();
    ~QtTimerService() override;

    void start(Timer& timer, int ms) override;
    void cancel(Timer& timer) override;

private:
    std::unordered_map<Timer*, std::unique_ptr<QTimer>> timers_;
};

}  // namespace luma
