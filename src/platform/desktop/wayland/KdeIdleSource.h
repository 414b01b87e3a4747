#pragma once

#include "platform/desktop/IdleSource.h"

#include <cstdint>
#include <memory>

namespace luma {

class WaylandConnection;

// The compositor's org_kde_kwin_idle on the first seat. The compositor counts the threshold
// from each arm(), not from the last input. Signals are queued, so a receiver may disarm or
// delete the source.
class KdeIdleSource : public IdleSource {
    Q_OBJECT
public:
    // Takes the connection over; arm() fails when it has no org_kde_kwin_idle or no seat.
    explicit KdeIdleSource(std::unique_ptr<WaylandConnection> connection,
                           QObject* parent = nullptr);
    ~KdeIdleSource() override;

    bool arm(std::chrono::milliseconds threshold) override;
    void disarm() override;
    QString name() const override;
    // Tells through broken() when the compositor goes.
    const WaylandConnection& connection() const { return *connection_; }

private:
    struct Objects;
    void post(void (KdeIdleSource::*signal)());

    std::unique_ptr<WaylandConnection> connection_;
    std::unique_ptr<Objects> objects_;
    // Counts arms and disarms: a queued signal of an earlier arm is dropped.
    std::uint64_t generation_ = 0;
};

}  // namespace luma
