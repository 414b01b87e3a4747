#include "support/OrientedJpeg.h"

namespace luma::test {

QByteArray withOrientation(const QByteArray& jpeg, int orientation) {
    // APP1 "Exif": a big-endian TIFF header and one IFD holding the orientation (0x0112, SHORT).
    QByteArray tiff("MM\x00\x2A\x00\x00\x00\x08", 8);
    tiff.append("\x00\x01", 2);
    tiff.append("\x01\x12\x00\x03\x00\x00\x00\x01", 8);
    tiff.append(char(0)).append(char(orientation)).append("\x00\x00", 2);
    tiff.append("\x00\x00\x00\x00", 4);
    const QByteArray payload = QByteArray("Exif\x00\x00", 6) + tiff;
    const int length = static_cast<int>(payload.size()) + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(payload);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

}  // namespace luma::test
