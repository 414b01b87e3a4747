// The rules behind the panel's lists and number boxes, as plain data.
#include "panel/ListEntries.h"
#include "panel/NumberLimit.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <set>

namespace luma::paneltest {
namespace {

TEST(ListEntries, PictureExtensionIsExactlyOneOfSixForms) {
    for (const char* entry :
         {"a.jpg", "b.GIF", "c.bmp", "C:\\My.Pictures\\cat.jpg", "/home/u/x.y/z.BMP"}) {
        EXPECT_TRUE(hasPictureExtension(QString::fromUtf8(entry))) << entry;
    }
    for (const char* entry : {"photo.JPEG", "photo.Jpg", "c.txt", "Empty", "", "noextension",
                              "a.jpg ", "archive.jpg.zip"}) {
        EXPECT_FALSE(hasPictureExtension(QString::fromUtf8(entry))) << entry;
    }
}

TEST(ListEntries, MusicEndingIsTheLastThreeCharactersExactly) {
    for (const char* entry : {"/m/a.mp3", "/m/a.MP3", "a.wav", "A.WAV", "s.mid", "S.MID",
                              "CD Track [ 7 ] 00:03:25 CD", "x cd"}) {
        EXPECT_TRUE(hasMusicEnding(QString::fromUtf8(entry))) << entry;
    }
    for (const char* entry : {"a.Mp3", "a.Wav", "Empty", "a.mp3 ", "", "CD", "typed text"}) {
        EXPECT_FALSE(hasMusicEnding(QString::fromUtf8(entry))) << entry;
    }
}

TEST(ListEntries, EveryOrderOfThreeIsEquallyLikely) {
    // Draws spread evenly over [0, 1) give each of the six orders exactly once.
    std::multiset<QString> orders;
    for (double first : {0.1, 0.4, 0.7}) {
        for (double second : {0.2, 0.7}) {
            test::ScriptedRandom random;
            random.values = {first, second};
            orders.insert(shuffledEvenly({"x", "y", "z"}, random).join(u','));
            EXPECT_EQ(random.reseeds, 2) << "reseeded before each draw";
        }
    }
    EXPECT_EQ(orders.size(), 6u);
    EXPECT_EQ(std::set<QString>(orders.begin(), orders.end()).size(), 6u);
    EXPECT_EQ(orders.count(QStringLiteral("x,y,z")), 1u) << "the first entry may stay in front";
}

TEST(ListEntries, ShuffleHandlesTheEdges) {
    test::ScriptedRandom random;
    random.values = {0.999999};  // the highest draw still picks an entry of the list
    EXPECT_EQ(shuffledEvenly({"x", "y"}, random), QStringList({"y", "x"}));
    EXPECT_EQ(shuffledEvenly({}, random), QStringList());
    EXPECT_EQ(shuffledEvenly({"only"}, random), QStringList({"only"}));
}

TEST(ListEntries, CdEntriesTakeTheTextOfTheirTrackWhenTheDiscHasIt) {
    const QStringList tracks = {"CD Track [ 1 ] 00:04:00 CD", "CD Track [ 2 ] 00:02:10 CD"};
    const QStringList playlist = {"CD Track [ 2 ] 00:09:99 CD",  // another length: updated
                                  "CD Track [ 5 ] 00:01:00 CD",  // not on this disc: kept
                                  "cd Track [ 1 ] lower case",   // does not start with "CD"
                                  "CDx",                         // no number after "["
                                  "CD Track [ 0 ] zero CD",      // no track 0
                                  "/m/a.mp3"};
    const QStringList refreshed = refreshedCdEntries(playlist, tracks);
    EXPECT_EQ(refreshed[0], tracks[1]);
    EXPECT_EQ(refreshed.mid(1), playlist.mid(1));
    EXPECT_EQ(refreshedCdEntries(playlist, {}), playlist) << "no disc changes nothing";
}

TEST(NumberLimit, KeepsTheValueBetweenOneAndTheHighest) {
    struct Case {
        const char* text;
        double highest;
        std::optional<QString> expected;
    };
    const std::vector<Case> cases = {
        {"45", 30, QStringLiteral("30")}, {"45", 15, QStringLiteral("15")},
        {"7", 5, QStringLiteral("5")},    {"", 30, QStringLiteral("1")},
        {"abc", 5, QStringLiteral("1")},  {"0", 15, QStringLiteral("1")},
        {"-3", 15, QStringLiteral("1")},  {"2.5", 5, std::nullopt},
        {"1", 5, std::nullopt},           {"30", 30, std::nullopt},
        {"1 2", 30, std::nullopt},        {"12x", 5, QStringLiteral("5")}};
    for (const Case& c : cases) {
        EXPECT_EQ(limitedText(QString::fromUtf8(c.text), c.highest), c.expected) << c.text;
    }
}

}  // namespace
}  // namespace luma::paneltest
