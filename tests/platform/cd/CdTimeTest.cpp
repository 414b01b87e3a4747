#include "platform/cd/CdTime.h"

#include <gtest/gtest.h>

#include <vector>

namespace luma::cd {
namespace {

using mci::TimeFormat;

TEST(CdTime, TextsOfSectorCounts) {
    struct Case {
        std::int64_t sectors;
        const char* msf;
        const char* hms;
        const char* ms;
    };
    const Case cases[] = {
        {0, "00:00:00", "00:00:00", "0"},
        {74, "00:00:74", "00:00:00", "986"},
        {75, "00:01:00", "00:00:01", "1000"},
        {150, "00:02:00", "00:00:02", "2000"},
        {225, "00:03:00", "00:00:03", "3000"},
        {4 * 60 * 75 + 5 * 75 + 7, "04:05:07", "00:04:05", "245093"},
        {(61 * 60 + 2) * 75, "61:02:00", "01:01:02", "3662000"},
        {-5, "00:00:00", "00:00:00", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sectors);
        EXPECT_EQ(msfText(c.sectors), QLatin1String(c.msf));
        EXPECT_EQ(hmsText(c.sectors), QLatin1String(c.hms));
        EXPECT_EQ(msText(c.sectors), QLatin1String(c.ms));
    }
}

TEST(CdTime, TrackTimesHaveFourTwoDigitFields) {
    EXPECT_EQ(tmsfText(1, 0), QLatin1String("01:00:00:00"));
    EXPECT_EQ(tmsfText(2, 75 + 12), QLatin1String("02:00:01:12"));
    EXPECT_EQ(tmsfText(12, 3 * 60 * 75 + 59 * 75 + 74), QLatin1String("12:03:59:74"));
}

TEST(CdTime, ParsesEachFormat) {
    struct Case {
        TimeFormat format;
        const char* text;
        int track;
        std::int64_t sectors;
    };
    const Case cases[] = {
        {TimeFormat::Tmsf, "7", 7, 0},
        {TimeFormat::Tmsf, "12", 12, 0},
        {TimeFormat::Tmsf, "2:01", 2, 60 * 75},
        {TimeFormat::Tmsf, "02:00:03:10", 2, 3 * 75 + 10},
        {TimeFormat::Tmsf, " 3 ", 3, 0},
        {TimeFormat::Msf, "00:02:00", 0, 150},
        {TimeFormat::Msf, "3", 0, 3 * 60 * 75},
        {TimeFormat::Msf, "1:02:03", 0, 60 * 75 + 2 * 75 + 3},
        {TimeFormat::Hms, "00:00:03", 0, 225},
        {TimeFormat::Hms, "1:00:01", 0, 3601 * 75},
        {TimeFormat::Milliseconds, "2000", 0, 150},
        {TimeFormat::Milliseconds, "1013", 0, 75},
        {TimeFormat::Milliseconds, "0", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto value = parseTime(c.format, QString::fromLatin1(c.text));
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, (TimeValue{c.track, c.sectors}));
    }
}

TEST(CdTime, RefusesWhatIsNoTime) {
    const std::pair<TimeFormat, std::vector<const char*>> cases[] = {
        {TimeFormat::Tmsf, {"", "x", "-1", "100", "1:2:3:4:5", "1::3", "1:00:60:00", "1:00:00:75"}},
        {TimeFormat::Msf, {"00:60:00", "1:2:3:4", "+3"}},
        {TimeFormat::Hms, {"0:60:00", "0:0:60"}},
        {TimeFormat::Milliseconds, {"1:00", "1.5", "9999999999"}},
    };
    for (const auto& [format, texts] : cases) {
        for (const char* text : texts) {
            EXPECT_FALSE(parseTime(format, QString::fromLatin1(text)).has_value()) << text;
        }
    }
}

// Digits of other scripts count as digits to Qt but convert to nothing: they must not read as 0.
TEST(CdTime, RefusesDigitsOfOtherScripts) {
    const char* const texts[] = {"\xd9\xa3", "1:\xd9\xa3", "\xef\xbc\x91\xef\xbc\x92",
                                 "00:00:\xe0\xa5\xa8"};
    for (const char* text : texts) {
        for (TimeFormat format :
             {TimeFormat::Milliseconds, TimeFormat::Hms, TimeFormat::Msf, TimeFormat::Tmsf}) {
            SCOPED_TRACE(text);
            EXPECT_FALSE(parseTime(format, QString::fromUtf8(text)).has_value());
        }
    }
}

}  // namespace
}  // namespace luma::cd
