#include "platform/desktop/SessionBusAddress.h"

#include <QFileInfo>
#include <QString>

namespace luma {
namespace {

// A value in a D-Bus address: bytes other than these go as %XX.
QString escapedAddressValue(const QString& value) {
    QString out;
    for (const char c : value.toUtf8()) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                           (c >= 'A' && c <= 'Z') || QByteArrayView("-_/.\\*").contains(c);
        out +=
            plain ? QString(QChar(c)) : QString::asprintf("%%%02x", static_cast<unsigned char>(c));
    }
    return out;
}

}  // namespace

void settleSessionBusAddress() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString bus = runtime + QStringLiteral("/bus");
    // "disabled:" is no transport the library knows: a connection fails at once, starting nothing.
    const QString address = !runtime.isEmpty() && QFileInfo(bus).exists()
                                ? QStringLiteral("unix:path=") + escapedAddressValue(bus)
                                : QStringLiteral("disabled:");
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toLocal8Bit());
}

}  // namespace luma
