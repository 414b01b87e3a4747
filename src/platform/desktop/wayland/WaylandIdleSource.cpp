#include "platform/desktop/wayland/WaylandIdleSource.h"

#include "platform/desktop/wayland/WaylandConnection.h"
#include "platform/desktop/wayland/WaylandPtr.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

#include <algorithm>

namespace luma {

// The objects of the protocol in use; the others stay empty.
struct WaylandIdleSource::Objects {
    WaylandPtr<ext_idle_notifier_v1, ext_idle_notifier_v1_destroy> notifier;
    WaylandPtr<ext_idle_notification_v1, ext_idle_notification_v1_destroy> notification;
    WaylandPtr<org_kde_kwin_idle, org_kde_kwin_idle_destroy> manager;
    WaylandPtr<org_kde_kwin_idle_timeout, org_kde_kwin_idle_timeout_release> timeout;
};

WaylandIdleSource::WaylandIdleSource(std::unique_ptr<WaylandConnection> connection,
                                     WaylandIdleProtocol protocol, QObject* parent)
    : IdleSource(parent),
      connection_(std::move(connection)),
      protocol_(protocol),
      objects_(new Objects) {}

WaylandIdleSource::~WaylandIdleSource() = default;

bool WaylandIdleSource::arm(std::chrono::milliseconds threshold) {
    disarm();
    if (connection_->isBroken() || !connection_->seat()) {
        return false;
    }
    const auto ms = std::clamp<std::chrono::milliseconds::rep>(threshold.count(), 0, UINT32_MAX);
    if (!watch(static_cast<std::uint32_t>(ms)) || !connection_->flush()) {
        return false;
    }
    threshold_ = threshold;
    return true;
}

// wlroots before 0.16 (sway 1.7) drops input while an application inhibits idleness, and a
// timeout that went idle before then stays idle: the input that ended the show brings no
// resumed, and the next idle time no idle. A new timeout counts from now.
void WaylandIdleSource::showEnded() {
    if (const auto threshold = threshold_) {
        arm(*threshold);
    }
}

bool WaylandIdleSource::watch(std::uint32_t ms) {
    static const ext_idle_notification_v1_listener extListener = {
        .idled =
            [](void* data, ext_idle_notification_v1*) {
                static_cast<WaylandIdleSource*>(data)->post(&IdleSource::idle);
            },
        .resumed =
            [](void* data, ext_idle_notification_v1*) {
                static_cast<WaylandIdleSource*>(data)->post(&IdleSource::active);
            },
    };
    static const org_kde_kwin_idle_timeout_listener kdeListener = {
        .idle =
            [](void* data, org_kde_kwin_idle_timeout*) {
                static_cast<WaylandIdleSource*>(data)->post(&IdleSource::idle);
            },
        .resumed =
            [](void* data, org_kde_kwin_idle_timeout*) {
                static_cast<WaylandIdleSource*>(data)->post(&IdleSource::active);
            },
    };
    Objects& o = *objects_;
    wl_seat* seat = connection_->seat();
    switch (protocol_) {
        case WaylandIdleProtocol::ExtIdleNotify:
            if (!o.notifier) {
                o.notifier.reset(static_cast<ext_idle_notifier_v1*>(
                    connection_->bind(ext_idle_notifier_v1_interface, 1)));
            }
            if (o.notifier) {
                o.notification.reset(
                    ext_idle_notifier_v1_get_idle_notification(o.notifier.get(), ms, seat));
            }
            return o.notification && ext_idle_notification_v1_add_listener(o.notification.get(),
                                                                           &extListener, this) == 0;
        case WaylandIdleProtocol::KdeIdle:
            if (!o.manager) {
                o.manager.reset(static_cast<org_kde_kwin_idle*>(
                    connection_->bind(org_kde_kwin_idle_interface, 1)));
            }
            if (o.manager) {
                o.timeout.reset(org_kde_kwin_idle_get_idle_timeout(o.manager.get(), seat, ms));
            }
            return o.timeout &&
                   org_kde_kwin_idle_timeout_add_listener(o.timeout.get(), &kdeListener, this) == 0;
        case WaylandIdleProtocol::None:
            break;
    }
    return false;
}

void WaylandIdleSource::disarm() {
    ++generation_;
    threshold_.reset();
    if (objects_->notification || objects_->timeout) {
        objects_->notification.reset();
        objects_->timeout.reset();
        connection_->flush();
    }
}

QString WaylandIdleSource::name() const {
    return protocol_ == WaylandIdleProtocol::ExtIdleNotify
               ? QStringLiteral("the Wayland idle notifier (ext_idle_notifier_v1)")
               : QStringLiteral("KDE's Wayland idle protocol (org_kde_kwin_idle)");
}

void WaylandIdleSource::post(void (IdleSource::*signal)()) {
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
