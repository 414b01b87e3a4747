#include "display/FrameDecoder.h"

#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

namespace luma {
namespace {

bool hasTransparentPixel(const QImage& image) {
    if (!image.hasAlphaChannel()) {
        return false;
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 255) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::optional<DecodedPart> decodeFrame(const Picture& picture, QRect target, QRect visible) {
    std::optional<DecodedPart> part = decodePart(picture, target, visible);
    if (!part || part->image.isNull()) {
        return part;
    }
    const bool transparent = hasTransparentPixel(part->image);
    if (part->area.size() == QSizeF(part->image.size())) {
        part->image.convertTo(transparent ? QImage::Format_ARGB32_Premultiplied
                                          : QImage::Format_RGB32);
        return part;
    }
    // Scaled now as the canvas would scale it at each tick, over the whole pixels it touches.
    const QRect aligned = part->area.toAlignedRect();
    const bool covers = !transparent && QRectF(aligned) == part->area;
    QImage scaled(aligned.size(),
                  covers ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    scaled.fill(Qt::transparent);
    {
        QPainter painter(&scaled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(part->area.translated(-QPointF(aligned.topLeft())), part->image);
    }
    return DecodedPart{std::move(scaled), QRectF(aligned)};
}

ThreadedFrameDecoder::ThreadedFrameDecoder() {
    worker_.setMaxThreadCount(1);
    QObject::connect(&watcher_, &QFutureWatcherBase::finished, &watcher_, [this] {
        busy_ = false;
        Done done = std::move(done_);
        done_ = nullptr;
        if (done) {
            done(watcher_.result());
        }
    });
}

ThreadedFrameDecoder::~ThreadedFrameDecoder() {
    watcher_.disconnect();
    watcher_.waitForFinished();
    worker_.waitForDone();
}

void ThreadedFrameDecoder::start(Picture picture, QRect target, QRect visible, Done done) {
    busy_ = true;
    done_ = std::move(done);
    watcher_.setFuture(QtConcurrent::run(&worker_, [picture = std::move(picture), target, visible] {
        return decodeFrame(picture, target, visible);
    }));
}

}  // namespace luma
