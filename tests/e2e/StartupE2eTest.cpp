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

TEST(StartupE2e, PreviewAndUnknownSwitchesEndAtOnceWithoutWriting) {
    for (const QString& mode : {QStringLiteral("/P"), QStringLiteral("/p 1234"),
                                QStringLiteral("/X"), QStringLiteral("-s")}) {
        TempEnv env;
        ProgramRun run(env);
        run.start(mode.split(u' '));
        ASSERT_TRUE(run.waitForEnd(10000)) << qPrintable(mode);
        EXPECT_EQ(run.exitCode(), 0) << qPrintable(mode);
        EXPECT_FALSE(QFile::exists(env.settingsFile())) << qPrintable(mode);
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
