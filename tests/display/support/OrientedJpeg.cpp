#include "support/OrientedJpeg.h"

namespace luma::test {

QByteArray withOrientation(const QByteArray& jpeg, int orientation) {
    // APP1 "Exif": a big-endian TIFF header and one IFD holding the orientation (0x0112, SHORT).
    const QByteArray payload =
        QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) +
        char(orientation) + QByteArray(6, '\0');
    const int length = static_cast<int>(payload.size()) + 2;
    return jpeg.left(2) + "\xFF\xE1" + char(length >> 8) + char(length & 0xFF) + payload +
           jpeg.mid(2);
}

}  // namespace luma::test
