#pragma once

#include "platform/desktop/IdleSource.h"
#include "platform/desktop/wayland/WaylandIdleProtocol.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace luma {

class WaylandConnection;

// The compositor's idle protocol on the first seat: ext_idle_notifier_v1 or org_kde_kwin_idle.
// The compositor counts the threshold from each arm(), not from the last input. Signals are
// queued, so a receiver may disarm or delete the source.
class WaylandIdleSource : public IdleSource {
    Q_OBJECT
public:
    // Takes the connection over; arm() fails when it lacks `protocol` or a seat.
    WaylandIdleSource(std::unique_ptr<WaylandConnection> connection, WaylandIdleProtocol protocol,
                      QObject* parent = nullptr);
    ~WaylandIdleSource() override;

    bool arm(std::chrono::milliseconds threshold) override;
    void disarm() override;
    void showEnded() override;
    QString name() const override;

private:
    struct Objects;
    // Asks the compositor for a notification after `ms` without input; false when it cannot.
    bool watch(std::uint32_t ms);
    void post(void (IdleSource::*signal)());

    std::unique_ptr<WaylandConnection> connection_;
    WaylandIdleProtocol protocol_;
    std::unique_ptr<Objects> objects_;
    std::optional<std::chrono::milliseconds> threshold_;  // while armed
    // Counts arms and disarms: a queued signal of an earlier arm is dropped.
    std::uint64_t generation_ = 0;
};

}  // namespace luma
