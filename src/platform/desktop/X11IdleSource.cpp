#include "platform/desktop/X11IdleSource.h"

#include "platform/desktop/IdleReplies.h"

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace luma {

std::unique_ptr<X11IdleSource> X11IdleSource::open() {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        return nullptr;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_screensaver_id);
    if (extension == nullptr || extension->present == 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    std::unique_ptr<X11IdleSource> source(new X11IdleSource(connection));
    if (!source->query()) {
        return nullptr;
    }
    return source;
}

X11IdleSource::X11IdleSource(xcb_connection_t* connection) : connection_(connection) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    poll_.setInterval(kIdlePollMs);
    connect(&poll_, &QTimer::timeout, this, &X11IdleSource::poll);
}

X11IdleSource::~X11IdleSource() {
    xcb_disconnect(connection_);
}

std::optional<X11IdleSource::Info> X11IdleSource::query() {
    if (xcb_connection_has_error(connection_) != 0) {
        return std::nullopt;
    }
    xcb_screensaver_query_info_reply_t* reply = xcb_screensaver_query_info_reply(
        connection_, xcb_screensaver_query_info(connection_, root_), nullptr);
    if (reply == nullptr) {
        return std::nullopt;
    }
    const Info info{reply->ms_since_user_input, reply->state == XCB_SCREENSAVER_STATE_DISABLED};
    std::free(reply);
    return info;
}

bool X11IdleSource::arm(std::chrono::milliseconds threshold) {
    threshold_ = threshold;
    idle_ = false;
    poll_.start();
    return query().has_value();
}

void X11IdleSource::disarm() {
    poll_.stop();
    idle_ = false;
}

QString X11IdleSource::name() const {
    return QStringLiteral("the X server's idle time");
}

QString X11IdleSource::inhibitedBy() {
    const std::optional<Info> info = query();
    return info && info->disabled
               ? QStringLiteral("the X server's screen saver is off or suspended")
               : QString();
}

void X11IdleSource::poll() {
    const std::optional<Info> info = query();
    if (!info) {
        poll_.stop();  // the server went: nothing more to watch
        return;
    }
    const IdleReading reading = readIdleTime(info->sinceInput, threshold_);
    poll_.setInterval(reading.nextPollMs);
    if (reading.idle != idle_) {
        idle_ = reading.idle;
        if (idle_) {
            emit idle();
        } else {
            emit active();
        }
    }
}

}  // namespace luma
