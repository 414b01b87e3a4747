#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace luma::assets {

// A demo picture: a landscape of the given hues with its title written on it.
QImage landscape(QSize size, QColor sky, QColor land, const QString& title);

// The frames of a demo animation: a ball bouncing over a lawn.
std::vector<QImage> bouncingBall(QSize size, int frames);

// Writes `frames` as a GIF file (one frame: a still), each frame shown for `delay` hundredths.
bool writeGif(const QString& path, const std::vector<QImage>& frames, int delay);

}  // namespace luma::assets
