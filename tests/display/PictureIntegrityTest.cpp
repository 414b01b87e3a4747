#include "display/PictureIntegrity.h"
#include "support/DisplayHarness.h"

#include <gtest/gtest.h>

#include <QImage>

namespace luma::test {
namespace {

QImage pattern(QSize size, QImage::Format format = QImage::Format_RGB32) {
    QImage image(size, format);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x + y) % 256));
        }
    }
    return image;
}

// A JPEG whose APP1 segment carries a complete thumbnail JPEG with its own end marker.
QByteArray withThumbnail(const QByteArray& jpeg) {
    const QByteArray thumbnail = encodedImage(pattern(QSize(8, 8)), "JPG");
    QByteArray payload = QByteArray("Exif\0\0", 6) + thumbnail;
    const qsizetype length = payload.size() + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(static_cast<char>(length >> 8));
    segment.append(static_cast<char>(length & 0xFF));
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

TEST(PictureIntegrity, TellsCompletePicturesFromCutOffOnes) {
    const QByteArray jpeg = encodedImage(pattern(QSize(64, 48)), "JPG");
    const QByteArray progressive = encodedImage(pattern(QSize(64, 48)), "JPG", true);
    const QByteArray thumbnailed = withThumbnail(jpeg);
    const QByteArray bmp = encodedImage(pattern(QSize(30, 20)), "BMP");
    const QByteArray bmp8 =
        encodedImage(pattern(QSize(30, 20)).convertToFormat(QImage::Format_Indexed8), "BMP");
    GifFile gifFile = solidAnimation(QSize(20, 20), {qRgb(1, 2, 3), qRgb(4, 5, 6)}, {1, 2});
    gifFile.literalCodes = true;
    const QByteArray gif = gifFile.encode();

    struct Case {
        const char* name;
        QByteArray bytes;
        bool complete;
    };
    const Case cases[] = {
        {"jpeg", jpeg, true},
        {"jpeg cut in half", jpeg.left(jpeg.size() / 2), false},
        {"jpeg without its end marker", jpeg.left(jpeg.size() - 2), false},
        {"jpeg with bytes after its end", jpeg + "trailing", true},
        {"progressive jpeg", progressive, true},
        {"progressive jpeg cut", progressive.left(progressive.size() * 3 / 4), false},
        {"jpeg with a thumbnail", thumbnailed, true},
        {"jpeg with a thumbnail, cut", thumbnailed.left(thumbnailed.size() - 40), false},
        {"bmp", bmp, true},
        {"bmp one byte short", bmp.left(bmp.size() - 1), false},
        {"bmp of a header only", bmp.left(20), false},
        {"8-bit bmp", bmp8, true},
        {"8-bit bmp cut", bmp8.left(bmp8.size() - 30), false},
        {"gif", gif, true},
        {"gif cut in its second image", gif.left(gif.size() - 10), true},
        {"gif cut in its first image", gif.left(gif.size() / 3), false},
        {"anything else is the decoder's to judge", QByteArray("\x89PNG\r\n\x1a\n", 8), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pictureIsComplete(c.bytes), c.complete) << c.name;
    }
}

TEST(PictureIntegrity, RunLengthBmpIsLeftToTheDecoder) {
    QByteArray bmp =
        encodedImage(pattern(QSize(30, 20)).convertToFormat(QImage::Format_Indexed8), "BMP");
    bmp[30] = 1;  // BI_RLE8: the pixel data has no fixed size
    EXPECT_TRUE(bmpIsComplete(bmp.left(bmp.size() - 100)));
}

// A header whose sizes multiply past any 64-bit integer is no complete picture, and the check does
// not overflow on the way (the sanitizer build stopped at the product before).
TEST(PictureIntegrity, HugeBmpSizesAreNoCompletePicture) {
    QByteArray bmp = encodedImage(pattern(QSize(4, 4)), "BMP");
    const auto put32 = [&bmp](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        }
    };
    put32(18, 2147483647u);  // width
    put32(22, 0x80000000u);  // height -2,147,483,648
    bmp[28] = 32;
    bmp[29] = 0;
    put32(30, 0);  // no compression
    EXPECT_FALSE(bmpIsComplete(bmp));
}

}  // namespace
}  // namespace luma::test
