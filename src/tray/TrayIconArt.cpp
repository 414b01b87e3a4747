#include "tray/TrayIconArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace luma {

QImage drawLumafolioIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, size > 16);
    p.scale(size / 32.0, size / 32.0);

    // Frame and picture.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 64, 0));
    p.drawRoundedRect(QRectF(1, 3, 30, 26), 3, 3);
    p.setBrush(QColor(0, 128, 255));
    p.drawRect(QRectF(4, 6, 24, 20));
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(QRectF(20, 8, 6, 6));
    QPainterPath hills;
    hills.moveTo(4, 26);
    hills.lineTo(4, 19);
    hills.quadTo(10, 13, 16, 19);
    hills.quadTo(22, 15, 28, 20);
    hills.lineTo(28, 26);
    hills.closeSubpath();
    p.setBrush(QColor(0, 160, 0));
    p.drawPath(hills);

    // A music note over the corner.
    p.setBrush(Qt::black);
    p.setPen(QPen(Qt::white, 1));
    p.drawEllipse(QRectF(3, 22, 7, 5.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(8.5, 12, 2, 12.5));
    QPainterPath flag;
    flag.moveTo(10.5, 12);
    flag.quadTo(15, 14, 14, 19);
    flag.quadTo(13.5, 15.5, 10.5, 15.5);
    flag.closeSubpath();
    p.drawPath(flag);
    return image;
}

QIcon lumafolioTrayIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(drawLumafolioIcon(32)));
    icon.addPixmap(QPixmap::fromImage(drawLumafolioIcon(16)));
    return icon;
}

}  // namespace luma
