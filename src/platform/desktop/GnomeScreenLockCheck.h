#pragma once

#include "platform/desktop/IdleSource.h"

#include <QDBusConnection>

namespace luma {

// GNOME Shell's own screen saver: a locked or blanked screen needs no show.
class GnomeScreenLockCheck : public IdleInhibition {
public:
    explicit GnomeScreenLockCheck(QDBusConnection session) : bus_(std::move(session)) {}
    QString inhibitedBy() override;

private:
    QDBusConnection bus_;
};

}  // namespace luma
