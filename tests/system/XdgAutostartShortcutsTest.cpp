#include "platform/XdgAutostartShortcuts.h"
#include "system/StartupShortcut.h"

#include "support/TempEnv.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>

namespace luma::test {
namespace {

QString read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The Exec value as a desktop environment reads it: string unescaping, then the quoted argument.
QString execArgument(const QString& entry) {
    for (const QString& line : entry.split(u'\n')) {
        if (!line.startsWith(QStringLiteral("Exec="))) {
            continue;
        }
        QString value;
        const QString raw = line.mid(5);
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] == u'\\' && i + 1 < raw.size()) {
                value += raw[++i];
            } else {
                value += raw[i];
            }
        }
        QString argument;
        bool quoted = false;
        for (qsizetype i = 0; i < value.size(); ++i) {
            if (value[i] == u'"') {
                quoted = !quoted;
            } else if (quoted && value[i] == u'\\' && i + 1 < value.size()) {
                argument += value[++i];
            } else if (value[i] == u'%' && i + 1 < value.size() && value[i + 1] == u'%') {
                argument += value[++i];
            } else {
                argument += value[i];
            }
        }
        return argument;
    }
    return {};
}

TEST(XdgAutostart, WritesAValidEntryThatStartsTheSaverWithoutArguments) {
    TempEnv env;
    XdgAutostartShortcuts service;
    const QString target = QStringLiteral("/opt/My Apps/100% \"fun\" $HOME/lumafolio11.scr");
    ASSERT_TRUE(
        service.create(kStartupFolder, kStartupLinkName, target, QString(), -1, kStartupParent));
    const QString path = env.configHome() + QStringLiteral("/autostart/LumaS.desktop");
    const QString entry = read(path);
    EXPECT_TRUE(entry.contains(QStringLiteral("\nName=LumaS\n")));
    EXPECT_EQ(execArgument(entry), target);
    if (QFile::exists(QStringLiteral("/usr/bin/desktop-file-validate"))) {
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {path});
        ASSERT_TRUE(validate.waitForFinished(10000));
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    }
}

TEST(XdgAutostart, CreatingTwiceLeavesOneEntryAndRemoveTakesItAway) {
    TempEnv env;
    XdgAutostartShortcuts service;
    ASSERT_TRUE(service.create(kStartupFolder, kStartupLinkName,
                               QStringLiteral("/a/lumafolio11.scr"), QString(), -1,
                               kStartupParent));
    ASSERT_TRUE(service.create(kStartupFolder, kStartupLinkName,
                               QStringLiteral("/b/lumafolio11.scr"), QString(), -1,
                               kStartupParent));
    const QDir autostart(env.configHome() + QStringLiteral("/autostart"));
    EXPECT_EQ(autostart.entryList(QDir::Files), QStringList{"LumaS.desktop"});
    EXPECT_EQ(execArgument(read(autostart.filePath(QStringLiteral("LumaS.desktop")))),
              u"/b/lumafolio11.scr");
    EXPECT_TRUE(service.remove(kStartupFolder, kStartupLinkName));
    EXPECT_TRUE(autostart.entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(service.remove(kStartupFolder, kStartupLinkName)) << "removing nothing is harmless";
}

TEST(XdgAutostart, OtherFoldersAreRefused) {
    TempEnv env;
    XdgAutostartShortcuts service;
    EXPECT_FALSE(service.create(QStringLiteral("Desktop"), kStartupLinkName, QStringLiteral("/x"),
                                QString(), -1, kStartupParent));
    EXPECT_FALSE(QDir(env.configHome() + QStringLiteral("/autostart")).exists());
}

}  // namespace
}  // namespace luma::test
