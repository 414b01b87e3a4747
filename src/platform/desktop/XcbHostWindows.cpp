#include "platform/desktop/XcbHostWindows.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace luma {
namespace {

xcb_connection_t* connection() {
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

std::optional<quint32> XcbHostWindows::rootWindow() {
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return std::nullopt;
    }
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    if (screens.rem == 0) {
        return std::nullopt;
    }
    return screens.data->root;
}

std::optional<QSize> XcbHostWindows::size(quint32 window) {
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return std::nullopt;
    }
    xcb_generic_error_t* error = nullptr;
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), &error), &std::free);
    std::free(error);
    if (!geometry) {
        return std::nullopt;
    }
    return QSize(geometry->width, geometry->height);
}

}  // namespace luma
