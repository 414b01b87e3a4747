#include "platform/cd/CdioDriveList.h"

#include "ScopedVariable.h"
#include "ToneDisc.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace luma::cd {
namespace {

constexpr const char* kDrives = "LUMAFOLIO_CD_DRIVES";

QStringList none() {
    return {};
}

TEST(CdioDriveList, NoDriveAtAllIsAnEmptyList) {
    test::ScopedVariable drives(kDrives);
    EXPECT_TRUE(CdioDriveList(&none).cdDrives().isEmpty());
    drives.set(QByteArray());
    EXPECT_TRUE(CdioDriveList(&none).cdDrives().isEmpty());
}

TEST(CdioDriveList, AddsTheEntriesOfTheVariableKeepingTheirCase) {
    QTemporaryDir dir;
    const QString cue =
        test::writeToneDisc(dir.path(), QStringLiteral("Mixed Case"), {test::ToneTrack{}});
    ASSERT_FALSE(cue.isEmpty());
    const test::ScopedVariable drives(kDrives, cue.toUtf8() + "::/dev/Sr7:" + cue.toUtf8());
    const CdioDriveList list([] { return QStringList{QStringLiteral("/dev/sr0")}; });
    EXPECT_EQ(list.cdDrives(),
              (QStringList{QStringLiteral("/dev/sr0"), cue, QStringLiteral("/dev/Sr7")}));
}

TEST(CdioDriveList, TwoNamesOfOneDriveCountOnce) {
    QTemporaryDir dir;
    const QString cue =
        test::writeToneDisc(dir.path(), QStringLiteral("disc"), {test::ToneTrack{}});
    const QString link = dir.filePath(QStringLiteral("cdrom"));
    ASSERT_TRUE(QFile::link(cue, link));
    const test::ScopedVariable drives(kDrives, cue.toUtf8());
    const CdioDriveList list([&] { return QStringList{link}; });
    EXPECT_EQ(list.cdDrives(), QStringList{link});
}

}  // namespace
}  // namespace luma::cd
