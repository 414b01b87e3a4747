#pragma once

#include "support/PrivateProcesses.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace luma::test {

// Headless Mutter under gnome-session (no shell) on a session bus and a "system" bus of its own,
// with a remote-desktop session through which input reaches Mutter as from a user's devices. All
// it started ends with the object; what they printed goes to stderr when the test has failed.
class MutterSession {
public:
    static bool installed();
    MutterSession();
    ~MutterSession();
    // Empty once Mutter's idle monitor answers and the remote-desktop session runs.
    QString error() const { return error_; }
    QDBusConnection& bus() { return bus_; }
    // "NAME=value" entries that put a program on this session: its buses and Wayland display.
    QStringList environment() const;
    // Calls the service named as `interface`; a remote desktop session is the remote desktop's.
    QDBusMessage call(const QString& interface, const QString& path, const QString& method,
                      const QVariantList& arguments = {});
    bool move(double dx, double dy);
    // gnome-session-inhibit's idle inhibitor, held once gnome-session says so, until endInhibitor.
    bool inhibitIdle();
    void endInhibitor() { endGroup(inhibitor_); }

private:
    QString open();
    void start(QProcess& process, const QString& program, const QStringList& arguments);
    bool remote(const QString& method, const QVariantList& arguments);

    QTemporaryDir dir_;
    PrivateBus sessionBus_, systemBus_;
    QDBusConnection bus_ = sessionBus_.connect();
    QProcessEnvironment env_ = QProcessEnvironment::systemEnvironment();
    QProcess gnomeSession_, mutter_, inhibitor_;
    QString remote_;
    QString error_;
};

}  // namespace luma::test
