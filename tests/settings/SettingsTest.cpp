#include "settings/IniSettingsStore.h"
#include "settings/MemorySettingsStore.h"
#include "settings/StoredList.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
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
    QString list(const char* section) const { return IniSettingsStore::listPath(path, section); }
    static QByteArray bytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void put(const QString& file, const QByteArray& content) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    }
    QStringList beside(const char* pattern) const {
        return QDir(folder()).entryList({pattern}, QDir::AllEntries);
    }
};

// Values that an INI writer must quote or escape, each a list entry.
const QStringList kAwkward = {"/p/a, b.jpg",
                              " lead",
                              "trail ",
                              "q\"uote\\",
                              "@at",
                              "#;=",
                              "ü/ß € 😀",
                              "\x01"
                              "a\tb\n",
                              "",
                              "Empty"};

// A write rewrites its own file only: a preference leaves 100,000 slides alone.
TEST_F(IniStore, AWriteRewritesOnlyTheFileOfItsSection) {
    IniSettingsStore store(path);
    ASSERT_TRUE(StoredList(store, kList).rewrite(kAwkward) &&
                StoredList(store, "music").rewrite({"a.wav"}) && store.write(kSection, "a", "1"));
    QSettings asIni(list("pictures"), QSettings::IniFormat);
    for (int i = 0; i < kAwkward.size(); ++i) {
        EXPECT_EQ(asIni.value(QStringLiteral("pictures/%1").arg(i + 1)), kAwkward[i])
            << "the list file reads as an INI file";
    }
    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    const std::pair<QString, QString> cases[] = {
        {kSection, path}, {"pictures", list("pictures")}, {"music", list("music")}};
    for (const auto& [section, written] : cases) {
        for (const QString& file : {path, list("pictures"), list("music")}) {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite) &&
                        f.setFileTime(old, QFile::FileModificationTime));
        }
        ASSERT_TRUE(store.write(section, "x", "new"));
        for (const QString& file : {path, list("pictures"), list("music")}) {
            EXPECT_EQ(QFileInfo(file).lastModified() == old, file != written) << qPrintable(file);
        }
        EXPECT_EQ(IniSettingsStore(path).read(section, "x"), "new");
    }
    IniSettingsStore fresh(path);
    EXPECT_EQ(StoredList(fresh, kList).readAll().mid(0, kAwkward.size()), kAwkward);
}

// Lists in the settings file, as earlier versions kept them, move into their own files with every
// entry, the settings file as it was kept beside; a move cut short ends on the next opening.
TEST_F(IniStore, ListsInTheSettingsFileMoveIntoFilesOfTheirOwn) {
    struct Case {
        const char* name;
        QByteArray pictureFile;  // a list file already there, or none
    } cases[] = {{"one file", {}},
                 {"list file written, settings not", "[pictures]\nHowMany=1\n1=/new.jpg\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder()).removeRecursively();
        {
            QSettings old(path, QSettings::IniFormat);
            old.setValue("Settings/delay", "4");
            old.setValue("pictures/HowMany", kAwkward.size());
            old.setValue("music/HowMany", 1);
            old.setValue("music/1", "a b.wav");
            for (int i = 0; i < kAwkward.size(); ++i) {
                old.setValue(QStringLiteral("pictures/%1").arg(i + 1), kAwkward[i]);
            }
        }
        const QByteArray before = bytes(path);
        if (!c.pictureFile.isEmpty()) {
            put(list("pictures"), c.pictureFile);
        }
        testing::internal::CaptureStderr();
        IniSettingsStore store(path);
        EXPECT_TRUE(testing::internal::GetCapturedStderr().find("kept as") != std::string::npos);
        const QStringList copies = beside("*.before-lists-*");
        ASSERT_EQ(copies.size(), 1);
        EXPECT_EQ(bytes(folder() + '/' + copies[0]), before);
        EXPECT_EQ(QSettings(path, QSettings::IniFormat).childGroups(), QStringList{kSection});
        IniSettingsStore reopened(path);
        EXPECT_EQ(StoredList(reopened, kList).readAll(),
                  c.pictureFile.isEmpty() ? kAwkward : QStringList{"/new.jpg"});
        EXPECT_EQ(StoredList(reopened, "music").readAll(), QStringList{"a b.wav"});
        EXPECT_EQ(reopened.read(kSection, "delay"), "4");
    }
}

// A damaged list file is kept beside and that list starts empty; the other list and the settings
// stay.
TEST_F(IniStore, ADamagedListFileIsKeptAside) {
    for (const QByteArray& damaged :
         {QByteArray("[pictures]\n\0", 12), QByteArray("[pictures]\nno value\n"),
          QByteArray("[pictures]\n1=\xff\n")}) {
        QDir(folder()).removeRecursively();
        put(path, "[Settings]\ndelay=4\n");
        put(list("music"), "[music]\nHowMany=1\n1=a.wav\n");
        put(list("pictures"), damaged);
        testing::internal::CaptureStderr();
        IniSettingsStore store(path);
        EXPECT_TRUE(testing::internal::GetCapturedStderr().find("the slide list starts empty") !=
                    std::string::npos);
        const QStringList kept = beside("*pictures.ini.damaged-*");
        ASSERT_EQ(kept.size(), 1);
        EXPECT_EQ(bytes(folder() + '/' + kept[0]), damaged);
        EXPECT_EQ(StoredList(store, kList).readAll(), QStringList());
        EXPECT_EQ(StoredList(store, "music").readAll(), QStringList{"a.wav"});
        EXPECT_EQ(store.read(kSection, "delay"), "4");
        ASSERT_TRUE(StoredList(store, kList).rewrite({"b.jpg"}));
        IniSettingsStore fresh(path);
        EXPECT_EQ(StoredList(fresh, kList).readAll(), QStringList{"b.jpg"});
    }
}

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
    EXPECT_FALSE(store.write(kList, "1", "a") || store.write(kList, "1", "b"));
    EXPECT_EQ(QString::fromStdString(testing::internal::GetCapturedStderr()),
              QStringLiteral("lumafolio: cannot save the settings to \"%1\": the folder \"%2\" "
                             "cannot be created\nlumafolio: cannot save the slide list to \"%3\": "
                             "the folder \"%2\" cannot be created\n")
                  .arg(path, folder(), list("pictures")));
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
