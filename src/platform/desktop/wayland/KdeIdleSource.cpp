#include "platform/desktop/wayland/KdeIdleSource.h"

#include "platform/desktop/wayland/WaylandConnection.h"

#include "idle-client-protocol.h"

#include <algorithm>

namespace luma {

struct KdeIdleSource::Objects {
    WaylandPtr<org_kde_kwin_idle, org_kde_kwin_idle_destroy> manager;
    WaylandPtr<org_kde_kwin_idle_timeout, org_kde_kwin_idle_timeout_release> timeout;
};

KdeIdleSource::KdeIdleSource(std::unique_ptr<WaylandConnection> connection, QObject* parent)
    : IdleSource(parent), connection_(std::move(connection)), objects_(new Objects) {}

KdeIdleSource::~KdeIdleSource() = default;

bool KdeIdleSource::arm(std::chrono::milliseconds threshold) {
    static const org_kde_kwin_idle_timeout_listener listener = {
        .idle =
            [](void* data, org_kde_kwin_idle_timeout*) {
                static_cast<KdeIdleSource*>(data)->post(&KdeIdleSource::idle);
            },
        .resumed =
            [](void* data, org_kde_kwin_idle_timeout*) {
                static_cast<KdeIdleSource*>(data)->post(&KdeIdleSource::active);
            },
    };
    disarm();
    if (connection_->isBroken()) {
        return false;
    }
    if (!objects_->manager) {
        objects_->manager.reset(
            static_cast<org_kde_kwin_idle*>(connection_->bind(org_kde_kwin_idle_interface, 1)));
    }
    wl_seat* seat = connection_->seat();
    if (!objects_->manager || !seat) {
        return false;
    }
    const auto milliseconds =
        std::clamp<std::chrono::milliseconds::rep>(threshold.count(), 0, UINT32_MAX);
    objects_->timeout.reset(org_kde_kwin_idle_get_idle_timeout(
        objects_->manager.get(), seat, static_cast<std::uint32_t>(milliseconds)));
    if (!objects_->timeout) {
        return false;
    }
    org_kde_kwin_idle_timeout_add_listener(objects_->timeout.get(), &listener, this);
    return connection_->flush();
}

void KdeIdleSource::disarm() {
    ++generation_;
    if (objects_->timeout) {
        objects_->timeout.reset();
        connection_->flush();
    }
}

QString KdeIdleSource::name() const {
    return QStringLiteral("KDE's Wayland idle protocol (org_kde_kwin_idle)");
}

void KdeIdleSource::post(void (KdeIdleSource::*signal)()) {
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
