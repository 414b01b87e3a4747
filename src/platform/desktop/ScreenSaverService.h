#pragma once

#include "platform/desktop/IdleSource.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

#include <map>

class QDBusServiceWatcher;

namespace luma {

// org.freedesktop.ScreenSaver for a session that has none (a bare X11 session): browsers and
// players ask it to keep the screen on, and the show does not start while one does. An
// inhibition lasts until its caller releases it or leaves the bus.
class ScreenSaverService : public QObject, public IdleInhibition, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    explicit ScreenSaverService(QDBusConnection session, QObject* parent = nullptr);
    ~ScreenSaverService() override;

    // Takes the name and serves it. False where another program owns it already (the desktop
    // has its own) or the bus is gone; nothing is served then.
    bool start();
    bool serving() const { return serving_; }
    // "<application>: <reason>" of the oldest inhibition held; empty when none is.
    QString inhibitedBy() override;

public slots:
    // The bus methods, named as the interface names them.
    Q_SCRIPTABLE uint Inhibit(const QString& application, const QString& reason);
    Q_SCRIPTABLE void UnInhibit(uint cookie);

signals:
    // An inhibition taken or released.
    void inhibitionsChanged();

private:
    struct Inhibition {
        QString caller;
        QString application;
        QString reason;
    };
    QString caller() const;
    void callerLeft(const QString& caller);

    QDBusConnection bus_;
    QDBusServiceWatcher* callers_;
    std::map<uint, Inhibition> inhibitions_;
    uint lastCookie_ = 0;
    bool serving_ = false;
};

}  // namespace luma
