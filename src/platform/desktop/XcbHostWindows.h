#pragma once

#include "platform/HostWindows.h"

namespace luma {

// The host windows over the X11 connection Qt's xcb platform opened.
class XcbHostWindows : public HostWindows {
public:
    std::optional<quint32> rootWindow() override;
    std::optional<QSize> size(quint32 window) override;
};

}  // namespace luma
