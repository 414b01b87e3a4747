#include "platform/cd/CdioDriveList.h"

#include "ToneDisc.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace luma::cd {
namespace {

// Sets LUMAFOLIO_CD_DRIVES for the life of the object.
class DrivesVariable {
public:
    explicit DrivesVariable(const QByteArray* value)
        : had_(qEnvironmentVariableIsSet(kName)), old_(qgetenv(kName)) {
        if (value) {
            qputenv(kName, *value);
        } else {
            qunsetenv(kName);
        }
    }
    ~DrivesVariable() {
        if (had_) {
            qputenv(kName, old_);
        } else {
            qunsetenv(kName);
        }
    }

private:
    static constexpr const char* kName = "LUMAFOLIO_CD_DRIVES";
    bool had_;
    QByteArray old_;
};

QStringList none() {
    return {};
}

TEST(CdioDriveList, NoDriveAtAllIsAnEmptyList) {
    DrivesVariable unset(nullptr);
    EXPECT_TRUE(CdioDriveList(&none).cdDrives().isEmpty());
    const QByteArray empty;
    DrivesVariable blank(&empty);
    EXPECT_TRUE(CdioDriveList(&none).cdDrives().isEmpty());
}

TEST(CdioDriveList, AddsTheEntriesOfTheVariableKeepingTheirCase) {
    QTemporaryDir dir;
    const QString cue =
        test::writeToneDisc(dir.path(), QStringLiteral("Mixed Case"), {test::ToneTrack{}});
    ASSERT_FALSE(cue.isEmpty());
    const QByteArray value = cue.toUtf8() + "::/dev/Sr7:" + cue.toUtf8();
    DrivesVariable set(&value);
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
    const QByteArray value = cue.toUtf8();
    DrivesVariable set(&value);
    const CdioDriveList list([&] { return QStringList{link}; });
    EXPECT_EQ(list.cdDrives(), QStringList{link});
}

TEST(CdioDriveList, TheSystemListComesFromLibcdio) {
    DrivesVariable unset(nullptr);
    const CdioDriveList list;
    const QStringList drives = list.cdDrives();
    EXPECT_EQ(drives.size(), CdioDriveList::libcdioDrives().size());
    for (const QString& drive : drives) {
        EXPECT_FALSE(drive.isEmpty());
    }
}

}  // namespace
}  // namespace luma::cd
