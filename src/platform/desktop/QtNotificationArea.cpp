#include "platform/desktop/QtNotificationArea.h"

#include <QSystemTrayIcon>

namespace luma {
namespace {

int codeOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Context:
            return NotificationArea::kRightUp;
        case QSystemTrayIcon::DoubleClick:
            return NotificationArea::kLeftDoubleClick;
        case QSystemTrayIcon::Trigger:
            return NotificationArea::kLeftUp;
        case QSystemTrayIcon::MiddleClick:
            return NotificationArea::kMiddleUp;
        case QSystemTrayIcon::Unknown:
            break;
    }
    return NotificationArea::kMouseMove;
}

}  // namespace

QtNotificationArea::QtNotificationArea() = default;

QtNotificationArea::~QtNotificationArea() = default;

bool QtNotificationArea::isAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtNotificationArea::addIcon(const QIcon& icon, const QString& tip,
                                 std::function<void(int)> onMessage) {
    icon_ = std::make_unique<QSystemTrayIcon>(icon);
    icon_->setToolTip(tip);
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [onMessage = std::move(onMessage)](QSystemTrayIcon::ActivationReason reason) {
                         onMessage(codeOf(reason));
                     });
    icon_->show();
}

void QtNotificationArea::removeIcon() {
    if (icon_) {
        icon_->hide();
        icon_.reset();
    }
}

bool QtNotificationArea::hasIcon() const {
    return icon_ != nullptr;
}

}  // namespace luma
