#include "settings/IniSettingsStore.h"

#include "support/TempEnv.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace luma {
namespace {

struct IniStore : testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("lumafolio/Lumafolio 1.1.ini"));

    std::unique_ptr<IniSettingsStore> open() { return std::make_unique<IniSettingsStore>(path); }

    void writeRaw(const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QStringList backups() const {
        return QDir(QFileInfo(path).absolutePath())
            .entryList({QStringLiteral("Lumafolio 1.1.ini.damaged-*")}, QDir::Files | QDir::Dirs);
    }
};

TEST_F(IniStore, TextsSurviveTheFileUnchanged) {
    const QStringList texts = {
        QString(),
        QStringLiteral("  leading and trailing  "),
        QStringLiteral("C:\\My Pictures\\a, b.jpg"),
        QStringLiteral("/home/anna/Bilder/Strand; Sommer = schön.jpg"),
        QStringLiteral("\"quoted\" and 'single'"),
        QStringLiteral("@Variant(looks special)"),
        QStringLiteral("# not a comment"),
        QStringLiteral("[not a section]"),
        QStringLiteral("line one\nline two"),
        QStringLiteral("CD Track [ 7 ] 00:03:25 CD"),
        QStringLiteral("日本語の写真.gif"),
        QStringLiteral("0"),
        QStringLiteral("2.5"),
    };
    {
        auto store = open();
        for (qsizetype i = 0; i < texts.size(); ++i) {
            ASSERT_TRUE(store->write(QStringLiteral("pictures"), QString::number(i + 1), texts[i]));
        }
        ASSERT_TRUE(store->write(QStringLiteral("Settings"), QStringLiteral("Random order"),
                                 QStringLiteral("1")));
    }
    auto reopened = open();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(reopened->value(QStringLiteral("pictures"), QString::number(i + 1)), texts[i])
            << i;
    }
    EXPECT_EQ(reopened->read(QStringLiteral("Settings"), QStringLiteral("Random order")), u"1");
    EXPECT_EQ(reopened->value(QStringLiteral("Settings"), QStringLiteral("random order")),
              std::nullopt);
}

TEST_F(IniStore, AbsentKeysGiveTheDefaultOrTheEmptyText) {
    auto store = open();
    EXPECT_EQ(store->value(QStringLiteral("Settings"), QStringLiteral("delay")), std::nullopt);
    EXPECT_EQ(store->read(QStringLiteral("Settings"), QStringLiteral("delay"), QStringLiteral("5")),
              u"5");
    EXPECT_TRUE(store->read(QStringLiteral("Settings"), QStringLiteral("delay")).isEmpty());
    EXPECT_FALSE(QFile::exists(path)) << "reading must not create the file";
}

TEST_F(IniStore, EveryWriteReachesTheFileAtOnce) {
    auto store = open();
    ASSERT_TRUE(store->write(QStringLiteral("Settings"), QStringLiteral("Mousesens"),
                             QStringLiteral("15")));
    IniSettingsStore other(path);  // a second reader sees it without the first being closed
    EXPECT_EQ(other.read(QStringLiteral("Settings"), QStringLiteral("Mousesens")), u"15");
}

TEST_F(IniStore, ABatchRemovesAndWritesTogether) {
    auto store = open();
    ASSERT_TRUE(
        store->apply(QStringLiteral("music"), {{QStringLiteral("1"), QStringLiteral("a.wav")},
                                               {QStringLiteral("2"), QStringLiteral("b.wav")}}));
    ASSERT_TRUE(store->apply(
        QStringLiteral("music"),
        {{QStringLiteral("2"), std::nullopt}, {QStringLiteral("1"), QStringLiteral("c.wav")}}));
    auto reopened = open();
    EXPECT_EQ(reopened->keys(QStringLiteral("music")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(reopened->read(QStringLiteral("music"), QStringLiteral("1")), u"c.wav");
}

TEST_F(IniStore, ADamagedFileIsKeptAsideAndTheStoreStartsEmpty) {
    for (const QByteArray& damage : {QByteArray("\x00\x01\x02garbage\x00", 11),
                                     QByteArray("[Settings]\nMousesens=\xff\xfe\n")}) {
        for (const QString& old : backups()) {
            QFile::remove(QFileInfo(path).absolutePath() + u'/' + old);
        }
        writeRaw(damage);
        auto store = open();
        EXPECT_EQ(store->value(QStringLiteral("Settings"), QStringLiteral("Mousesens")),
                  std::nullopt);
        ASSERT_EQ(backups().size(), 1);
        EXPECT_EQ(store->backupPath(), QFileInfo(path).absolutePath() + u'/' + backups().first());
        QFile kept(store->backupPath());
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), damage) << "the backup holds the damaged bytes unchanged";
        ASSERT_TRUE(store->write(QStringLiteral("Settings"), QStringLiteral("Mousesens"),
                                 QStringLiteral("15")));
        EXPECT_EQ(open()->read(QStringLiteral("Settings"), QStringLiteral("Mousesens")), u"15");
    }
}

TEST_F(IniStore, AnUnreadableFileIsKeptAside) {
    QDir().mkpath(path);  // a folder where the file should be
    auto store = open();
    EXPECT_FALSE(store->backupPath().isEmpty());
    EXPECT_TRUE(QFileInfo(store->backupPath()).isDir());
    EXPECT_TRUE(
        store->write(QStringLiteral("Settings"), QStringLiteral("delay"), QStringLiteral("5")));
    EXPECT_TRUE(QFileInfo(path).isFile());
}

TEST_F(IniStore, ASoundFileIsNotTouched) {
    writeRaw("[Settings]\nMousesens=20\n");
    auto store = open();
    EXPECT_TRUE(store->backupPath().isEmpty());
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_EQ(store->read(QStringLiteral("Settings"), QStringLiteral("Mousesens")), u"20");
}

TEST_F(IniStore, AFailedWriteIsReportedAndLeavesTheFileAsItWas) {
    auto store = open();
    ASSERT_TRUE(
        store->write(QStringLiteral("Settings"), QStringLiteral("delay"), QStringLiteral("5")));
    // The folder replaced by a file: neither the file nor its folder can be written now.
    const QString folder = QFileInfo(path).absolutePath();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(
        store->write(QStringLiteral("Settings"), QStringLiteral("delay"), QStringLiteral("7")));
    EXPECT_FALSE(
        store->write(QStringLiteral("Settings"), QStringLiteral("delay"), QStringLiteral("8")));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("cannot save the settings"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("cannot save the settings"), errors.rfind("cannot save the settings"))
        << "reported once";
    // Once the folder is back, writing works again.
    ASSERT_TRUE(QFile::remove(folder));
    EXPECT_TRUE(
        store->write(QStringLiteral("Settings"), QStringLiteral("delay"), QStringLiteral("9")));
    EXPECT_EQ(open()->read(QStringLiteral("Settings"), QStringLiteral("delay")), u"9");
}

TEST(IniStorePath, FollowsXdgConfigHome) {
    test::TempEnv env;
    EXPECT_EQ(IniSettingsStore::defaultPath(), env.settingsFile());
}

}  // namespace
}  // namespace luma
