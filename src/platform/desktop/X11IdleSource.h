#pragma once

#include "platform/desktop/IdleSource.h"

#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>

struct xcb_connection_t;

namespace luma {

// The X server's idle time (the MIT-SCREEN-SAVER extension), asked twice a second while armed,
// on a connection of its own. It is also the X server's inhibition: a screen saver switched off
// (`xset s off`, as xdg-screensaver does) or suspended by a video player.
class X11IdleSource : public IdleSource, public IdleInhibition {
    Q_OBJECT
public:
    // nullptr without an X server that answers at DISPLAY, or without the extension.
    static std::unique_ptr<X11IdleSource> open();
    ~X11IdleSource() override;

    bool arm(std::chrono::milliseconds threshold) override;
    void disarm() override;
    QString name() const override;
    QString inhibitedBy() override;

private:
    struct Info {
        std::uint32_t sinceInput;  // ms
        bool disabled;
    };
    explicit X11IdleSource(xcb_connection_t* connection);
    std::optional<Info> query();
    void poll();

    xcb_connection_t* connection_;
    std::uint32_t root_ = 0;
    QTimer poll_;
    std::chrono::milliseconds threshold_{0};
    bool idle_ = false;
};

}  // namespace luma
