#pragma once

#include "platform/desktop/IdleSource.h"

#include <cstdint>
#include <memory>

namespace luma {

class WaylandConnection;

// The compositor's ext_idle_notifier_v1 on the first seat. The compositor counts the threshold
// from each arm(), not from the last input. Signals are queued, so a receiver may disarm or
// delete the source.
class ExtIdleSource : public IdleSource {
    Q_OBJECT
public:
    // Takes the connection over; arm() fails when it has no ext_idle_notifier_v1 or no seat.
    explicit ExtIdleSource(std::unique_ptr<WaylandConnection> connection,
                           QObject* parent = nullptr);
    ~ExtIdleSource() override;

    bool arm(std::chrono::milliseconds threshold) override;
    void disarm() override;
    QString name() const override;
    // Tells through broken() when the compositor goes.
    const WaylandConnection& connection() const { return *connection_; }

private:
    struct Objects;
    void post(void (ExtIdleSource::*signal)());

    std::unique_ptr<WaylandConnection> connection_;
    std::unique_ptr<Objects> objects_;
    // Counts arms and disarms: a queued signal of an earlier arm is dropped.
    std::uint64_t generation_ = 0;
};

}  // namespace luma
