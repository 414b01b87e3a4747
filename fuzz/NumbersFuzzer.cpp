// Texts into numericValue, toInt16, toInt32 and decimalText, and raw doubles into the conversions:
// nothing may crash, and the four must agree with one another.
#include "FuzzSupport.h"

#include "runtime/Numbers.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using luma::fuzz::textsOf;

// The blanks numericValue skips; a text with other white space may convert where numericValue
// stops, so the agreement below holds only without it.
bool onlyPlainBlanks(const QString& text) {
    for (QChar c : text) {
        if (c.isSpace() && c != u' ' && c != u'\t' && c != u'\n' && c != u'\r') {
            return false;
        }
    }
    return true;
}

bool closeTo(double a, double b) {
    return std::fabs(a - b) <= 1e-13 * std::max(std::fabs(a), std::fabs(b));
}

void checkDecimalText(double value) {
    const QString text = luma::decimalText(value);
    FUZZ_CHECK(!text.isEmpty());
    if (!std::isfinite(value)) {
        FUZZ_CHECK(text == QStringLiteral("0"));
        return;
    }
    // Fifteen significant digits: the text reads back close to the value, and a second round
    // gives the same text. At the ends of the range the digits leave it (the largest values
    // round up past the largest double, subnormals lose their digits), and read back as 0.
    const double back = luma::numericValue(text);
    FUZZ_CHECK(std::isfinite(back));
    const double magnitude = std::fabs(value);
    if (magnitude < std::numeric_limits<double>::min() || magnitude > 1.79769313486231e308) {
        return;
    }
    FUZZ_CHECK(back == value || closeTo(back, value));
    FUZZ_CHECK(luma::decimalText(back) == text);
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        FUZZ_CHECK(!text.contains(u'.') && !text.contains(u'E'));
    }
}

void checkConversions(double value) {
    const auto i16 = luma::toInt16(value);
    const auto i32 = luma::toInt32(value);
    if (i16) {
        FUZZ_CHECK(i32 && *i32 == *i16);
    }
    if (i32) {
        FUZZ_CHECK(std::fabs(value - *i32) <= 0.5);
        if (std::fabs(value - *i32) == 0.5) {
            FUZZ_CHECK(*i32 % 2 == 0);  // half to even
        }
        // The decimal text of a 32-bit integer converts back to it.
        FUZZ_CHECK(luma::toInt32(luma::decimalText(*i32)) == i32);
    }
}

void checkText(const QString& text) {
    const double value = luma::numericValue(text);
    FUZZ_CHECK(std::isfinite(value));
    checkDecimalText(value);
    checkConversions(value);

    const auto i16 = luma::toInt16(text);
    const auto i32 = luma::toInt32(text);
    if (i16) {
        FUZZ_CHECK(i32 && *i32 == *i16);
    }
    if (i32) {
        FUZZ_CHECK(!text.trimmed().isEmpty());
        if (onlyPlainBlanks(text)) {
            // A text that converts as a whole is a number from its start: numericValue reads
            // the same number, and the conversion rounded it.
            FUZZ_CHECK(std::fabs(value - *i32) <= 0.5);
            FUZZ_CHECK(luma::toInt32(value) == i32);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const QString& text : textsOf(data, size)) {
        checkText(text);
    }
    // The bytes as raw doubles too: infinities, NaNs, subnormals and the extremes.
    for (std::size_t at = 0; at + sizeof(double) <= size && at < 64; at += sizeof(double)) {
        double value;
        std::memcpy(&value, data + at, sizeof value);
        checkDecimalText(value);
        checkConversions(value);
    }
    return 0;
}
