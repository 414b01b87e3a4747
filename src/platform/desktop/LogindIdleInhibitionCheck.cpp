#include "platform/desktop/LogindIdleInhibitionCheck.h"

#include "platform/desktop/IdleReplies.h"
#include "platform/desktop/QuickDBusCall.h"

namespace luma {

QString LogindIdleInhibitionCheck::inhibitedBy() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QStringLiteral("org.freedesktop.login1.Manager") << QStringLiteral("BlockInhibited");
    return blocksIdle(quickDBusCall(bus_, call))
               ? QStringLiteral("a program holds logind's idle lock")
               : QString();
}

}  // namespace luma
