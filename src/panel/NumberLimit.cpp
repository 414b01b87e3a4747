#include "panel/NumberLimit.h"

#include "runtime/Numbers.h"

namespace luma {

std::optional<QString> limitedText(const QString& text, double highest) {
    const double v = numericValue(text);
    if (v < 1) {
        return QStringLiteral("1");
    }
    if (v > highest) {
        return decimalText(highest);
    }
    return std::nullopt;
}

}  // namespace luma
