#pragma once

#include <QString>

#include <optional>

namespace luma {

// The panel's number boxes keep their numeric value between 1 and `highest`. Returns the text the
// box must show instead of `text`, or std::nullopt when `text` is within the limits (fractions
// within them stay as typed). Text that does not start with a number counts as 0.
std::optional<QString> limitedText(const QString& text, double highest);

}  // namespace luma
