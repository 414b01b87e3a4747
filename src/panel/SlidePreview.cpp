#include "panel/SlidePreview.h"
#include "panel/ControlIds.h"

#include <QImageReader>
#include <QPixmap>
#include <QResizeEvent>

namespace luma {

SlidePreview::SlidePreview(QWidget* parent) : QLabel(parent) {
    setObjectName(panel_ids::kPreview);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMinimumSize(60, 45);
}

bool SlidePreview::showPicture(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // Decode no more than the box can show; large photos would otherwise cost their full size.
    const QSize full = reader.size();
    const QSize box = contentsRect().size().expandedTo(QSize(1, 1)) * devicePixelRatioF();
    if (full.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize) &&
        (full.width() > 2 * box.width() || full.height() > 2 * box.height())) {
        reader.setScaledSize(full.scaled(box * 2, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return false;
    }
    image_ = std::move(image);
    hasPicture_ = true;
    setText(QString());
    paintScaled();
    return true;
}

void SlidePreview::showUnreadable() {
    image_ = QImage();
    hasPicture_ = false;
    setPixmap(QPixmap());
    setText(tr("This file cannot be shown"));
}

void SlidePreview::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    if (hasPicture_) {
        paintScaled();
    }
}

void SlidePreview::paintScaled() {
    const QSize size = contentsRect().size() * devicePixelRatioF();
    if (size.isEmpty()) {
        return;
    }
    QPixmap pixmap =
        QPixmap::fromImage(image_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    setPixmap(pixmap);
}

}  // namespace luma
