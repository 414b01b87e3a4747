#include "platform/desktop/wayland/WaylandRoundtrip.h"

#include "platform/desktop/wayland/WaylandPtr.h"

#include <wayland-client.h>

#include <cerrno>

#include <poll.h>

namespace luma {
namespace {

using Callback = WaylandPtr<wl_callback, wl_callback_destroy>;
using Wrapper = WaylandPtr<void, wl_proxy_wrapper_destroy>;

const wl_callback_listener kDoneListener = {
    .done = [](void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; },
};

int prepareRead(wl_display* display, wl_event_queue* queue) {
    return queue ? wl_display_prepare_read_queue(display, queue) : wl_display_prepare_read(display);
}

int dispatchPending(wl_display* display, wl_event_queue* queue) {
    return queue ? wl_display_dispatch_queue_pending(display, queue)
                 : wl_display_dispatch_pending(display);
}

}  // namespace

bool waylandRoundtrip(wl_display* display, wl_event_queue* queue, std::chrono::milliseconds limit) {
    // The sync goes through a wrapper so that its answer lands on `queue`, whoever else reads.
    const Wrapper wrapper(wl_proxy_create_wrapper(display));
    if (!wrapper) {
        return false;
    }
    if (queue) {
        wl_proxy_set_queue(static_cast<wl_proxy*>(wrapper.get()), queue);
    }
    const Callback sync(wl_display_sync(static_cast<wl_display*>(wrapper.get())));
    bool done = false;
    if (!sync || wl_callback_add_listener(sync.get(), &kDoneListener, &done) != 0) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done) {
        if (prepareRead(display, queue) != 0) {
            if (dispatchPending(display, queue) < 0) {
                return false;
            }
            continue;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            return false;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd fd = {.fd = wl_display_get_fd(display), .events = POLLIN, .revents = 0};
        const int ready = left.count() > 0 ? ::poll(&fd, 1, static_cast<int>(left.count())) : 0;
        if (ready <= 0) {
            wl_display_cancel_read(display);
            if (ready < 0 && errno == EINTR) {
                continue;
            }
            return false;
        }
        if (wl_display_read_events(display) < 0 || dispatchPending(display, queue) < 0) {
            return false;
        }
    }
    return true;
}

}  // namespace luma
