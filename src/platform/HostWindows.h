#pragma once

#include <QSize>
#include <QtGlobal>

#include <optional>

namespace luma {

// The windows of other programs that a hosted show draws in: a screen saver daemon's window, or
// the screen's root window.
class HostWindows {
public:
    virtual ~HostWindows() = default;
    // The root window of the default screen; nullopt without an X11 display.
    virtual std::optional<quint32> rootWindow() = 0;
    // The size of `window`; nullopt once it no longer exists (or without an X11 display).
    virtual std::optional<QSize> size(quint32 window) = 0;
};

}  // namespace luma
