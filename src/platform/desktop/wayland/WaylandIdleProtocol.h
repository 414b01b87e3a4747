#pragma once

#include <memory>

namespace luma {

class IdleSource;
class WaylandConnection;

enum class WaylandIdleProtocol { None, ExtIdleNotify, KdeIdle };

// The idle protocol to use on this compositor: ext_idle_notifier_v1 where offered, else
// org_kde_kwin_idle; None without either or without a seat.
WaylandIdleProtocol offeredIdleProtocol(const WaylandConnection& connection);

// The idle source of offeredIdleProtocol() over `connection`, which it takes over; null for None.
std::unique_ptr<IdleSource> makeWaylandIdleSource(std::unique_ptr<WaylandConnection> connection);

}  // namespace luma
