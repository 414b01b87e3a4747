#include "display/PictureDecoding.h"

#include "display/Picture.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace luma {
namespace {

// The size a picture that does not show is decoded at, to learn whether it decodes.
constexpr int kProbeExtent = 16;

// The source pixels of a picture of `natural` size painted over `target` that fall into `shown`.
QRect sourceOf(QRect shown, QRect target, QSize natural) {
    const double sx = static_cast<double>(target.width()) / natural.width();
    const double sy = static_cast<double>(target.height()) / natural.height();
    const int left = static_cast<int>(std::floor((shown.left() - target.left()) / sx));
    const int top = static_cast<int>(std::floor((shown.top() - target.top()) / sy));
    const int right = static_cast<int>(std::ceil((shown.right() + 1 - target.left()) / sx));
    const int bottom = static_cast<int>(std::ceil((shown.bottom() + 1 - target.top()) / sy));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))
        .intersected(QRect(QPoint(0, 0), natural));
}

QRectF areaOf(QRect source, QRect target, QSize natural) {
    const double sx = static_cast<double>(target.width()) / natural.width();
    const double sy = static_cast<double>(target.height()) / natural.height();
    return QRectF(target.left() + source.left() * sx, target.top() + source.top() * sy,
                  source.width() * sx, source.height() * sy);
}

// A picture whose orientation tag turns it: the decoder turns it while it reads, its scaled size
// counting in the stored orientation, and the shown part is cut from the turned image.
std::optional<DecodedPart> decodeTurned(const Picture& picture, QImageReader& reader, QRect target,
                                        QRect shown) {
    const QSize natural = picture.size();
    reader.setAutoTransform(true);
    DecodedPart part;
    QImage image;
    if (target.width() < natural.width() || target.height() < natural.height()) {
        reader.setScaledSize(picture.turnsSideways() ? target.size().transposed() : target.size());
        if (!reader.read(&image) || image.isNull()) {
            return std::nullopt;
        }
        part.image = shown == target ? image : image.copy(shown.translated(-target.topLeft()));
        part.area = QRectF(shown);
        return part;
    }
    const QRect source = sourceOf(shown, target, natural);
    if (source.isEmpty()) {
        return part;
    }
    if (!reader.read(&image) || image.isNull()) {
        return std::nullopt;
    }
    part.image = source.size() == natural ? image : image.copy(source);
    part.area = areaOf(source, target, natural);
    return part;
}

}  // namespace

std::optional<DecodedPart> decodePart(const Picture& picture, QRect target, QRect visible) {
    const QSize natural = picture.size();
    if (picture.isEmpty() || natural.isEmpty()) {
        return std::nullopt;
    }
    QByteArray data = picture.bytes().assemble();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, picture.format());
    reader.setAutoTransform(false);

    const QRect shown = target.intersected(visible);
    DecodedPart part;
    if (target.isEmpty() || shown.isEmpty()) {
        reader.setScaledSize(
            natural.scaled(kProbeExtent, kProbeExtent, Qt::KeepAspectRatio).expandedTo({1, 1}));
        QImage probe;
        if (!reader.read(&probe) || probe.isNull()) {
            return std::nullopt;
        }
        return part;
    }
    if (picture.turn() != QImageIOHandler::TransformationNone) {
        return decodeTurned(picture, reader, target, shown);
    }
    if (target.width() < natural.width() || target.height() < natural.height()) {
        reader.setScaledSize(target.size());
        if (shown != target) {
            reader.setScaledClipRect(shown.translated(-target.topLeft()));
        }
        part.area = QRectF(shown);
    } else {
        const QRect source = sourceOf(shown, target, natural);
        if (source.isEmpty()) {
            return part;
        }
        if (source.size() != natural) {
            reader.setClipRect(source);
        }
        part.area = areaOf(source, target, natural);
    }
    if (!reader.read(&part.image) || part.image.isNull()) {
        return std::nullopt;
    }
    return part;
}

void setPictureDecodeLimits() {
    QImageReader::setAllocationLimit(kDecodeLimitMegabytes);
}

}  // namespace luma
