#include "runtime/Numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace luma {
namespace {

TEST(NumericValue, TakesTheLongestLeadingNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"45abc", 45}, {" 1 2", 12}, {"", 0},       {"-3.5x", -3.5}, {"1e2", 100},   {"abc", 0},
        {"2.5", 2.5},  {"  7  ", 7}, {"+4", 4},     {"1.2.3", 1.2},  {".5", 0.5},    {"-", 0},
        {"1e", 1},     {"1e+", 1},   {"2E-1", 0.2}, {"1d2", 100},    {"\t3\n4", 34}, {"- 3", -3},
        {"12%", 12},   {"1e999", 0}, {"0x10", 0},   {"3,5", 3},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(numericValue(QString::fromLatin1(c.text)), c.value) << c.text;
    }
}

TEST(IntegerConversion, RoundsHalvesToEven) {
    EXPECT_EQ(toInt16(QStringLiteral("2.5")), 2);
    EXPECT_EQ(toInt16(QStringLiteral("3.5")), 4);
    EXPECT_EQ(toInt16(QStringLiteral("-2.5")), -2);
    EXPECT_EQ(toInt16(QStringLiteral("-3.5")), -4);
    EXPECT_EQ(toInt16(QStringLiteral("2.51")), 3);
    EXPECT_EQ(toInt16(QStringLiteral(" 15 ")), 15);
    EXPECT_EQ(toInt16(QStringLiteral("1e2")), 100);
    EXPECT_EQ(toInt32(QStringLiteral("16711680")), 16711680);
}

TEST(IntegerConversion, FailsOnEmptyNonNumericAndOutOfRange) {
    for (const char* bad : {"", "   ", "abc", "45abc", "1 2", "-", ".", "1e999", "12,5"}) {
        EXPECT_EQ(toInt16(QString::fromLatin1(bad)), std::nullopt) << bad;
        EXPECT_EQ(toInt32(QString::fromLatin1(bad)), std::nullopt) << bad;
    }
    EXPECT_EQ(toInt16(QStringLiteral("40000")), std::nullopt);
    EXPECT_EQ(toInt16(QStringLiteral("32767")), 32767);
    EXPECT_EQ(toInt16(QStringLiteral("32767.5")), std::nullopt);  // rounds to 32768
    EXPECT_EQ(toInt16(QStringLiteral("-32768.5")), -32768);       // rounds to the even -32768
    EXPECT_EQ(toInt32(QStringLiteral("40000")), 40000);
    EXPECT_EQ(toInt32(QStringLiteral("2147483648")), std::nullopt);
    EXPECT_EQ(toInt32(QStringLiteral("-2147483648")), std::numeric_limits<std::int32_t>::min());
}

TEST(DecimalText, ShortestFormWithoutTrailingZeros) {
    EXPECT_EQ(decimalText(5), u"5");
    EXPECT_EQ(decimalText(2.5), u"2.5");
    EXPECT_EQ(decimalText(15), u"15");
    EXPECT_EQ(decimalText(-0.0), u"0");
    EXPECT_EQ(decimalText(0.1 + 0.2), u"0.3");
    EXPECT_EQ(decimalText(-1.25), u"-1.25");
    EXPECT_EQ(decimalText(65535), u"65535");
}

TEST(DecimalText, ReadsBackAsTheSameNumber) {
    for (double v : {0.0, 1.0, 2.5, 15.0, 1.5, 123456.75, -7.0}) {
        EXPECT_DOUBLE_EQ(numericValue(decimalText(v)), v);
    }
}

}  // namespace
}  // namespace luma
