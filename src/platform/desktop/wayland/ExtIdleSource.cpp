#include "platform/desktop/wayland/ExtIdleSource.h"

#include "platform/desktop/wayland/WaylandConnection.h"

#include "ext-idle-notify-v1-client-protocol.h"

#include <algorithm>

namespace luma {

struct ExtIdleSource::Objects {
    WaylandPtr<ext_idle_notifier_v1, ext_idle_notifier_v1_destroy> notifier;
    WaylandPtr<ext_idle_notification_v1, ext_idle_notification_v1_destroy> notification;
};

ExtIdleSource::ExtIdleSource(std::unique_ptr<WaylandConnection> connection, QObject* parent)
    : IdleSource(parent), connection_(std::move(connection)), objects_(new Objects) {}

ExtIdleSource::~ExtIdleSource() = default;

bool ExtIdleSource::arm(std::chrono::milliseconds threshold) {
    static const ext_idle_notification_v1_listener listener = {
        .idled =
            [](void* data, ext_idle_notification_v1*) {
                static_cast<ExtIdleSource*>(data)->post(&ExtIdleSource::idle);
            },
        .resumed =
            [](void* data, ext_idle_notification_v1*) {
                static_cast<ExtIdleSource*>(data)->post(&ExtIdleSource::active);
            },
    };
    disarm();
    if (connection_->isBroken()) {
        return false;
    }
    if (!objects_->notifier) {
        objects_->notifier.reset(static_cast<ext_idle_notifier_v1*>(
            connection_->bind(ext_idle_notifier_v1_interface, 1)));
    }
    wl_seat* seat = connection_->seat();
    if (!objects_->notifier || !seat) {
        return false;
    }
    const auto milliseconds =
        std::clamp<std::chrono::milliseconds::rep>(threshold.count(), 0, UINT32_MAX);
    objects_->notification.reset(ext_idle_notifier_v1_get_idle_notification(
        objects_->notifier.get(), static_cast<std::uint32_t>(milliseconds), seat));
    if (!objects_->notification) {
        return false;
    }
    ext_idle_notification_v1_add_listener(objects_->notification.get(), &listener, this);
    return connection_->flush();
}

void ExtIdleSource::disarm() {
    ++generation_;
    if (objects_->notification) {
        objects_->notification.reset();
        connection_->flush();
    }
}

QString ExtIdleSource::name() const {
    return QStringLiteral("the Wayland idle notifier (ext_idle_notifier_v1)");
}

void ExtIdleSource::post(void (ExtIdleSource::*signal)()) {
    QMetaObject::invokeMethod(
        this,
        [this, signal, armed = generation_] {
            if (armed == generation_) {
                emit(this->*signal)();
            }
        },
        Qt::QueuedConnection);
}

}  // namespace luma
