#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace luma {

// The numeric value of a text: the longest leading part that forms a number (sign, digits, one
// decimal point, an exponent), with blanks anywhere ignored; 0 when the text does not start with a
// number. "45abc" -> 45, " 1 2" -> 12, "-3.5x" -> -3.5, "1e2" -> 100.
double numericValue(const QString& text);

// Conversion of a whole text to an integer, as stored settings are read back: surrounding blanks
// are allowed, the rest must form a number; fractions round half to even. Fails (nullopt) on empty
// or non-numeric text and when the rounded value is out of range.
std::optional<std::int16_t> toInt16(const QString& text);
std::optional<std::int32_t> toInt32(const QString& text);

// Rounds half to even and checks the 16/32-bit range, as a number is converted to a field.
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);

// Decimal text of a number in its shortest form: 5 -> "5", 2.5 -> "2.5", 15 -> "15".
QString decimalText(double value);

}  // namespace luma
