#pragma once

#include "platform/desktop/IdleSource.h"

#include <QDBusConnection>

class QDBusServiceWatcher;

namespace luma {

// GNOME's idle monitor (Mutter, on X11 and Wayland alike). It counts idle time from the last
// input and already leaves out what gnome-session's idle inhibitors cover.
class MutterIdleSource : public IdleSource {
    Q_OBJECT
public:
    explicit MutterIdleSource(QDBusConnection session, QObject* parent = nullptr);
    ~MutterIdleSource() override;

    // Whether the idle monitor is on this bus now.
    static bool availableOn(const QDBusConnection& session);

    bool arm(std::chrono::milliseconds threshold) override;
    void disarm() override;
    QString name() const override;

private slots:
    // QtDBus in Qt 6.4 delivers bus signals to slots named by string only.
    void watchFired(uint id);

private:
    uint addWatch(const QString& method, const QVariantList& arguments);
    void removeWatch(uint& id);
    void monitorRestarted();

    QDBusConnection bus_;
    QDBusServiceWatcher* monitorWatch_;
    std::chrono::milliseconds threshold_{0};
    bool armed_ = false;
    uint idleWatch_ = 0;
    // Set between idle() and active(): Mutter fires it once, at the next input.
    uint activeWatch_ = 0;
};

}  // namespace luma
