#pragma once

#include <QString>

#include <memory>

class QWindow;

namespace luma {

// Keeps the compositor from counting the user idle while a window is visible on it: an idle
// inhibitor on the window's surface (zwp_idle_inhibit_manager_v1), what wlroots desktops and
// KWin honour. It must be made on the connection that owns the surface, so it needs the window
// to be a Wayland client itself (Qt's "wayland" platform, package qt6-wayland). It holds while
// the surface lives; a window shown again after a hide may have a new surface and needs a new
// inhibitor. Must go before the QGuiApplication does.
class WaylandIdleInhibitor {
public:
    struct Made;
    // Inhibits idleness while `window` is visible; creates its platform window if needed.
    static Made inhibit(QWindow& window);
    ~WaylandIdleInhibitor();
    WaylandIdleInhibitor(const WaylandIdleInhibitor&) = delete;
    WaylandIdleInhibitor& operator=(const WaylandIdleInhibitor&) = delete;

private:
    struct Objects;
    explicit WaylandIdleInhibitor(std::unique_ptr<Objects> objects);

    std::unique_ptr<Objects> objects_;
};

struct WaylandIdleInhibitor::Made {
    // Null when the window cannot be inhibited; `error` then says why.
    std::unique_ptr<WaylandIdleInhibitor> inhibitor;
    QString error;
};

}  // namespace luma
