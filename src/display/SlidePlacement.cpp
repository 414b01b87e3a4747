#include "display/SlidePlacement.h"

#include "runtime/Numbers.h"

#include <algorithm>
#include <cmath>

namespace luma {
namespace {

constexpr std::int64_t kMaxExtent = std::int64_t{1} << 28;

int boundedProduct(int size, int multiplier) {
    return static_cast<int>(std::min<std::int64_t>(std::int64_t{size} * multiplier, kMaxExtent));
}

}  // namespace

QRect stretchedArea(QSize window) {
    return QRect(QPoint(0, 0), window);
}

QRect scaledArea(int x, int y, QSize picture, int multiplier) {
    if (multiplier < 1 || picture.isEmpty()) {
        return QRect(x, y, 0, 0);
    }
    return QRect(x, y, boundedProduct(picture.width(), multiplier),
                 boundedProduct(picture.height(), multiplier));
}

std::optional<std::int16_t> randomPosition(double extent, double r) {
    return toInt16(std::floor(extent * r + 1));
}

}  // namespace luma
