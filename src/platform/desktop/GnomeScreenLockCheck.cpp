#include "platform/desktop/GnomeScreenLockCheck.h"

#include "platform/desktop/QuickDBusCall.h"

namespace luma {

QString GnomeScreenLockCheck::inhibitedBy() {
    const auto active = quickDBusCall(
        bus_, QDBusMessage::createMethodCall(
                  QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver"),
                  QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("GetActive")));
    if (active && active->typeId() == QMetaType::Bool && active->toBool()) {
        return QStringLiteral("the screen is locked or blanked");
    }
    return {};
}

}  // namespace luma
