#include "platform/desktop/ShowInhibitor.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace luma {

namespace {
const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
constexpr int kTimeoutMs = 2000;

void sendUnInhibit(const QDBusConnection& bus, const QString& owner, uint cookie) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(owner, kPath, kInterface, QStringLiteral("UnInhibit"));
    call << cookie;
    bus.send(call);
}
}  // namespace

ShowInhibitor::ShowInhibitor(QDBusConnection session, QObject* parent)
    : QObject(parent), bus_(std::move(session)) {}

ShowInhibitor::~ShowInhibitor() {
    stop();
    if (pending_) {
        // The answer outlives us: release what it grants as soon as it arrives.
        pending_->setParent(nullptr);
        connect(pending_, &QDBusPendingCallWatcher::finished, pending_,
                [bus = bus_, owner = owner_](QDBusPendingCallWatcher* watcher) {
                    const QDBusPendingReply<uint> reply = *watcher;
                    if (reply.isValid()) {
                        sendUnInhibit(bus, owner, reply.value());
                    }
                    watcher->deleteLater();
                });
    }
}

void ShowInhibitor::start() {
    wanted_ = true;
    if (cookie_ != 0 || pending_ || !bus_.isConnected()) {
        return;
    }
    // Our own service (a bare X11 session) would only be inhibiting itself.
    const QDBusConnectionInterface* daemon = bus_.interface();
    owner_ = daemon ? daemon->serviceOwner(kService).value() : QString();
    if (owner_.isEmpty() || owner_ == bus_.baseService()) {
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(owner_, kPath, kInterface, QStringLiteral("Inhibit"));
    call << QStringLiteral("Lumafolio") << QStringLiteral("slideshow");
    pending_ = new QDBusPendingCallWatcher(bus_.asyncCall(call, kTimeoutMs), this);
    connect(pending_, &QDBusPendingCallWatcher::finished, this, [this] {
        const QDBusPendingReply<uint> reply = *pending_;
        pending_->deleteLater();
        pending_ = nullptr;
        if (reply.isValid()) {
            cookie_ = reply.value();
            if (!wanted_) {
                release();
            }
        }
    });
}

void ShowInhibitor::stop() {
    wanted_ = false;
    release();
}

void ShowInhibitor::release() {
    if (cookie_ != 0) {
        // To the owner that granted it: a cookie means nothing to a later owner of the name.
        sendUnInhibit(bus_, owner_, cookie_);
        cookie_ = 0;
    }
}

}  // namespace luma
