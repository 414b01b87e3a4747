#pragma once

#include "platform/desktop/IdleSource.h"

#include <QDBusConnection>

namespace luma {

// systemd-logind's inhibitor locks: a program holding a blocking "idle" lock (what sway's and
// other compositors' idle inhibitors end in) wants the session left alone.
class LogindIdleInhibitionCheck : public IdleInhibition {
public:
    explicit LogindIdleInhibitionCheck(QDBusConnection system) : bus_(std::move(system)) {}
    QString inhibitedBy() override;

private:
    QDBusConnection bus_;
};

}  // namespace luma
