#include "platform/desktop/wayland/WaylandConnection.h"

#include "platform/desktop/wayland/WaylandRoundtrip.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace luma {
namespace {

constexpr std::chrono::seconds kAnswerLimit{5};

// Unlike strerror, safe beside the threads that read CDs and decode pictures.
QString errorText(int error) {
    return QString::fromStdString(std::generic_category().message(error));
}

}  // namespace

WaylandConnection::Opened WaylandConnection::open(const QString& socketName) {
    // libwayland falls back on "wayland-0" without a name; outside a Wayland session that could
    // be somebody else's compositor.
    const QByteArray name =
        socketName.isEmpty() ? qgetenv("WAYLAND_DISPLAY") : socketName.toLocal8Bit();
    if (name.isEmpty()) {
        return {nullptr, QStringLiteral("no Wayland display: WAYLAND_DISPLAY is not set")};
    }
    wl_display* display = wl_display_connect(name.constData());
    if (!display) {
        // Taken at once: building the message may allocate and change errno.
        const int error = errno;
        return {nullptr, QStringLiteral("no Wayland compositor answers at %1: %2")
                             .arg(QString::fromLocal8Bit(name), errorText(error))};
    }
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display));
    if (!connection->registry_ ||
        !waylandRoundtrip(display, nullptr, std::chrono::milliseconds(kAnswerLimit))) {
        return {nullptr, QStringLiteral("the Wayland compositor at %1 did not answer")
                             .arg(QString::fromLocal8Bit(name))};
    }
    return {std::move(connection), {}};
}

WaylandConnection::WaylandConnection(wl_display* display)
    : display_(display), registry_(wl_display_get_registry(display)) {
    static const wl_registry_listener listener = {
        .global = &WaylandConnection::onGlobal,
        .global_remove = &WaylandConnection::onGlobalRemove,
    };
    if (registry_) {
        wl_registry_add_listener(registry_.get(), &listener, this);
    }
    const int fd = wl_display_get_fd(display);
    readable_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(readable_.get(), &QSocketNotifier::activated, this, &WaylandConnection::readEvents);
    // Only while a flush could not send everything.
    writable_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    writable_->setEnabled(false);
    connect(writable_.get(), &QSocketNotifier::activated, this, &WaylandConnection::flush);
}

WaylandConnection::~WaylandConnection() {
    // Requests still queued (an object's destruction) are worth sending; a failure changes nothing.
    if (!broken_) {
        wl_display_flush(display_.get());
    }
}

void WaylandConnection::onGlobal(void* data, wl_registry*, std::uint32_t name,
                                 const char* interface, std::uint32_t version) {
    static_cast<WaylandConnection*>(data)->globals_.push_back(
        {name, QString::fromLatin1(interface), version});
}

void WaylandConnection::onGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    auto& globals = static_cast<WaylandConnection*>(data)->globals_;
    std::erase_if(globals, [name](const Global& global) { return global.name == name; });
}

bool WaylandConnection::offers(const char* interfaceName) const {
    const QLatin1String wanted(interfaceName);
    return std::any_of(globals_.begin(), globals_.end(),
                       [&](const Global& global) { return global.interface == wanted; });
}

void* WaylandConnection::bind(const wl_interface& interface, std::uint32_t version) {
    if (broken_) {
        return nullptr;
    }
    const QLatin1String wanted(interface.name);
    const auto found = std::find_if(globals_.begin(), globals_.end(), [&](const Global& global) {
        return global.interface == wanted;
    });
    if (found == globals_.end()) {
        return nullptr;
    }
    return wl_registry_bind(registry_.get(), found->name, &interface,
                            std::min(version, found->version));
}

wl_seat* WaylandConnection::seat() {
    if (!seat_) {
        seat_.reset(static_cast<wl_seat*>(bind(wl_seat_interface, 1)));
    }
    return seat_.get();
}

bool WaylandConnection::flush() {
    if (broken_) {
        return false;
    }
    if (wl_display_flush(display_.get()) >= 0) {
        writable_->setEnabled(false);
        return true;
    }
    if (errno == EAGAIN) {
        writable_->setEnabled(true);
        return true;
    }
    markBroken();
    return false;
}

void WaylandConnection::readEvents() {
    wl_display* display = display_.get();
    // All events are dispatched after each read, so the queue is empty here but for events that
    // arrived during a roundtrip.
    while (wl_display_prepare_read(display) != 0) {
        if (wl_display_dispatch_pending(display) < 0) {
            markBroken();
            return;
        }
    }
    if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0) {
        markBroken();
        return;
    }
    flush();
}

void WaylandConnection::markBroken() {
    if (broken_) {
        return;
    }
    const int lastSystemError = errno;
    broken_ = true;
    readable_->setEnabled(false);
    writable_->setEnabled(false);
    const int error = wl_display_get_error(display_.get());
    if (error == EPROTO) {
        const wl_interface* interface = nullptr;
        std::uint32_t id = 0;
        const std::uint32_t code = wl_display_get_protocol_error(display_.get(), &interface, &id);
        brokenReason_ =
            QStringLiteral("the compositor ended the connection: protocol error %1 on %2")
                .arg(code)
                .arg(QLatin1String(interface ? interface->name : "an unknown object"));
    } else {
        brokenReason_ = QStringLiteral("the Wayland connection broke: %1")
                            .arg(errorText(error ? error : lastSystemError));
    }
    // Queued: a receiver may delete the connection, which must not happen inside its own read.
    QMetaObject::invokeMethod(
        this, [this] { emit broken(brokenReason_); }, Qt::QueuedConnection);
}

}  // namespace luma
