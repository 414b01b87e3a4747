#pragma once

#include <QDBusConnection>
#include <QObject>

class QDBusPendingCallWatcher;

namespace luma {

// Keeps the desktop from blanking or locking under a running show, through its
// org.freedesktop.ScreenSaver (GNOME, KDE). Does nothing where nobody else offers that interface.
// The desktop drops the inhibition when the process ends, however it ends.
class ShowInhibitor : public QObject {
    Q_OBJECT
public:
    explicit ShowInhibitor(QDBusConnection session, QObject* parent = nullptr);
    ~ShowInhibitor() override;

    // Asks for the inhibition without waiting for the desktop's answer.
    void start();
    // Releases it, also when the answer to start() is still on its way.
    void stop();

private:
    void release();

    QDBusConnection bus_;
    QString owner_;
    QDBusPendingCallWatcher* pending_ = nullptr;
    uint cookie_ = 0;
    bool wanted_ = false;
};

}  // namespace luma
