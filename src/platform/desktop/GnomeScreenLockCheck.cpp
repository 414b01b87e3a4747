#include "platform/desktop/GnomeScreenLockCheck.h"

#include "platform/desktop/IdleReplies.h"
#include "platform/desktop/QuickDBusCall.h"

namespace luma {

QString GnomeScreenLockCheck::inhibitedBy() {
    const auto active = quickDBusCall(
        bus_, QDBusMessage::createMethodCall(
                  QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver"),
                  QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("GetActive")));
    if (isTrue(active)) {
        return QStringLiteral("the screen is locked or blanked");
    }
    return {};
}

}  // namespace luma
