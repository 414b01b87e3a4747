#include "support/MutterSession.h"

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <iostream>

namespace luma::test {
namespace {

const QString kGnomeSession = "/usr/libexec/gnome-session-binary";
const QString kRemoteDesktop = "org.gnome.Mutter.RemoteDesktop";
const QString kWaylandDisplay = "lumafolio-test";

bool write(const QString& path, const char* text) {
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(text) > 0;
}

}  // namespace

bool MutterSession::installed() {
    return !QStandardPaths::findExecutable("mutter").isEmpty() && QFile::exists(kGnomeSession);
}

MutterSession::MutterSession() {
    error_ = open();
}

MutterSession::~MutterSession() {
    for (QProcess* process : {&inhibitor_, &mutter_, &gnomeSession_}) {
        endGroup(*process);
    }
    QFile log(dir_.filePath("session.log"));
    if (testing::Test::HasFailure() && log.open(QIODevice::ReadOnly)) {
        std::cerr << "--- gnome-session and Mutter said:\n" << log.readAll().toStdString();
    }
}

QString MutterSession::open() {
    // A session whose one required part does nothing: gnome-session without a shell.
    const QString data = dir_.filePath("data/");
    if (sessionBus_.address().isEmpty() || systemBus_.address().isEmpty() ||
        !write(data + "gnome-session/sessions/test.session",
               "[GNOME Session]\nName=Test\nRequiredComponents=test-holder;\n") ||
        !write(data + "applications/test-holder.desktop",
               "[Desktop Entry]\nType=Application\nName=Holder\nExec=sleep 600\n") ||
        !QDir(dir_.path()).mkdir("run")) {
        return "no private buses or session files";
    }
    env_.insert("DBUS_SESSION_BUS_ADDRESS", sessionBus_.address());
    env_.insert("DBUS_SYSTEM_BUS_ADDRESS", systemBus_.address());
    env_.insert("XDG_DATA_DIRS", data + ":/usr/share");
    env_.insert("XDG_RUNTIME_DIR", dir_.filePath("run"));
    start(gnomeSession_, kGnomeSession,
          {"--builtin", "--session=test", "--disable-acceleration-check"});
    start(mutter_, "mutter",
          {"--headless", "--wayland", "--no-x11", "--virtual-monitor", "1280x720",
           "--wayland-display=" + kWaylandDisplay});
    const QDBusConnectionInterface* daemon = bus_.interface();
    const auto answers = [daemon](const QString& name) {
        return daemon->isServiceRegistered(name).value();
    };
    if (!QTest::qWaitFor(
            [&] { return answers("org.gnome.Mutter.IdleMonitor") && answers(kRemoteDesktop); },
            15000)) {
        return "Mutter's idle monitor did not appear";
    }
    // The seat has a keyboard only while a remote-desktop session holds one.
    const QDBusMessage created =
        call(kRemoteDesktop, "/org/gnome/Mutter/RemoteDesktop", "CreateSession");
    remote_ = created.arguments().value(0).value<QDBusObjectPath>().path();
    return remote("Start", {}) ? QString() : "no remote-desktop session: " + created.errorMessage();
}

QStringList MutterSession::environment() const {
    return {"DBUS_SESSION_BUS_ADDRESS=" + sessionBus_.address(),
            "DBUS_SYSTEM_BUS_ADDRESS=" + systemBus_.address(),
            "WAYLAND_DISPLAY=" + dir_.filePath("run/" + kWaylandDisplay)};
}

void MutterSession::start(QProcess& process, const QString& program, const QStringList& arguments) {
    process.setProcessEnvironment(env_);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(dir_.filePath("session.log"), QIODevice::Append);
    startGroup(process, program, arguments);
}

QDBusMessage MutterSession::call(const QString& interface, const QString& path,
                                 const QString& method, const QVariantList& arguments) {
    const QString service = interface.endsWith(".Session") ? kRemoteDesktop : interface;
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus_.call(message, QDBus::Block, 5000);
}

bool MutterSession::remote(const QString& method, const QVariantList& arguments) {
    return call(kRemoteDesktop + ".Session", remote_, method, arguments).type() ==
           QDBusMessage::ReplyMessage;
}

bool MutterSession::move(double dx, double dy) {
    return remote("NotifyPointerMotionRelative", {dx, dy});
}

bool MutterSession::inhibitIdle() {
    start(inhibitor_, "gnome-session-inhibit", {"--inhibit", "idle", "--inhibit-only"});
    return QTest::qWaitFor(
        [&] {
            return call("org.gnome.SessionManager", "/org/gnome/SessionManager", "IsInhibited",
                        {8u})
                .arguments()
                .value(0)
                .toBool();
        },
        5000);
}

}  // namespace luma::test
