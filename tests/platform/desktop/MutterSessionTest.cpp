// GNOME's idle monitor, from headless Mutter under gnome-session on buses of the test's own;
// input through Mutter's remote desktop, as a user's hands would give it.
#include "PrivateProcesses.h"
#include "platform/desktop/MutterIdleSource.h"

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <iostream>

namespace luma {
namespace {

using namespace std::chrono_literals;

const QString kGnomeSession = "/usr/libexec/gnome-session-binary";
const QString kRemoteDesktop = "org.gnome.Mutter.RemoteDesktop";

class MutterSessionTest : public testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("mutter").isEmpty() || !QFile::exists(kGnomeSession)) {
            GTEST_SKIP() << "needs mutter and gnome-session-bin (make deps installs them)";
        }
        ASSERT_FALSE(sessionBus_.address().isEmpty() || systemBus_.address().isEmpty());
        // A session whose one required part does nothing: gnome-session without a shell.
        const QString data = dir_.filePath("data/");
        write(data + "gnome-session/sessions/test.session",
              "[GNOME Session]\nName=Test\nRequiredComponents=test-holder;\n");
        write(data + "applications/test-holder.desktop",
              "[Desktop Entry]\nType=Application\nName=Holder\nExec=sleep 600\n");
        ASSERT_TRUE(QDir(dir_.path()).mkdir("run"));
        env_.insert("DBUS_SESSION_BUS_ADDRESS", sessionBus_.address());
        env_.insert("DBUS_SYSTEM_BUS_ADDRESS", systemBus_.address());
        env_.insert("XDG_DATA_DIRS", data + ":/usr/share");
        env_.insert("XDG_RUNTIME_DIR", dir_.filePath("run"));
        start(gnomeSession_, kGnomeSession,
              {"--builtin", "--session=test", "--disable-acceleration-check"});
        start(mutter_, "mutter",
              {"--headless", "--wayland", "--no-x11", "--virtual-monitor", "1280x720"});
        ASSERT_TRUE(QTest::qWaitFor(
            [this] {
                return MutterIdleSource::availableOn(bus_) &&
                       bus_.interface()->isServiceRegistered(kRemoteDesktop).value();
            },
            15000))
            << "Mutter's idle monitor did not appear";
        const QDBusMessage created =
            call(kRemoteDesktop, "/org/gnome/Mutter/RemoteDesktop", "CreateSession");
        ASSERT_EQ(created.signature(), "o") << created.errorMessage().toStdString();
        remote_ = created.arguments().at(0).value<QDBusObjectPath>().path();
        ASSERT_EQ(call(kRemoteDesktop + ".Session", remote_, "Start").type(),
                  QDBusMessage::ReplyMessage);
    }

    void TearDown() override {
        for (QProcess* process : {&inhibitor_, &mutter_, &gnomeSession_}) {
            test::endGroup(*process);
        }
        QFile log(dir_.filePath("session.log"));
        if (HasFailure() && log.open(QIODevice::ReadOnly)) {
            std::cerr << "--- gnome-session and Mutter said:\n" << log.readAll().toStdString();
        }
    }

    void start(QProcess& process, const QString& program, const QStringList& arguments) {
        process.setProcessEnvironment(env_);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardOutputFile(dir_.filePath("session.log"), QIODevice::Append);
        test::startGroup(process, program, arguments);
    }

    static void write(const QString& path, const char* text) {
        QFile file(path);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Calls the service named as `interface`; a remote desktop session is the remote desktop's.
    QDBusMessage call(const QString& interface, const QString& path, const QString& method,
                      const QVariantList& arguments = {}) {
        const QString service = interface.endsWith(".Session") ? kRemoteDesktop : interface;
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        return bus_.call(message, QDBus::Block, 5000);
    }

    // A small pointer move, as input reaches Mutter from a real device.
    bool move() {
        return call(kRemoteDesktop + ".Session", remote_, "NotifyPointerMotionRelative", {5.0, 5.0})
                   .type() == QDBusMessage::ReplyMessage;
    }

    QTemporaryDir dir_;
    test::PrivateBus sessionBus_, systemBus_;
    QDBusConnection bus_ = sessionBus_.connect();
    QProcessEnvironment env_ = QProcessEnvironment::systemEnvironment();
    QProcess gnomeSession_, mutter_, inhibitor_;
    QString remote_;
};

TEST_F(MutterSessionTest, IdleAfterTheThresholdActiveAtInputNoIdleWhileGnomeSessionInhibits) {
    constexpr auto threshold = 1500ms;
    MutterIdleSource source(bus_);
    QSignalSpy idle(&source, &IdleSource::idle), active(&source, &IdleSource::active);
    const auto reaches = [](QSignalSpy& spy, int count, std::chrono::milliseconds limit) {
        return QTest::qWaitFor([&] { return spy.count() >= count; }, limit.count());
    };
    QElapsedTimer sinceInput;
    ASSERT_TRUE(move());
    sinceInput.start();
    ASSERT_TRUE(source.arm(threshold));
    for (int round = 1; round <= 2; ++round) {
        ASSERT_TRUE(reaches(idle, round, threshold + 3s)) << "round " << round;
        // Mutter counts from the input, a little before our clock started.
        EXPECT_GE(sinceInput.elapsed(), (threshold - 200ms).count());
        EXPECT_EQ(active.count(), round - 1);
        ASSERT_TRUE(move());
        sinceInput.restart();
        ASSERT_TRUE(reaches(active, round, 3s)) << "round " << round;
    }

    // What org.freedesktop.ScreenSaver.Inhibit ends in on GNOME: a gnome-session idle inhibitor.
    start(inhibitor_, "gnome-session-inhibit", {"--inhibit", "idle", "--inhibit-only"});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QDBusMessage inhibited =
                call("org.gnome.SessionManager", "/org/gnome/SessionManager", "IsInhibited", {8u});
            return inhibited.arguments().value(0).toBool();
        },
        5000));
    ASSERT_TRUE(move());
    EXPECT_FALSE(reaches(idle, 3, threshold + 1s)) << "idle although inhibited";
    test::endGroup(inhibitor_);
    EXPECT_TRUE(reaches(idle, 3, threshold + 3s)) << "no idle once the inhibitor left";
}

}  // namespace
}  // namespace luma
