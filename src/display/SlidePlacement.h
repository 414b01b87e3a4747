#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>

namespace luma {

// Where pictures go on the display window.

// The whole window: (0, 0), W x H.
QRect stretchedArea(QSize window);

// At (x, y), `picture`'s size times `multiplier`. Sizes beyond any screen are held at a bound
// that keeps the arithmetic exact; a multiplier below 1 gives an empty area (nothing is painted).
QRect scaledArea(int x, int y, QSize picture, int multiplier);

// Int(extent * r + 1), the random slide position along one axis; nullopt when it does not fit a
// 16-bit field.
std::optional<std::int16_t> randomPosition(double extent, double r);

}  // namespace luma
