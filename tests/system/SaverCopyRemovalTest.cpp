#include "system/SaverCopyRemoval.h"

#include "platform/XdgPaths.h"
#include "support/TempEnv.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace luma::test {
namespace {

void touch(const QString& path) {
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(SaverCopyRemoval, TriesTheTwoFixedPathsAndTheAutostartFolder) {
    TempEnv env;
    EXPECT_EQ(saverCopyPaths(QStringLiteral("lumafolio11")),
              (QStringList{"C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\lumafolio11.scr",
                           "C:\\Winnt\\Start Menu\\Programs\\StartUp\\lumafolio11.scr",
                           env.configHome() + "/autostart/lumafolio11.scr"}));
}

TEST(SaverCopyRemoval, DeletesTheCopyAndLeavesOtherFiles) {
    TempEnv env;
    const QString copy = xdgAutostartFolder() + QStringLiteral("/lumafolio11.scr");
    const QString other = xdgAutostartFolder() + QStringLiteral("/other.scr");
    const QString entry = xdgAutostartFolder() + QStringLiteral("/LumaS.desktop");
    touch(copy);
    touch(other);
    touch(entry);
    removeStartupSaverCopy(QStringLiteral("/opt/lumafolio/lumafolio11.scr"));
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_TRUE(QFile::exists(entry)) << "the shortcut is not a saver copy";
}

TEST(SaverCopyRemoval, NothingThereIsNoError) {
    TempEnv env;
    removeStartupSaverCopy(QStringLiteral("/opt/lumafolio/lumafolio11.scr"));
    EXPECT_FALSE(QDir(xdgAutostartFolder()).exists());
}

}  // namespace
}  // namespace luma::test
