#include "platform/desktop/wayland/WaylandIdleInhibitor.h"

#include "platform/desktop/wayland/WaylandPtr.h"
#include "platform/desktop/wayland/WaylandRoundtrip.h"

#include "idle-inhibit-unstable-v1-client-protocol.h"

#include <qpa/qplatformnativeinterface.h>
#include <QGuiApplication>
#include <QWindow>

#include <wayland-client.h>

#include <algorithm>
#include <cstring>

namespace luma {
namespace {

constexpr std::chrono::seconds kAnswerLimit{5};

struct ManagerGlobal {
    std::uint32_t name = 0;
    std::uint32_t version = 0;
};

void onGlobal(void* data, wl_registry*, std::uint32_t name, const char* interface,
              std::uint32_t version) {
    if (std::strcmp(interface, zwp_idle_inhibit_manager_v1_interface.name) == 0) {
        *static_cast<ManagerGlobal*>(data) = {name, version};
    }
}

void onGlobalRemove(void*, wl_registry*, std::uint32_t) {}

}  // namespace

// Qt's display, and our objects on a queue of our own, which Qt never dispatches.
struct WaylandIdleInhibitor::Objects {
    wl_display* display = nullptr;
    WaylandPtr<wl_event_queue, wl_event_queue_destroy> queue;
    WaylandPtr<zwp_idle_inhibit_manager_v1, zwp_idle_inhibit_manager_v1_destroy> manager;
    WaylandPtr<zwp_idle_inhibitor_v1, zwp_idle_inhibitor_v1_destroy> inhibitor;
};

WaylandIdleInhibitor::Made WaylandIdleInhibitor::inhibit(QWindow& window) {
    if (QGuiApplication::platformName() != QLatin1String("wayland")) {
        return {nullptr, QStringLiteral("the window is no Wayland client (Qt platform \"%1\")")
                             .arg(QGuiApplication::platformName())};
    }
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!native) {
        return {nullptr, QStringLiteral("Qt's Wayland platform gives no native interface")};
    }
    window.create();
    auto objects = std::make_unique<Objects>();
    objects->display = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    auto* surface = static_cast<wl_surface*>(native->nativeResourceForWindow("surface", &window));
    if (!objects->display || !surface) {
        return {nullptr, QStringLiteral("Qt gives no Wayland display or surface for the window")};
    }
    objects->queue.reset(wl_display_create_queue(objects->display));
    const WaylandPtr<void, wl_proxy_wrapper_destroy> wrapper(
        wl_proxy_create_wrapper(objects->display));
    if (!objects->queue || !wrapper) {
        return {nullptr, QStringLiteral("out of memory for a Wayland queue")};
    }
    wl_proxy_set_queue(static_cast<wl_proxy*>(wrapper.get()), objects->queue.get());
    const WaylandPtr<wl_registry, wl_registry_destroy> registry(
        wl_display_get_registry(static_cast<wl_display*>(wrapper.get())));
    static const wl_registry_listener listener = {.global = onGlobal,
                                                  .global_remove = onGlobalRemove};
    ManagerGlobal global;
    if (!registry || wl_registry_add_listener(registry.get(), &listener, &global) != 0 ||
        !waylandRoundtrip(objects->display, objects->queue.get(),
                          std::chrono::milliseconds(kAnswerLimit))) {
        return {nullptr, QStringLiteral("the Wayland compositor did not answer")};
    }
    if (global.name == 0) {
        return {nullptr, QStringLiteral("the compositor offers no idle inhibitor (%1)")
                             .arg(QLatin1String(zwp_idle_inhibit_manager_v1_interface.name))};
    }
    objects->manager.reset(static_cast<zwp_idle_inhibit_manager_v1*>(
        wl_registry_bind(registry.get(), global.name, &zwp_idle_inhibit_manager_v1_interface, 1)));
    if (objects->manager) {
        objects->inhibitor.reset(
            zwp_idle_inhibit_manager_v1_create_inhibitor(objects->manager.get(), surface));
    }
    if (!objects->inhibitor || wl_display_flush(objects->display) < 0) {
        return {nullptr, QStringLiteral("the idle inhibitor could not be made")};
    }
    return {std::unique_ptr<WaylandIdleInhibitor>(new WaylandIdleInhibitor(std::move(objects))),
            {}};
}

WaylandIdleInhibitor::WaylandIdleInhibitor(std::unique_ptr<Objects> objects)
    : objects_(std::move(objects)) {}

WaylandIdleInhibitor::~WaylandIdleInhibitor() {
    objects_->inhibitor.reset();
    objects_->manager.reset();
    wl_display_flush(objects_->display);
}

}  // namespace luma
