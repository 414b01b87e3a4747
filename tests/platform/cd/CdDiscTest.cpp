#include "platform/cd/CdDisc.h"
#include "platform/cd/CdTime.h"

#include "ToneDisc.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>
#include <vector>

namespace luma::cd {
namespace {

using test::ToneTrack;

class CdDiscTest : public testing::Test {
protected:
    QString twoTrackDisc() {
        return test::writeToneDisc(dir.path(), QStringLiteral("two"),
                                   {ToneTrack{440.0, 150}, ToneTrack{1000.0, 225}});
    }
    QTemporaryDir dir;
};

std::int16_t sampleAt(const std::vector<std::uint8_t>& bytes, std::size_t index) {
    return static_cast<std::int16_t>(
        static_cast<std::uint16_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8)));
}

TEST_F(CdDiscTest, ReadsTheContentsOfACueImage) {
    const auto disc = CdDisc::open(twoTrackDisc());
    ASSERT_TRUE(disc);
    EXPECT_EQ(disc->kind(), CdDisc::Kind::Image);
    ASSERT_NE(disc->toc(), nullptr);
    EXPECT_EQ(*disc->toc(), *CdToc::make({{1, 0, true}, {2, 150, true}}, 375));
    EXPECT_FALSE(disc->trayOpen());
    EXPECT_TRUE(disc->present());
}

TEST_F(CdDiscTest, ReadsRawSectorsOfTheRightTrack) {
    const auto disc = CdDisc::open(twoTrackDisc());
    ASSERT_TRUE(disc);
    std::vector<std::uint8_t> bytes(2 * kSectorBytes);
    // The first frames of track 2: the 1000 Hz tone from its own start.
    ASSERT_TRUE(disc->readAudio(150, 2, bytes.data()));
    for (std::size_t frame : {1u, 7u, 600u}) {
        const double expected = 12000.0 * std::sin(2.0 * std::numbers::pi * 1000.0 *
                                                   static_cast<double>(frame) / 44100.0);
        EXPECT_EQ(sampleAt(bytes, 2 * frame), static_cast<std::int16_t>(std::lround(expected)));
        EXPECT_EQ(sampleAt(bytes, 2 * frame + 1), sampleAt(bytes, 2 * frame));
    }
}

TEST_F(CdDiscTest, RefusesReadsOutsideTheDisc) {
    const auto disc = CdDisc::open(twoTrackDisc());
    ASSERT_TRUE(disc);
    std::vector<std::uint8_t> bytes(2 * kSectorBytes);
    EXPECT_FALSE(disc->readAudio(374, 2, bytes.data()));
    EXPECT_FALSE(disc->readAudio(-1, 1, bytes.data()));
    EXPECT_FALSE(disc->readAudio(0, 0, bytes.data()));
}

TEST_F(CdDiscTest, NothingOpensWhereNothingIs) {
    EXPECT_FALSE(CdDisc::open(QString()));
    EXPECT_FALSE(CdDisc::open(dir.filePath(QStringLiteral("missing.cue"))));
}

TEST_F(CdDiscTest, ABrokenImageOpensWithoutADiscUntilRewritten) {
    const QString cue = dir.filePath(QStringLiteral("broken.cue"));
    {
        QFile file(cue);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is not a cue sheet\n");
    }
    const auto disc = CdDisc::open(cue);
    ASSERT_TRUE(disc);
    EXPECT_EQ(disc->toc(), nullptr);
    EXPECT_EQ(disc->refresh(), nullptr);
    std::vector<std::uint8_t> bytes(kSectorBytes);
    EXPECT_FALSE(disc->readAudio(0, 1, bytes.data()));

    // The same name now holds a good image.
    ASSERT_FALSE(test::writeToneDisc(dir.path(), QStringLiteral("broken"), {ToneTrack{440.0, 75}})
                     .isEmpty());
    ASSERT_NE(disc->refresh(), nullptr);
    EXPECT_EQ(disc->toc()->leadout(), 75);
}

TEST_F(CdDiscTest, ADeviceThatHoldsNoDiscOpensEmpty) {
    // /dev/null stands in for a drive without a disc: it opens but has no contents.
    const auto disc = CdDisc::open(QStringLiteral("/dev/null"));
    ASSERT_TRUE(disc);
    EXPECT_EQ(disc->kind(), CdDisc::Kind::Drive);
    EXPECT_EQ(disc->toc(), nullptr);
    EXPECT_EQ(disc->refresh(), nullptr);
    EXPECT_FALSE(disc->trayOpen());
    EXPECT_FALSE(disc->present());
}

}  // namespace
}  // namespace luma::cd
