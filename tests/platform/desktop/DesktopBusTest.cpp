// The D-Bus services and checks against a private bus, the other side played by other
// connections of this process.
#include "platform/desktop/GnomeScreenLockCheck.h"
#include "platform/desktop/KdePowerInhibitionCheck.h"
#include "platform/desktop/LogindIdleInhibitionCheck.h"
#include "platform/desktop/ScreenSaverService.h"
#include "platform/desktop/ShowInhibitor.h"
#include "support/PrivateProcesses.h"

#include <gtest/gtest.h>

#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

namespace luma {
namespace {

using test::PrivateBus;

class DesktopBusTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start"; }
    PrivateBus bus;
};

struct Release {
    const char* what;
    QString path;
    bool byOther = false;  // UnInhibit from a connection that did not inhibit
    bool callerLeaves = false;
    bool released = true;
};

TEST_F(DesktopBusTest, ScreenSaverServiceHoldsAnInhibitionUntilItsCallerReleasesItOrLeaves) {
    const Release cases[] = {
        {.what = "UnInhibit", .path = "/org/freedesktop/ScreenSaver"},
        {.what = "caller leaves", .path = "/ScreenSaver", .callerLeaves = true},
        {.what = "another's UnInhibit", .path = "/ScreenSaver", .byOther = true, .released = false},
    };
    for (const Release& c : cases) {
        SCOPED_TRACE(c.what);
        ScreenSaverService service(bus.connect()), second(bus.connect());
        ASSERT_TRUE(service.start());
        EXPECT_FALSE(second.start()) << "took a name that has an owner";
        QDBusConnection caller = bus.connect(), other = bus.connect();
        const auto call = [&c](QDBusConnection& from, const char* method,
                               const QVariantList& args) {
            QDBusMessage message = QDBusMessage::createMethodCall(
                "org.freedesktop.ScreenSaver", c.path, "org.freedesktop.ScreenSaver", method);
            message.setArguments(args);
            return test::callAndWait(from, message);
        };
        const QDBusMessage cookie = call(caller, "Inhibit", {"Firefox", "video"});
        ASSERT_EQ(cookie.signature(), "u") << cookie.errorMessage().toStdString();
        EXPECT_EQ(service.inhibitedBy(), "Firefox: video");
        if (c.callerLeaves) {
            PrivateBus::disconnect(caller);
        } else {
            call(c.byOther ? other : caller, "UnInhibit", cookie.arguments());
        }
        EXPECT_EQ(
            QTest::qWaitFor([&] { return service.inhibitedBy().isEmpty(); }, c.released ? 3000 : 0),
            c.released);
    }
}

TEST_F(DesktopBusTest, ShowInhibitorHoldsTheDesktopsInhibitionWhileTheShowRuns) {
    ScreenSaverService desktop(bus.connect());
    ASSERT_TRUE(desktop.start());
    QSignalSpy changes(&desktop, &ScreenSaverService::inhibitionsChanged);
    {
        ShowInhibitor show(bus.connect());
        show.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !desktop.inhibitedBy().isEmpty(); }, 3000));
        EXPECT_EQ(desktop.inhibitedBy(), "Lumafolio: slideshow");
        show.stop();
        EXPECT_TRUE(QTest::qWaitFor([&] { return desktop.inhibitedBy().isEmpty(); }, 3000));
        // A show that ends before the desktop has answered, and one whose inhibitor goes then.
        show.start();
        show.stop();
        ShowInhibitor(bus.connect()).start();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return changes.count() == 6; }, 3000)) << changes.count();
    EXPECT_EQ(desktop.inhibitedBy(), "");
}

// Answers one call with one value, from a thread of its own so that blocking calls of this
// thread get their answer; never answers when the value is invalid.
class OneAnswer : public QDBusVirtualObject {
public:
    OneAnswer(QString method, QVariantList args, QVariant answer)
        : method_(std::move(method)), args_(std::move(args)), answer_(std::move(answer)) {}
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override {
        if (call.member() != method_ || call.arguments() != args_) {
            return false;
        }
        return !answer_.isValid() || bus.send(call.createReply(answer_));
    }

private:
    QString method_;
    QVariantList args_;
    QVariant answer_;
};

struct Check {
    const char* what;
    std::function<std::unique_ptr<IdleInhibition>(QDBusConnection)> check;
    QString service;  // empty: nobody has the name
    QString path;
    QString method;
    QVariantList args;
    QVariant answer;  // invalid: never answers
    QString expect;
};

template <typename Inhibition>
std::unique_ptr<IdleInhibition> make(QDBusConnection bus) {
    return std::make_unique<Inhibition>(bus);
}

TEST_F(DesktopBusTest, InhibitionChecksSayWhatTheDesktopAnswersAndNothingElse) {
    const QString gnome = "org.gnome.ScreenSaver", gnomePath = "/org/gnome/ScreenSaver";
    const QString kde = "org.kde.Solid.PowerManagement";
    const QString kdePath = "/org/kde/Solid/PowerManagement/PolicyAgent";
    const QString login = "org.freedesktop.login1", loginPath = "/org/freedesktop/login1";
    const QVariantList blockInhibited = {"org.freedesktop.login1.Manager", "BlockInhibited"};
    const auto blocks = [](const char* what) { return QVariant::fromValue(QDBusVariant(what)); };
    // clang-format off
    const Check cases[] = {
        {"locked", make<GnomeScreenLockCheck>, gnome, gnomePath, "GetActive", {}, true,
         "the screen is locked or blanked"},
        {"garbage", make<GnomeScreenLockCheck>, gnome, gnomePath, "GetActive", {}, "yes", ""},
        {"no GNOME", make<GnomeScreenLockCheck>, "", gnomePath, "GetActive", {}, true, ""},
        {"KDE inhibited", make<KdePowerInhibitionCheck>, kde, kdePath, "HasInhibition", {4u}, true,
         "an application keeps the screen on"},
        {"KDE hangs", make<KdePowerInhibitionCheck>, kde, kdePath, "HasInhibition", {4u}, {}, ""},
        {"idle blocked", make<LogindIdleInhibitionCheck>, login, loginPath, "Get", blockInhibited,
         blocks("shutdown:idle:sleep"), "a program holds logind's idle lock"},
        {"idle free", make<LogindIdleInhibitionCheck>, login, loginPath, "Get", blockInhibited,
         blocks("sleep:handle-lid-switch"), ""},
    };
    // clang-format on
    for (const Check& c : cases) {
        SCOPED_TRACE(c.what);
        QDBusConnection serviceBus = bus.connect();
        QThread answering;
        answering.start();
        OneAnswer answer(c.method, c.args, c.answer);
        answer.moveToThread(&answering);
        if (!c.service.isEmpty()) {
            ASSERT_TRUE(serviceBus.registerVirtualObject(c.path, &answer));
            ASSERT_TRUE(serviceBus.registerService(c.service));
        }
        QElapsedTimer asked;
        asked.start();
        EXPECT_EQ(c.check(bus.connect())->inhibitedBy(), c.expect);
        EXPECT_LT(asked.elapsed(), 2000);
        PrivateBus::disconnect(serviceBus);
        answering.quit();
        answering.wait();
    }
}

}  // namespace
}  // namespace luma
