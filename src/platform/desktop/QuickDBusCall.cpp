#include "platform/desktop/QuickDBusCall.h"

namespace luma {

std::optional<QVariant> quickDBusCall(const QDBusConnection& bus, QDBusMessage call,
                                      std::chrono::milliseconds timeout) {
    if (!bus.isConnected()) {
        return std::nullopt;
    }
    // An activatable service (logind on the system bus) would otherwise be started just to ask it.
    call.setAutoStartService(false);
    const QDBusMessage reply = bus.call(call, QDBus::Block, static_cast<int>(timeout.count()));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return std::nullopt;
    }
    return reply.arguments().constFirst();
}

}  // namespace luma
