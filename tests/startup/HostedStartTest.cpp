// Which command lines and environments ask for a hosted show, in which window.
#include "startup/CommandLine.h"

#include <gtest/gtest.h>

#include <map>

namespace luma {
namespace {

struct Case {
    QStringList arguments;
    const char* daemonWindow;  // XSCREENSAVER_WINDOW, nullptr when not set
    bool hosted;
    std::optional<quint32> window;  // with `hosted`: nullopt is the root window
    bool error;
};

TEST(HostedStart, ArgumentsAndTheDaemonsWindowChooseTheWindow) {
    const Case cases[] = {
        {{"--root"}, "0x600008", true, 0x600008, false},
        {{"-root"}, "6291464", true, 6291464, false},
        {{"-root"}, nullptr, true, std::nullopt, false},
        {{}, "0x1A", true, 0x1A, false},
        {{"/S"}, "0x1A", true, 0x1A, false},
        {{"/C"}, "0x1A", false, std::nullopt, false},
        {{"/p", "77"}, "0x1A", false, std::nullopt, false},
        {{"-window-id", "0X2b"}, "0x1A", true, 0x2B, false},
        {{"--window-id", "4294967295"}, nullptr, true, 0xFFFFFFFFu, false},
        {{"--window-id", "4294967296"}, nullptr, true, std::nullopt, true},
        {{"--window-id", "0"}, nullptr, true, std::nullopt, true},
        {{"--window-id", "-5"}, nullptr, true, std::nullopt, true},
        {{"--window-id", "0x"}, nullptr, true, std::nullopt, true},
        {{"--window-id", "12ab"}, nullptr, true, std::nullopt, true},
        {{"--window-id"}, nullptr, true, std::nullopt, true},
        {{"-root"}, "not a window", true, std::nullopt, true},
        {{"/S"}, nullptr, false, std::nullopt, false},
        {{"-rooted"}, nullptr, false, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arguments.join(u' ').toStdString() << " with "
                                        << (c.daemonWindow ? c.daemonWindow : "(unset)"));
        const EnvironmentLookup environment = [&c](const char* name) {
            return QByteArray(name) == "XSCREENSAVER_WINDOW" && c.daemonWindow
                       ? QString::fromLatin1(c.daemonWindow)
                       : QString();
        };
        const HostedStart start = hostedStartOf(c.arguments, environment);
        EXPECT_EQ(start.hosted, c.hosted);
        EXPECT_EQ(start.window, c.window);
        EXPECT_EQ(!start.error.isEmpty(), c.error);
        if (c.error) {
            EXPECT_EQ(answerBeforeDisplay(c.arguments, true, start)->exitStatus, 2);
        } else if (c.hosted) {
            EXPECT_FALSE(answerBeforeDisplay(c.arguments, true, start)) << "the hosted show runs";
        }
    }
}

TEST(HostedStart, OnlyTheFirstSaverOfADaemonTakesTheLock) {
    const std::map<const char*, bool> cases = {
        {nullptr, true}, {"0", true}, {"1", false}, {"2", false}, {"x", false}};
    for (const auto& [index, mayLock] : cases) {
        const EnvironmentLookup environment = [index = index](const char* name) {
            return QByteArray(name) == "XSCREENSAVER_SAVER_INDEX" && index
                       ? QString::fromLatin1(index)
                       : QString();
        };
        EXPECT_EQ(hostedMayTakeLock(environment), mayLock) << (index ? index : "(unset)");
    }
}

}  // namespace
}  // namespace luma
