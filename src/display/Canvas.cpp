#include "display/Canvas.h"

#include "display/Picture.h"

#include <QPainter>

namespace luma {

void Canvas::resize(QSize size, QColor background) {
    const QSize bounded = size.expandedTo(QSize(0, 0));
    if (bounded == image_.size()) {
        return;
    }
    QImage next(bounded, QImage::Format_RGB32);
    next.fill(background);
    if (!image_.isNull() && !next.isNull()) {
        QPainter painter(&next);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
    changed(image_.rect());
}

void Canvas::fill(QColor colour) {
    image_.fill(colour);
    changed(image_.rect());
}

void Canvas::draw(const DecodedPart& part, PaintQuality quality) {
    if (part.image.isNull() || image_.isNull() || part.area.isEmpty()) {
        return;
    }
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, quality == PaintQuality::Smooth);
    if (part.area.size() == QSizeF(part.image.size())) {
        painter.drawImage(part.area.topLeft(), part.image);
    } else {
        painter.drawImage(part.area, part.image);
    }
    changed(part.area.toAlignedRect().intersected(image_.rect()));
}

bool Canvas::paint(const Picture& picture, QRect target, PaintQuality quality) {
    const auto part = decodePart(picture, target, rect());
    if (!part) {
        return false;
    }
    draw(*part, quality);
    return true;
}

void Canvas::changed(const QRect& area) {
    if (listener_ && !area.isEmpty()) {
        listener_(area);
    }
}

QColor colourOf(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

}  // namespace luma
