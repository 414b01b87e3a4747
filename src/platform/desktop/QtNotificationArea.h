#pragma once

#include "platform/NotificationArea.h"

#include <memory>

class QSystemTrayIcon;

namespace luma {

// The notification area through QSystemTrayIcon. Its activation reasons arrive as the mouse event
// codes a tray notification carries: a right click as a right-button release.
class QtNotificationArea : public NotificationArea {
public:
    QtNotificationArea();
    ~QtNotificationArea() override;
    bool isAvailable() const override;
    void addIcon(const QIcon& icon, const QString& tip,
                 std::function<void(int)> onMessage) override;
    void removeIcon() override;
    bool hasIcon() const override;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace luma
