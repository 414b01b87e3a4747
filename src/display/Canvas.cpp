#include "display/Canvas.h"

#include "display/Picture.h"

#include <QPainter>
#include <QRegion>

#include <utility>

namespace luma {

const QImage& Canvas::image() const {
    flatten();
    return image_;
}

void Canvas::flatten() const {
    if (!overlay_) {
        return;
    }
    QPainter painter(&image_);
    painter.drawImage(overlay_->area.topLeft(), overlay_->image);
    overlay_.reset();
}

void Canvas::paintOn(QPainter& painter, const QRect& area) const {
    if (!overlay_) {
        painter.drawImage(area, image_, area);
        return;
    }
    const QRect over = overlay_->area.toRect();
    for (const QRect& under : QRegion(area).subtracted(QRegion(over))) {
        painter.drawImage(under, image_, under);
    }
    const QRect shown = over.intersected(area);
    if (!shown.isEmpty()) {
        painter.drawImage(shown, overlay_->image, shown.translated(-over.topLeft()));
    }
}

void Canvas::resize(QSize size, QColor background) {
    flatten();
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
    drawn_ = image_.rect();
    cleared_.reset();
    changed(image_.rect());
}

void Canvas::fill(QColor colour) {
    overlay_.reset();
    image_.fill(colour);
    // Where nothing was drawn, the surface already has the colour it had when cleared last.
    const QRect cleared = cleared_ == colour ? std::exchange(drawn_, QRect()) : image_.rect();
    drawn_ = QRect();
    cleared_ = colour;
    changed(cleared);
}

void Canvas::draw(const DecodedPart& part, PaintQuality quality) {
    if (part.image.isNull() || image_.isNull() || part.area.isEmpty()) {
        return;
    }
    const QRect whole = part.area.toRect();
    const bool copy = part.image.format() == QImage::Format_RGB32 && QRectF(whole) == part.area &&
                      whole.size() == part.image.size() && image_.rect().contains(whole);
    if (copy) {
        if (overlay_ && !whole.contains(overlay_->area.toRect())) {
            flatten();  // what shows of the kept part goes into the surface first
        }
        overlay_ = part;  // shares the pixels, copies none
        drawn_ |= whole;
        changed(whole);
        return;
    }
    flatten();
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, quality == PaintQuality::Smooth);
    if (part.area.size() == QSizeF(part.image.size())) {
        painter.drawImage(part.area.topLeft(), part.image);
    } else {
        painter.drawImage(part.area, part.image);
    }
    drawn_ |= part.area.toAlignedRect().intersected(image_.rect());
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
