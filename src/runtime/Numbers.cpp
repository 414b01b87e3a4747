#include "runtime/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace luma {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Scans a number from the start of `s` (which holds no blanks). Returns the number of characters
// that form it, 0 when none do.
qsizetype scanNumber(const std::u16string& s) {
    qsizetype i = 0;
    const auto n = static_cast<qsizetype>(s.size());
    auto at = [&](qsizetype k) { return k < n ? QChar(s[k]) : QChar(); };
    if (at(i) == u'+' || at(i) == u'-') {
        ++i;
    }
    qsizetype digits = 0;
    while (isDigit(at(i))) {
        ++i;
        ++digits;
    }
    if (at(i) == u'.') {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (isDigit(at(j))) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0) {
        return 0;
    }
    const QChar e = at(i);
    if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
        qsizetype j = i + 1;
        if (at(j) == u'+' || at(j) == u'-') {
            ++j;
        }
        if (isDigit(at(j))) {
            while (isDigit(at(j))) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

std::optional<double> parseScanned(const std::u16string& s, qsizetype length) {
    std::string ascii;
    ascii.reserve(static_cast<size_t>(length));
    for (qsizetype k = 0; k < length; ++k) {
        char c = static_cast<char>(s[static_cast<size_t>(k)]);
        ascii.push_back(c == 'd' || c == 'D' ? 'e' : c);
    }
    if (!ascii.empty() && ascii.front() == '+') {
        ascii.erase(0, 1);  // from_chars takes no plus sign
    }
    // from_chars is locale-independent: stored numbers always use '.'.
    double v = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (error != std::errc() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

std::optional<double> wholeNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    const std::u16string s = trimmed.toStdU16String();
    const qsizetype length = scanNumber(s);
    if (length == 0 || length != static_cast<qsizetype>(s.size())) {
        return std::nullopt;
    }
    return parseScanned(s, length);
}

template <typename Int>
std::optional<Int> roundToInt(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double r = std::nearbyint(value);  // default rounding mode: half to even
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(r);
}

}  // namespace

double numericValue(const QString& text) {
    std::u16string compact;
    compact.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        if (!isBlank(c)) {
            compact.push_back(c.unicode());
        }
    }
    const qsizetype length = scanNumber(compact);
    return length == 0 ? 0.0 : parseScanned(compact, length).value_or(0.0);
}

std::optional<std::int16_t> toInt16(double value) {
    return roundToInt<std::int16_t>(value);
}

std::optional<std::int32_t> toInt32(double value) {
    return roundToInt<std::int32_t>(value);
}

std::optional<std::int16_t> toInt16(const QString& text) {
    const auto v = wholeNumber(text);
    return v ? toInt16(*v) : std::nullopt;
}

std::optional<std::int32_t> toInt32(const QString& text) {
    const auto v = wholeNumber(text);
    return v ? toInt32(*v) : std::nullopt;
}

QString decimalText(double value) {
    if (!std::isfinite(value)) {
        return QStringLiteral("0");
    }
    if (value == 0.0) {
        return QStringLiteral("0");  // also for -0
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    text.replace(u'e', u'E');
    return text;
}

}  // namespace luma
