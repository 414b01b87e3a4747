#pragma once

#include "platform/desktop/wayland/WaylandPtr.h"

#include <QObject>
#include <QString>

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace luma {

// A connection of our own to the Wayland compositor, whatever Qt platform plugin the windows
// use: its events are read and dispatched on the GUI thread through a socket notifier. Knows the
// compositor's globals and binds them. Objects made on it must go before it does.
class WaylandConnection : public QObject {
    Q_OBJECT
public:
    struct Opened;
    // Connects to the compositor's socket `socketName` (WAYLAND_DISPLAY when empty) and reads its
    // globals, waiting at most a few seconds for its answer.
    static Opened open(const QString& socketName = {});
    ~WaylandConnection() override;
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    wl_display* display() const { return display_.get(); }
    // True once the compositor has gone or closed the connection for an error.
    bool isBroken() const { return broken_; }
    QString brokenReason() const { return brokenReason_; }

    bool offers(const char* interfaceName) const;
    // The global named `interface`, bound at the lower of its version and `version`; null when the
    // compositor has none or the connection is broken. The caller owns the object.
    void* bind(const wl_interface& interface, std::uint32_t version);
    // The compositor's first seat, bound on first use and owned by the connection; null when it
    // has none.
    wl_seat* seat();
    // Sends the requests made so far; false when the connection is broken.
    bool flush();

signals:
    // The connection broke: the compositor went, or ended it for a protocol error. Nothing on it
    // works any more.
    void broken(const QString& reason);

private:
    struct Global {
        std::uint32_t name;
        QString interface;
        std::uint32_t version;
    };

    explicit WaylandConnection(wl_display* display);
    static void onGlobal(void* data, wl_registry*, std::uint32_t name, const char* interface,
                         std::uint32_t version);
    static void onGlobalRemove(void* data, wl_registry*, std::uint32_t name);
    void readEvents();
    void markBroken();

    WaylandPtr<wl_display, wl_display_disconnect> display_;
    WaylandProxyPtr<wl_registry> registry_;
    WaylandProxyPtr<wl_seat> seat_;
    std::vector<Global> globals_;
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QSocketNotifier> writable_;
    bool broken_ = false;
    QString brokenReason_;
};

struct WaylandConnection::Opened {
    // Null when no compositor answered; `error` then says why.
    std::unique_ptr<WaylandConnection> connection;
    QString error;
};

}  // namespace luma
