#include "Pictures.h"

#include "display/support/GifWriter.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace luma::assets {
namespace {

// A fixed palette: the 6 x 6 x 6 colour cube.
std::vector<QRgb> cubePalette() {
    std::vector<QRgb> palette;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                palette.push_back(qRgb(r * 51, g * 51, b * 51));
            }
        }
    }
    palette.resize(256, qRgb(0, 0, 0));
    return palette;
}

std::vector<std::uint8_t> indicesOf(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint8_t> indices;
    indices.reserve(static_cast<size_t>(rgb.width() * rgb.height()));
    auto level = [](int v) { return (v + 25) / 51; };
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x];
            indices.push_back(static_cast<std::uint8_t>(level(qRed(c)) * 36 + level(qGreen(c)) * 6 +
                                                        level(qBlue(c))));
        }
    }
    return indices;
}

}  // namespace

QImage landscape(QSize size, QColor sky, QColor land, const QString& title) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient air(0, 0, 0, size.height());
    air.setColorAt(0, sky.lighter(150));
    air.setColorAt(1, sky);
    p.fillRect(image.rect(), air);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 120));
    p.drawEllipse(QPointF(size.width() * 0.78, size.height() * 0.25), size.height() * 0.09,
                  size.height() * 0.09);
    QPainterPath hills;
    const double w = size.width(), h = size.height();
    hills.moveTo(0, h);
    hills.lineTo(0, h * 0.65);
    hills.cubicTo(w * 0.25, h * 0.45, w * 0.45, h * 0.8, w * 0.7, h * 0.6);
    hills.cubicTo(w * 0.85, h * 0.5, w * 0.95, h * 0.62, w, h * 0.6);
    hills.lineTo(w, h);
    p.setBrush(land);
    p.drawPath(hills);
    QFont font = p.font();
    font.setPixelSize(std::max(12, size.height() / 12));
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(image.rect().adjusted(0, 0, 0, -size.height() / 12),
               Qt::AlignHCenter | Qt::AlignBottom, title);
    return image;
}

std::vector<QImage> bouncingBall(QSize size, int frames) {
    std::vector<QImage> result;
    for (int i = 0; i < frames; ++i) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(102, 204, 255));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 153, 51));
        p.drawRect(0, size.height() * 4 / 5, size.width(), size.height() / 5);
        const double phase = static_cast<double>(i) / frames;
        const double radius = size.height() / 10.0;
        const double x = radius + (size.width() - 2 * radius) * phase;
        const double floor = size.height() * 0.8 - radius;
        const double y =
            floor - (floor - radius) * std::abs(std::sin(phase * 2 * std::numbers::pi));
        p.setBrush(QColor(255, 51, 0));
        p.drawEllipse(QPointF(x, y), radius, radius);
        result.push_back(image);
    }
    return result;
}

bool writeGif(const QString& path, const std::vector<QImage>& frames, int delay) {
    if (frames.empty()) {
        return false;
    }
    test::GifFile gif;
    gif.screen = frames.front().size();
    gif.palette = cubePalette();
    gif.loopExtension = frames.size() > 1;
    for (const QImage& frame : frames) {
        test::GifImage image;
        image.size = frame.size();
        image.indices = indicesOf(frame);
        image.delay = static_cast<std::uint16_t>(delay);
        gif.images.push_back(std::move(image));
    }
    QFile file(path);
    const QByteArray bytes = gif.encode();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace luma::assets
