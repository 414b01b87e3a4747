#include "display/GifSplit.h"
#include "display/Picture.h"
#include "display/PictureDecoding.h"
#include "display/PictureIntegrity.h"
#include "support/DisplayHarness.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <random>

namespace luma::test {
namespace {

// Damaged copies of a sound file: bytes overwritten, cut short, or both, from a fixed seed.
std::vector<QByteArray> damaged(const QByteArray& sound, int count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<QByteArray> out;
    for (int i = 0; i < count; ++i) {
        QByteArray b = sound;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int f = 0; f < flips; ++f) {
            b[static_cast<qsizetype>(random() % b.size())] = static_cast<char>(random() % 256);
        }
        if (i % 3 == 0) {
            b.truncate(static_cast<qsizetype>(random() % b.size()));
        }
        out.push_back(b);
    }
    return out;
}

TEST(DamagedInput, TheSplitStaysInsideTheFileAndEveryPieceDecodesOrIsRejected) {
    setPictureDecodeLimits();
    GifFile file = solidAnimation(
        QSize(32, 24), {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0)},
        {10, 20, 30, 40});
    file.comment = "a comment";
    for (const QByteArray& bytes : damaged(file.encode(), 400, 17)) {
        const GifSplit split = splitGif(bytes);
        const auto shared = std::make_shared<const QByteArray>(bytes);
        for (const GifSplit::Frame& f : split.frames) {
            ASSERT_LE(split.prefixLength, f.begin);
            ASSERT_LE(f.begin, f.end);
            ASSERT_LE(f.end, bytes.size());
            const Picture piece(EncodedBytes(shared, split.prefixLength, f.begin, f.end),
                                split.screen, "gif");
            const QRect all(QPoint(0, 0), split.screen);
            decodePart(piece, all, all);  // a picture or nullopt; never a crash
        }
        if (const auto still = Picture::fromBytes(bytes)) {
            decodePart(*still, QRect(0, 0, 64, 48), QRect(0, 0, 64, 48));
        }
    }
}

TEST(DamagedInput, DamagedJpegAndBmpLoadOrAreRejected) {
    setPictureDecodeLimits();
    QImage image(48, 32, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    for (const char* format : {"JPG", "BMP"}) {
        const QByteArray sound = encodedImage(image, format);
        int rejected = 0;
        for (const QByteArray& bytes : damaged(sound, 300, 29)) {
            const auto picture = Picture::fromBytes(bytes);
            if (!picture) {
                ++rejected;
                continue;
            }
            EXPECT_TRUE(pictureIsComplete(bytes));
            decodePart(*picture, QRect(0, 0, 800, 600), QRect(0, 0, 400, 300));
            decodePart(*picture, QRect(10, 10, 24, 16), QRect(0, 0, 400, 300));
        }
        EXPECT_GT(rejected, 0) << format;
    }
}

}  // namespace
}  // namespace luma::test
