#include "platform/desktop/wayland/WaylandIdleProtocol.h"

#include "platform/desktop/wayland/WaylandConnection.h"
#include "platform/desktop/wayland/WaylandIdleSource.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

namespace luma {

WaylandIdleProtocol offeredIdleProtocol(const WaylandConnection& connection) {
    if (!connection.offers(wl_seat_interface.name)) {
        return WaylandIdleProtocol::None;
    }
    if (connection.offers(ext_idle_notifier_v1_interface.name)) {
        return WaylandIdleProtocol::ExtIdleNotify;
    }
    if (connection.offers(org_kde_kwin_idle_interface.name)) {
        return WaylandIdleProtocol::KdeIdle;
    }
    return WaylandIdleProtocol::None;
}

std::unique_ptr<IdleSource> makeWaylandIdleSource(std::unique_ptr<WaylandConnection> connection) {
    if (!connection) {
        return nullptr;
    }
    const WaylandIdleProtocol protocol = offeredIdleProtocol(*connection);
    if (protocol == WaylandIdleProtocol::None) {
        return nullptr;
    }
    return std::make_unique<WaylandIdleSource>(std::move(connection), protocol);
}

}  // namespace luma
