#pragma once

#include <chrono>

struct wl_display;
struct wl_event_queue;

namespace luma {

// Sends a sync and dispatches `queue` (the default queue when null) until the compositor has
// answered it, for at most `limit`: what wl_display_roundtrip_queue does, without waiting forever
// on a compositor that stopped answering. Cooperates with other threads reading the same display.
// False when the time ran out or the connection failed.
bool waylandRoundtrip(wl_display* display, wl_event_queue* queue, std::chrono::milliseconds limit);

}  // namespace luma
