#pragma once

#include <QString>

#include <functional>

class QIcon;

namespace luma {

// The desktop's notification area (system tray), holding at most one icon of ours.
class NotificationArea {
public:
    // Mouse event codes of a notification, numbered as the classic window messages are.
    static constexpr int kMouseMove = 0x200;
    static constexpr int kLeftDown = 0x201;
    static constexpr int kLeftUp = 0x202;
    static constexpr int kLeftDoubleClick = 0x203;
    static constexpr int kRightDown = 0x204;
    static constexpr int kRightUp = 0x205;
    static constexpr int kMiddleUp = 0x208;

    virtual ~NotificationArea() = default;
    // Whether the desktop has a notification area now.
    virtual bool isAvailable() const = 0;
    // Puts the icon up (replacing one put up before); `onMessage` receives each mouse event code.
    virtual void addIcon(const QIcon& icon, const QString& tip,
                         std::function<void(int code)> onMessage) = 0;
    virtual void removeIcon() = 0;
    virtual bool hasIcon() const = 0;
};

}  // namespace luma
