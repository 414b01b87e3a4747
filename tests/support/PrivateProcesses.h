#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QStringList>

namespace luma::test {

// Starts a program in a process group of its own, so that ending the group also ends what the
// program started.
void startGroup(QProcess& process, const QString& program, const QStringList& arguments);
void endGroup(QProcess& process);

// A dbus-daemon of the test's own, ended with the object. address() is empty when it did not
// start.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    QString address() const { return address_; }
    // A new connection to the bus, closed with the bus or by disconnect().
    QDBusConnection connect();
    // Closes the connection at once; `connection` no longer refers to it.
    static void disconnect(QDBusConnection& connection);

private:
    QProcess daemon_;
    QString address_;
    QStringList connections_;
};

// Sends a call without blocking the event loop, so that a service in this process can answer it;
// the reply, or an error after five seconds.
QDBusMessage callAndWait(const QDBusConnection& bus, const QDBusMessage& call);

}  // namespace luma::test
