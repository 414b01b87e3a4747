// Raw bytes into the completeness checks of JPEG, BMP and GIF files, and into the decoder when they
// pass; and a JPEG and a BMP made from the input by Qt's writers: complete whole, and incomplete
// with any byte cut off their end.
#include "FuzzSupport.h"

#include "display/PictureIntegrity.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>

namespace {

using luma::bmpIsComplete;
using luma::jpegIsComplete;

constexpr std::size_t kMaxDecodedBytes = 64 * 1024;
constexpr int kCutsChecked = 48;

QByteArray written(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

// A small picture whose size, pixels and quality come from the input.
QImage pictureOf(const std::uint8_t* data, std::size_t size) {
    const int width = size > 0 ? 1 + data[0] % 24 : 1;
    const int height = size > 1 ? 1 + data[1] % 24 : 1;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t i =
                size == 0 ? 0 : (static_cast<std::size_t>(y * width + x) * 3) % size;
            image.setPixel(x, y,
                           qRgb(size ? data[i] : 0, size ? data[(i + 1) % size] : 0,
                                size ? data[(i + 2) % size] : 0));
        }
    }
    return image;
}

// Complete whole; any shorter prefix is not.
template <class Check>
void checkCuts(const QByteArray& file, Check complete) {
    FUZZ_CHECK(complete(file));
    const int cuts = std::min<int>(kCutsChecked, static_cast<int>(file.size()));
    for (int cut = 1; cut <= cuts; ++cut) {
        FUZZ_CHECK(!complete(file.left(file.size() - cut)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    luma::fuzz::prepareDecoding();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const luma::fuzz::QuietStderr quiet;
    const QByteArray bytes = luma::fuzz::bytesOf(data, size);
    const bool jpeg = jpegIsComplete(bytes);
    const bool bmp = bmpIsComplete(bytes);
    const bool complete = luma::pictureIsComplete(bytes);
    if (bytes.startsWith("\xFF\xD8")) {
        FUZZ_CHECK(complete == jpeg);
    } else if (bytes.startsWith("BM")) {
        FUZZ_CHECK(complete == bmp);
    } else if (bytes.startsWith("GIF")) {
        FUZZ_CHECK(complete == luma::gifFirstImageIsComplete(bytes));
    } else {
        FUZZ_CHECK(complete);
    }
    // Bytes after the end of a picture do not make it incomplete.
    const QByteArray tail("\xFF\x00tail", 6);
    if (jpeg) {
        FUZZ_CHECK(jpegIsComplete(bytes + tail));
    }
    if (bmp) {
        FUZZ_CHECK(bmpIsComplete(bytes + tail));
    }
    if (complete && size <= kMaxDecodedBytes) {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        QImage image;
        reader.read(&image);
    }

    const QImage picture = pictureOf(data, size);
    const int quality = size > 2 ? data[2] % 101 : 75;
    checkCuts(written(picture, "JPEG", quality),
              [](const QByteArray& b) { return jpegIsComplete(b); });
    checkCuts(written(picture, "BMP", -1), [](const QByteArray& b) { return bmpIsComplete(b); });
    return 0;
}
