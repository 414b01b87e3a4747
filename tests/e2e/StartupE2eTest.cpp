// The built program's start-up modes, run as a user would start them.
#include "e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

namespace luma::test {
namespace {

QString storedMouseSens(const TempEnv& env) {
    QSettings settings(env.settingsFile(), QSettings::IniFormat);
    return settings.value(QStringLiteral("Settings/Mousesens")).toString();
}

// Started where there is no display at all (a terminal, a service): nothing aborts. The switches
// that end at once, --help and --version need no display; the modes that do say why they cannot
// run.
TEST(StartupE2e, WithoutADisplayEveryModeEndsCleanly) {
    struct Case {
        QStringList arguments;
        int status;
        const char* output;  // a part of standard output
        bool complains;      // one line on stderr about the display
    };
    const Case cases[] = {
        {{"/P"}, 0, "", false},
        {{"/p", "1234"}, 0, "", false},
        {{"/X"}, 0, "", false},
        {{"-s"}, 0, "", false},
        {{"--help"}, 0, "/C (also /c:1234)", false},
        {{"--version"}, 0, "lumafolio 1.1.0", false},
        {{"/S"}, 1, "", true},
        {{}, 1, "", true},
        {{"/c:1234"}, 1, "", true},
        {{"/A"}, 1, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        TempEnv env;
        ProgramRun run(env);
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
            run.unsetEnv(QString::fromLatin1(name));
        }
        run.start(c.arguments);
        ASSERT_TRUE(run.waitForEnd(10000));
        EXPECT_EQ(run.exitCode(), c.status);
        EXPECT_TRUE(run.standardOutput().contains(QString::fromUtf8(c.output)));
        const QString errors = run.errorOutput();
        if (c.complains) {
            EXPECT_TRUE(errors.startsWith(u"lumafolio: no display found")) << errors.toStdString();
            EXPECT_EQ(errors.count(u'\n'), 1) << errors.toStdString();
        } else {
            EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();
        }
        EXPECT_FALSE(QFile::exists(env.settingsFile()));
    }
}

TEST(StartupE2e, FirstShowStartStoresMouseSensitivity) {
    for (const QStringList& arguments : {QStringList{}, QStringList{QStringLiteral("/s")}}) {
        TempEnv env;
        ProgramRun run(env);
        run.start(arguments);
        EXPECT_TRUE(waitUntil([&] { return storedMouseSens(env) == u"15"; }, 15000))
            << qPrintable(run.errorOutput());
        run.kill();
    }
}

TEST(StartupE2e, SecondInstanceEndsAtOnceInEveryMode) {
    TempEnv env;
    // The first instance waits in its "/A" box (offscreen, nobody answers it).
    ProgramRun first(env);
    first.start({QStringLiteral("/A")});
    ASSERT_TRUE(
        waitUntil([&] { return QFile::exists(env.runtimeDir() + "/lumafolio-1.1.lock"); }, 10000));
    ASSERT_TRUE(first.isRunning());
    for (const QString& mode :
         {QString(), QStringLiteral("/S"), QStringLiteral("/C"), QStringLiteral("/A")}) {
        ProgramRun second(env);
        second.start(mode.isEmpty() ? QStringList{} : QStringList{mode});
        ASSERT_TRUE(second.waitForEnd(10000)) << qPrintable(mode);
        EXPECT_EQ(second.exitCode(), 0);
    }
    EXPECT_TRUE(storedMouseSens(env).isEmpty()) << "a second instance must not run a first show";
    EXPECT_TRUE(first.isRunning());
}

TEST(StartupE2e, PasswordSwitchShowsItsBoxUntilOk) {
    XvfbServer x;
    ASSERT_TRUE(x.isRunning());
    TempEnv env;
    ProgramRun run(env, x.display());
    run.start({QStringLiteral("/a")});
    QString found;
    ASSERT_TRUE(waitUntil(
        [&] {
            return x.run(QStringLiteral("xdotool"),
                         {QStringLiteral("search"), QStringLiteral("--name"),
                          QStringLiteral("^Error$")},
                         &found) == 0 &&
                   !found.trimmed().isEmpty();
        },
        15000))
        << qPrintable(run.errorOutput());
    EXPECT_EQ(found.trimmed().split(u'\n').size(), 1) << "exactly one box";
    EXPECT_TRUE(run.isRunning());
    const QString window = found.trimmed();
    x.run(QStringLiteral("xdotool"),
          {QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
    x.run(QStringLiteral("xdotool"),
          {QStringLiteral("key"), QStringLiteral("--window"), window, QStringLiteral("Return")});
    EXPECT_TRUE(run.waitForEnd(10000));
    EXPECT_EQ(run.exitCode(), 0);
}

}  // namespace
}  // namespace luma::test
