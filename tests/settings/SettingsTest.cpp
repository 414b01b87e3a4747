#include "settings/IniSettingsStore.h"
#include "settings/MemorySettingsStore.h"
#include "settings/StoredList.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace luma {
namespace {

const QString kList = QStringLiteral("pictures");
const QString kSection = QStringLiteral("Settings");

struct IniStore : testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("lumafolio/Lumafolio 1.1.ini"));
    QString folder() const { return QFileInfo(path).absolutePath(); }
    QString read(const QString& key) { return IniSettingsStore(path).read(kSection, key); }
};

// A damaged or unreadable file is moved aside unchanged, and the store starts empty; a sound one,
// written by hand, is read as it stands.
TEST_F(IniStore, ADamagedFileIsKeptAside) {
    const std::pair<QByteArray, const char*> cases[] = {
        {"[Settings]\na=20\nb=x, y\n", "x, y"},
        {QByteArray("\x00\x01[Settings]\nb=1\x00", 15), ""},
        {"[Settings]\nb=\xff\xfe\n", ""},
        {"", ""}};  // a folder where the file should be
    for (const auto& [content, b] : cases) {
        SCOPED_TRACE(content.toStdString());
        QDir(folder()).removeRecursively();
        QDir().mkpath(content.isEmpty() ? path : folder());
        QFile file(path);
        ASSERT_TRUE(content.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(content)));
        file.close();
        IniSettingsStore store(path);
        EXPECT_EQ(store.read(kSection, "b"), b);
        const QStringList kept = QDir(folder()).entryList({"*.damaged-*"}, QDir::AllEntries);
        EXPECT_EQ(kept, *b ? QStringList() : QStringList{QFileInfo(store.backupPath()).fileName()});
        QFile backup(store.backupPath());
        EXPECT_EQ(backup.open(QIODevice::ReadOnly) ? backup.readAll() : QByteArray(),
                  *b ? QByteArray() : content);
        ASSERT_TRUE(store.write(kSection, "a", "7"));
        EXPECT_EQ(read("a"), u"7");
    }
}

TEST_F(IniStore, AFailedWriteIsReportedOnceAndTakenBack) {
    IniSettingsStore store(path);
    ASSERT_TRUE(store.write(kSection, "delay", "5"));
    // The folder replaced by a file: neither the file nor its folder can be written now.
    ASSERT_TRUE(QDir(folder()).removeRecursively());
    QFile blocker(folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.write(kSection, "delay", "7"));
    EXPECT_FALSE(store.write(kSection, "delay", "8"));
    EXPECT_EQ(QString::fromStdString(testing::internal::GetCapturedStderr()),
              QStringLiteral("lumafolio: cannot save the settings to \"%1\": the folder \"%2\" "
                             "cannot be created\n")
                  .arg(path, folder()));
    EXPECT_EQ(store.read(kSection, "delay"), u"5") << "the store holds what the file holds";
    ASSERT_TRUE(QFile::remove(folder()));
    EXPECT_TRUE(store.write(kSection, "delay", "9"));
    EXPECT_EQ(read("delay"), u"9");
}

// The same cases over the memory double and the real file.
class StoredListTest : public testing::TestWithParam<bool> {
protected:
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store =
        GetParam() ? std::unique_ptr<SettingsStore>(new IniSettingsStore(dir.filePath("s.ini")))
                   : std::make_unique<MemorySettingsStore>();
    StoredList list{*store, kList};
    // "key=value;key=value" in one batch.
    void put(const QString& pairs) {
        std::vector<SettingsWrite> batch;
        for (const QString& pair : pairs.split(u';', Qt::SkipEmptyParts)) {
            batch.push_back({pair.section(u'=', 0, 0), pair.section(u'=', 1)});
        }
        ASSERT_TRUE(store->apply(kList, batch));
    }
};

// A count is believed unless it runs more than 1024 past the stored items; a damaged one is cut
// back to the last item within reach of them, so that no reader walks millions of missing items.
TEST_P(StoredListTest, ReadersStopAtTheCount) {
    // What is stored -> the count -> the first items read.
    for (const char* text :
         {" -> 0 -> ", "HowMany=many;1=a -> none -> ", "HowMany=-4;1=a -> -4 -> ",
          "HowMany=2.5;1=a;2=b;3=c -> 2 -> a|b", "HowMany=3;1=a;2=0 -> 3 -> a|Empty|Empty",
          "HowMany=1027;1=a;2=b -> 1027 -> a|b|Empty", "HowMany=1028;1=a;2=b -> 2 -> a|b",
          "HowMany=2000000000;1=a;2=b;1999999999=c -> 2 -> a|b",
          "HowMany=2000000000;1=a;2=b;55555551=c -> 2 -> a|b",
          "HowMany=2147483647;1=0;2=0;2147483646=c -> 2 -> Empty|Empty"}) {
        for (const QString& key : store->keys(kList)) {
            ASSERT_TRUE(store->apply(kList, {{key, std::nullopt}}));
        }
        const QString stored = QString::fromLatin1(text).section(" -> ", 0, 0);
        put(stored);
        const auto count = list.count();
        const QStringList items = list.readAll();
        EXPECT_EQ(items.size(), std::max(count.value_or(0), 0));
        EXPECT_EQ(QStringList({stored, count ? QString::number(*count) : "none",
                               items.mid(0, 3).join(u'|')})
                      .join(" -> "),
                  text);
    }
}

TEST_P(StoredListTest, WritesKeepCountAndItemsTogether) {
    ASSERT_TRUE(list.append(1, "a") && list.append(2, "b"));
    EXPECT_EQ(list.readAll(), (QStringList{"a", "b"}));
    ASSERT_TRUE(list.rewrite({"p"}));
    EXPECT_EQ(store->value(kList, "2"), std::nullopt) << "keys above go";
    ASSERT_TRUE(list.appendAll(1, {"m", "n"}) && list.setItem(2, "x"));
    EXPECT_EQ(list.readAll(), (QStringList{"p", "x", "n"}));
    ASSERT_TRUE(list.rewrite({}));
    EXPECT_EQ(store->keys(kList), QStringList{"HowMany"});
}

INSTANTIATE_TEST_SUITE_P(Stores, StoredListTest, testing::Bool(),
                         [](const auto& param) { return param.param ? "IniFile" : "Memory"; });

}  // namespace
}  // namespace luma
