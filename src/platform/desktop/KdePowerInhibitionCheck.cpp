#include "platform/desktop/KdePowerInhibitionCheck.h"

#include "platform/desktop/IdleReplies.h"
#include "platform/desktop/QuickDBusCall.h"

namespace luma {

namespace {
// The policy agent's ChangeScreenSettings: what keeps the screen from dimming and locking.
constexpr uint kChangeScreenSettings = 4;
}  // namespace

QString KdePowerInhibitionCheck::inhibitedBy() {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.kde.Solid.PowerManagement"),
                                       QStringLiteral("/org/kde/Solid/PowerManagement/PolicyAgent"),
                                       QStringLiteral("org.kde.Solid.PowerManagement.PolicyAgent"),
                                       QStringLiteral("HasInhibition"));
    call << kChangeScreenSettings;
    const auto inhibited = quickDBusCall(bus_, call);
    if (isTrue(inhibited)) {
        return QStringLiteral("an application keeps the screen on");
    }
    return {};
}

}  // namespace luma
