#pragma once

#include <wayland-client-core.h>

#include <memory>

namespace luma {

// A Wayland object owned by a std::unique_ptr that ends it with `destroy`: the protocol's
// destructor request, or a libwayland function. The protocol headers' functions are static
// inline; types in headers use WaylandProxyPtr instead.
template <auto destroy>
struct WaylandDeleter {
    template <typename T>
    void operator()(T* object) const {
        destroy(object);
    }
};

template <typename T, auto destroy>
using WaylandPtr = std::unique_ptr<T, WaylandDeleter<destroy>>;

// For objects whose interface has no destructor request (wl_registry, wl_seat before version
// 5, wl_callback): only the client's side is freed.
struct WaylandProxyDeleter {
    template <typename T>
    void operator()(T* object) const {
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(object));
    }
};

template <typename T>
using WaylandProxyPtr = std::unique_ptr<T, WaylandProxyDeleter>;

}  // namespace luma
