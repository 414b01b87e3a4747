#pragma once

#include "platform/WatcherProcess.h"

namespace luma {

// The watcher as a detached process, found again through its lock file and ended with SIGTERM.
class DetachedWatcherProcess : public WatcherProcess {
public:
    bool start(const QString& program) override;
    void stop() override;
};

}  // namespace luma
