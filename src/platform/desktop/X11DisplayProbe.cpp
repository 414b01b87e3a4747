#include "platform/desktop/X11DisplayProbe.h"

#include <xcb/xcb.h>

#include <memory>

namespace luma {

bool x11DisplayAnswers(const QString& display) {
    // xcb_connect never returns null: a failed connection is an object that reports its error.
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(display.toLocal8Bit().constData(), nullptr), &xcb_disconnect);
    return xcb_connection_has_error(connection.get()) == 0;
}

}  // namespace luma
