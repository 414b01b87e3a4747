#pragma once

#include "platform/desktop/IdleSource.h"

#include <QDBusConnection>

namespace luma {

// KDE's power management, which holds the inhibitions of browsers and players that asked the
// desktop to keep the screen on.
class KdePowerInhibitionCheck : public IdleInhibition {
public:
    explicit KdePowerInhibitionCheck(QDBusConnection session) : bus_(std::move(session)) {}
    QString inhibitedBy() override;

private:
    QDBusConnection bus_;
};

}  // namespace luma
