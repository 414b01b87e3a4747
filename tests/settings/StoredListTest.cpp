#include "settings/IniSettingsStore.h"
#include "settings/MemorySettingsStore.h"
#include "settings/StoredList.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

namespace luma {
namespace {

const QString kSection = QStringLiteral("pictures");

// The same cases over the memory double and the real file.
class StoredListTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam()) {
            store_ = std::make_unique<IniSettingsStore>(dir_.filePath(QStringLiteral("s.ini")));
        } else {
            store_ = std::make_unique<MemorySettingsStore>();
        }
    }
    SettingsStore& store() { return *store_; }
    StoredList list() { return StoredList(store(), kSection); }
    void put(const QString& key, const QString& value) { store().write(kSection, key, value); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<SettingsStore> store_;
};

TEST_P(StoredListTest, AppendingToAnEmptyListWritesCountAndItem) {
    ASSERT_TRUE(list().append(1, QStringLiteral("/p/a.jpg")));
    EXPECT_EQ(store().read(kSection, QStringLiteral("HowMany")), u"1");
    EXPECT_EQ(store().read(kSection, QStringLiteral("1")), u"/p/a.jpg");
    EXPECT_EQ(list().readAll(), QStringList{QStringLiteral("/p/a.jpg")});
}

TEST_P(StoredListTest, RewriteAfterRemovingTheLastOfThree) {
    for (int i = 1; i <= 3; ++i) {
        list().append(i, QStringLiteral("/p/%1.jpg").arg(i));
    }
    ASSERT_TRUE(list().rewrite({QStringLiteral("/p/1.jpg"), QStringLiteral("/p/2.jpg")}));
    EXPECT_EQ(store().read(kSection, QStringLiteral("HowMany")), u"2");
    EXPECT_EQ(list().readAll(),
              (QStringList{QStringLiteral("/p/1.jpg"), QStringLiteral("/p/2.jpg")}));
    EXPECT_EQ(store().value(kSection, QStringLiteral("3")), std::nullopt)
        << "a key above the new count is removed";
}

TEST_P(StoredListTest, MissingItemsReadAsEmpty) {
    put(QStringLiteral("HowMany"), QStringLiteral("3"));
    put(QStringLiteral("1"), QStringLiteral("a.jpg"));
    put(QStringLiteral("3"), QStringLiteral("c.jpg"));
    EXPECT_EQ(list().readAll(), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("Empty"),
                                             QStringLiteral("c.jpg")}));
    EXPECT_EQ(list().item(2), u"0");
    put(QStringLiteral("2"), QStringLiteral("0"));
    EXPECT_EQ(list().readAll()[1], u"Empty");
}

TEST_P(StoredListTest, ReadersStopAtTheCount) {
    put(QStringLiteral("HowMany"), QStringLiteral("1"));
    put(QStringLiteral("1"), QStringLiteral("a.jpg"));
    put(QStringLiteral("2"), QStringLiteral("stale.jpg"));
    EXPECT_EQ(list().readAll(), QStringList{QStringLiteral("a.jpg")});
}

TEST_P(StoredListTest, CountConversion) {
    EXPECT_EQ(list().count(), 0) << "an absent section is an empty list";
    put(QStringLiteral("HowMany"), QStringLiteral("many"));
    EXPECT_EQ(list().count(), std::nullopt);
    EXPECT_TRUE(list().readAll().isEmpty());
    put(QStringLiteral("HowMany"), QStringLiteral("-4"));
    EXPECT_TRUE(list().readAll().isEmpty());
    put(QStringLiteral("HowMany"), QStringLiteral("2.5"));
    EXPECT_EQ(list().count(), 2);
}

TEST_P(StoredListTest, ADamagedHugeCountStopsAtTheLastStoredItem) {
    put(QStringLiteral("1"), QStringLiteral("a.jpg"));
    put(QStringLiteral("2"), QStringLiteral("b.jpg"));
    put(QStringLiteral("HowMany"), QStringLiteral("2000000000"));
    EXPECT_EQ(list().count(), 2);
    EXPECT_EQ(list().readAll().size(), 2);
    put(QStringLiteral("HowMany"), QStringLiteral("1000"));
    EXPECT_EQ(list().count(), 1000) << "a modest count is believed, missing items and all";
}

