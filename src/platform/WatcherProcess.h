#pragma once

#include <QString>

namespace luma {

// The user's idle watcher (`lumafolio --idle`), a process of its own that the panel starts and
// ends.
class WatcherProcess {
public:
    virtual ~WatcherProcess() = default;
    // Starts `program --idle` apart from this process; a watcher already running stays alone.
    virtual bool start(const QString& program) = 0;
    // Ends the watcher that runs, unless it is this very process (which follows the settings).
    virtual void stop() = 0;
};

}  // namespace luma
