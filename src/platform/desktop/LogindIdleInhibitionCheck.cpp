#include "platform/desktop/LogindIdleInhibitionCheck.h"

#include "platform/desktop/QuickDBusCall.h"

#include <QDBusVariant>

namespace luma {

QString LogindIdleInhibitionCheck::inhibitedBy() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QStringLiteral("org.freedesktop.login1.Manager") << QStringLiteral("BlockInhibited");
    const auto reply = quickDBusCall(bus_, call);
    if (!reply || reply->typeId() != qMetaTypeId<QDBusVariant>()) {
        return {};
    }
    // A colon-separated list of what is blocked: "shutdown:sleep:idle".
    const QVariant blocked = reply->value<QDBusVariant>().variant();
    if (blocked.typeId() == QMetaType::QString &&
        blocked.toString().split(QLatin1Char(':')).contains(QLatin1String("idle"))) {
        return QStringLiteral("a program holds logind's idle lock");
    }
    return {};
}

}  // namespace luma