// A lone item far out must not make the damaged count believable: readers would walk (and
// allocate for) two thousand million items.
TEST_P(StoredListTest, ADamagedCountStopsWithinReachOfTheStoredItems) {
    put(QStringLiteral("1"), QStringLiteral("a.jpg"));
    put(QStringLiteral("2"), QStringLiteral("b.jpg"));
    put(QStringLiteral("1999999999"), QStringLiteral("far.jpg"));
    put(QStringLiteral("HowMany"), QStringLiteral("2000000000"));
    ASSERT_EQ(list().count(), 2);
    EXPECT_EQ(list().readAll(), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));

    // Found by fuzzing the settings file: cut back to a far item, the count still made readers
    // walk 55 million items.
    ASSERT_TRUE(store().apply(kSection, {SettingsWrite{QStringLiteral("1999999999"), {}}}));
    put(QStringLiteral("55555551"), QStringLiteral("quoted"));
    ASSERT_EQ(list().count(), 2);

    put(QStringLiteral("1"), QStringLiteral("0"));
    put(QStringLiteral("2"), QStringLiteral("0"));
    put(QStringLiteral("2147483646"), QStringLiteral("x.jpg"));
    put(QStringLiteral("HowMany"), QStringLiteral("2147483647"));
    ASSERT_EQ(list().count(), 2) << "items stored as \"0\" are there, missing or not";
    EXPECT_EQ(list().readAll(), (QStringList{QStringLiteral("Empty"), QStringLiteral("Empty")}));
}

TEST_P(StoredListTest, RewriteToEmpty) {
    list().append(1, QStringLiteral("a.jpg"));
    ASSERT_TRUE(list().rewrite({}));
    EXPECT_EQ(store().read(kSection, QStringLiteral("HowMany")), u"0");
    EXPECT_TRUE(store().keys(kSection) == QStringList{QStringLiteral("HowMany")});
}

TEST_P(StoredListTest, SetItemLeavesTheCount) {
    list().rewrite({QStringLiteral("a.wav"), QStringLiteral("b.wav")});
    ASSERT_TRUE(list().setItem(2, QStringLiteral("c.wav")));
    EXPECT_EQ(list().readAll(), (QStringList{QStringLiteral("a.wav"), QStringLiteral("c.wav")}));
}

INSTANTIATE_TEST_SUITE_P(Stores, StoredListTest, testing::Bool(),
                         [](const auto& param) { return param.param ? "IniFile" : "Memory"; });

TEST(StoredListWrites, AppendAndRewriteAreSingleWrites) {
    MemorySettingsStore store;
    StoredList list(store, kSection);
    list.append(1, QStringLiteral("a.jpg"));
    list.rewrite({QStringLiteral("x.jpg"), QStringLiteral("y.jpg"), QStringLiteral("z.jpg")});
    ASSERT_EQ(store.log().size(), 6u);
    EXPECT_EQ(store.log()[0].key, u"HowMany") << "the count goes first";
    EXPECT_EQ(store.log()[0].batch, store.log()[1].batch);
    for (size_t i = 2; i < store.log().size(); ++i) {
        EXPECT_EQ(store.log()[i].batch, store.log()[2].batch);
    }
}

TEST(StoredListWrites, AFailedRewriteLeavesTheList) {
    MemorySettingsStore store;
    StoredList list(store, kSection);
    list.rewrite({QStringLiteral("a.jpg"), QStringLiteral("b.jpg")});
    store.setFailWrites(true);
    EXPECT_FALSE(list.rewrite({QStringLiteral("c.jpg")}));
    EXPECT_EQ(list.readAll(), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));
}

// A process rewriting a 10,000-item list is killed at random moments; the file must always hold
// one whole version of the list.
TEST(StoredListCrash, AKilledRewriteLeavesTheOldListOrTheNew) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lumafolio/Lumafolio 1.1.ini"));
    for (int attempt = 0; attempt < 12; ++attempt) {
        QProcess worker;
        worker.start(QStringLiteral(STORED_LIST_WORKER), {path});
        ASSERT_TRUE(worker.waitForStarted(5000));
        if (attempt == 0) {
            ASSERT_TRUE(worker.waitForReadyRead(30000)) << "the first rewrite never finished";
        }
        QThread::msleep(QRandomGenerator::global()->bounded(20, 400));
        worker.kill();
        ASSERT_TRUE(worker.waitForFinished(5000));

        IniSettingsStore store(path);
        ASSERT_TRUE(store.backupPath().isEmpty()) << "the file was damaged by the kill";
        StoredList list(store, kSection);
        const QStringList items = list.readAll();
        ASSERT_TRUE(items.size() == 10000 || items.size() == 9000) << items.size();
        const QString version = items.size() == 10000 ? QStringLiteral("a") : QStringLiteral("b");
        for (qsizetype i = 0; i < items.size(); ++i) {
            ASSERT_EQ(items[i], QStringLiteral("/pictures/%1/%2.jpg").arg(version).arg(i + 1))
                << "a mixed list at item " << i + 1;
        }
        if (items.size() == 9000) {
            EXPECT_EQ(store.value(kSection, QStringLiteral("9001")), std::nullopt);
        }
    }
}

}  // namespace
}  // namespace luma
