#include "settings/MemorySettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"
#include "startup/LoadSettings.h"

#include <gtest/gtest.h>

namespace luma {
namespace {

TEST(loadSettings, AnEmptyStoreGivesTheDefaults) {
    MemorySettingsStore store;
    SettingsRecord r;
    loadSettings(store, r);
    EXPECT_EQ(r.slides, 0);
    EXPECT_EQ(r.randomOrder, 0);
    EXPECT_EQ(r.animate, 1);
    EXPECT_EQ(r.screenSize, 0);
    EXPECT_EQ(r.slideSize, 1);
    EXPECT_EQ(r.delay, 5);
    EXPECT_EQ(r.bsound, 1);
    EXPECT_EQ(r.randomPlay, 0);
    EXPECT_EQ(r.asound, 0);
    EXPECT_EQ(r.musicOnly, 0);
    EXPECT_EQ(r.musicNow, 0);
    EXPECT_EQ(r.autoStartup, 0);
    EXPECT_EQ(r.mouseSens, 0) << "no default";
    EXPECT_EQ(r.backColors, 0) << "no default: black";
}

TEST(loadSettings, KnowsTheFourteenKeysInTheirOrder) {
    const QStringList expected = {"Slides",    "Random order", "animate",  "screensize",
                                  "Slidesize", "delay",        "Bsound",   "Randomplay",
                                  "Asound",    "MusicOnly",    "MusicNow", "AutoStartup",
                                  "Mousesens", "BackColors"};
    QStringList order;
    for (const auto& field : settingsFields()) {
        order.append(*field.key);
    }
    EXPECT_EQ(order, expected);
}

TEST(loadSettings, HalfDelayRoundsToEvenAndBadValuesKeepTheField) {
    MemorySettingsStore store;
    store.write(keys::kSettings, keys::kDelay, QStringLiteral("2.5"));
    store.write(keys::kSettings, keys::kSlideSize, QStringLiteral("3.5"));
    store.write(keys::kSettings, keys::kAnimate, QStringLiteral("yes"));
    store.write(keys::kSettings, keys::kMouseSens, QStringLiteral("abc"));
    store.write(keys::kSettings, keys::kBsound, QString());
    store.write(keys::kSettings, keys::kAsound, QStringLiteral("99999"));
    SettingsRecord r;
    r.animate = 7;
    r.mouseSens = 20;
    r.bsound = 3;
    r.asound = 4;
    loadSettings(store, r);
    EXPECT_EQ(r.delay, 2);
    EXPECT_EQ(r.slideSize, 4);
    EXPECT_EQ(r.animate, 7) << "non-numeric: the field keeps its value";
    EXPECT_EQ(r.mouseSens, 20);
    EXPECT_EQ(r.bsound, 3) << "empty text fails the conversion";
    EXPECT_EQ(r.asound, 4) << "out of the 16-bit range";
}

TEST(loadSettings, Colours) {
    for (const auto& [text, colour] :
         {std::pair{"255", 255}, std::pair{"65280", 65280}, std::pair{"16711680", 16711680}}) {
        MemorySettingsStore store;
        store.write(keys::kSettings, keys::kBackColors, QString::fromLatin1(text));
        SettingsRecord r;
        loadSettings(store, r);
        EXPECT_EQ(r.backColors, colour);
    }
}

TEST(loadSettings, AbsentMouseSensKeepsThePreviousValue) {
    MemorySettingsStore store;
    SettingsRecord r;
    r.mouseSens = 15;
    r.backColors = 123;
    loadSettings(store, r);
    EXPECT_EQ(r.mouseSens, 15);
    EXPECT_EQ(r.backColors, 123);
}

}  // namespace
}  // namespace luma
