#include "support/PrivateProcesses.h"

#include <QDBusPendingCall>
#include <QTest>

#include <signal.h>
#include <unistd.h>

namespace luma::test {

void startGroup(QProcess& process, const QString& program, const QStringList& arguments) {
    process.setChildProcessModifier([] { setsid(); });
    process.start(program, arguments);
    process.waitForStarted(5000);
}

void endGroup(QProcess& process) {
    if (process.state() != QProcess::NotRunning) {
        ::kill(-static_cast<pid_t>(process.processId()), SIGKILL);
        process.waitForFinished(5000);
    }
}

PrivateBus::PrivateBus() {
    startGroup(daemon_, "dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (daemon_.waitForReadyRead(5000)) {
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
}

PrivateBus::~PrivateBus() {
    for (const QString& name : connections_) {
        QDBusConnection::disconnectFromBus(name);
    }
    endGroup(daemon_);
}

QDBusConnection PrivateBus::connect() {
    connections_ << QString("private-bus-%1-%2").arg(quintptr(this)).arg(connections_.size());
    return QDBusConnection::connectToBus(address_, connections_.back());
}

void PrivateBus::disconnect(QDBusConnection& connection) {
    // The bus connection stays open while any QDBusConnection refers to it.
    const QString name = connection.name();
    connection = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(name);
}

QDBusMessage callAndWait(const QDBusConnection& bus, const QDBusMessage& call) {
    QDBusPendingCall pending = bus.asyncCall(call, 5000);
    if (!QTest::qWaitFor([&pending] { return pending.isFinished(); }, 6000)) {
        return QDBusMessage::createError("test.NoAnswer", "no answer");
    }
    return pending.reply();
}

}  // namespace luma::test
