#include "display/Canvas.h"
#include "display/Picture.h"
#include "display/PictureDecoding.h"
#include "support/DisplayHarness.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

namespace luma::test {
namespace {

// Left half red, right half blue.
QImage halves(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = size.width() / 2; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb(0, 0, 255));
        }
    }
    return image;
}

struct PictureDecodingTest : testing::Test {
    void SetUp() override { setPictureDecodeLimits(); }
};

TEST_F(PictureDecodingTest, APicturePaintedSmallerComesOutOfTheDecoderAtThePaintedSize) {
    const auto picture = Picture::fromBytes(encodedImage(halves(QSize(1600, 1200)), "JPG"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), QSize(1600, 1200));
    const auto part = decodePart(*picture, QRect(0, 0, 400, 300), QRect(0, 0, 400, 300));
    ASSERT_TRUE(part);
    EXPECT_EQ(part->image.size(), QSize(400, 300));
    EXPECT_EQ(part->area, QRectF(0, 0, 400, 300));
}

TEST_F(PictureDecodingTest, APicturePaintedAtItsSizeIsDecodedOnlyWhereItShows) {
    const auto picture = Picture::fromBytes(encodedImage(halves(QSize(300, 200)), "BMP"));
    ASSERT_TRUE(picture);
    // Painted at (-100, 50) on a 400 x 300 surface: source columns 100 to 299 show.
    const auto part = decodePart(*picture, QRect(-100, 50, 300, 200), QRect(0, 0, 400, 300));
    ASSERT_TRUE(part);
    EXPECT_EQ(part->image.size(), QSize(200, 200));
    EXPECT_EQ(part->area, QRectF(0, 50, 200, 200));
    EXPECT_EQ(part->image.pixelColor(40, 10), QColor(Qt::red));
    EXPECT_EQ(part->image.pixelColor(60, 10), QColor(Qt::blue));
}

TEST_F(PictureDecodingTest, APicturePaintedLargerIsDecodedWhereItShowsAndScaledWhenDrawn) {
    const auto picture = Picture::fromBytes(encodedImage(halves(QSize(100, 80)), "BMP"));
    ASSERT_TRUE(picture);
    Canvas canvas;
    canvas.resize(QSize(400, 300), Qt::black);
    ASSERT_TRUE(canvas.paint(*picture, QRect(300, 200, 300, 240), PaintQuality::Fast));
    // Three times larger: the source columns 0..33 and rows 0..33 show.
    const auto part = decodePart(*picture, QRect(300, 200, 300, 240), canvas.rect());
    ASSERT_TRUE(part);
    EXPECT_EQ(part->image.size(), QSize(34, 34));
    EXPECT_EQ(canvas.image().pixelColor(399, 299), QColor(Qt::red));
    EXPECT_EQ(canvas.image().pixelColor(299, 299), QColor(Qt::black));
}

TEST_F(PictureDecodingTest, APictureThatDoesNotShowIsStillCheckedByTheDecoder) {
    const auto picture = Picture::fromBytes(encodedImage(halves(QSize(100, 80)), "JPG"));
    ASSERT_TRUE(picture);
    for (const QRect target : {QRect(500, 500, 100, 80), QRect(10, 10, 0, 0)}) {
        const auto part = decodePart(*picture, target, QRect(0, 0, 400, 300));
        ASSERT_TRUE(part);
        EXPECT_TRUE(part->image.isNull());
    }
}

TEST_F(PictureDecodingTest, RejectsWhatCannotBeAPicture) {
    const QByteArray jpeg = encodedImage(halves(QSize(64, 64)), "JPG");
    GifFile huge = solidAnimation(QSize(30000, 30000), {qRgb(1, 1, 1), qRgb(2, 2, 2)}, {});
    huge.images.push_back(solidImage(QSize(2, 2), 0, 0));
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"one byte of a JPEG", jpeg.left(1)},
        {"a cut-off JPEG", jpeg.left(jpeg.size() - 100)},
        {"text", QByteArray("just some words, no picture")},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Picture::fromBytes(c.bytes)) << c.name;
    }
    // Its header is sound; the decoder refuses the 3.6 GB image.
    const auto tooLarge = Picture::fromBytes(huge.encode());
    ASSERT_TRUE(tooLarge);
    EXPECT_EQ(tooLarge->size(), QSize(30000, 30000));
    EXPECT_FALSE(decodePart(*tooLarge, QRect(0, 0, 800, 600), QRect(0, 0, 800, 600)));
    EXPECT_FALSE(decodePart(*tooLarge, QRect(0, 0, 30000, 30000), QRect(0, 0, 800, 600)));
}

TEST_F(PictureDecodingTest, AFramePieceKeepsOnlyARangeOfTheSharedFile) {
    const auto file = std::make_shared<const QByteArray>("HEADERxxxxBODYyyyy");
    const EncodedBytes piece(file, 6, 10, 14);
    EXPECT_EQ(piece.assemble(), QByteArray("HEADERBODY"));
    EXPECT_EQ(piece.size(), 10);
    const EncodedBytes clamped(file, 6, 14, 100);
    EXPECT_EQ(clamped.assemble(), QByteArray("HEADERyyyy"));
    EXPECT_TRUE(EncodedBytes().isEmpty());
    EXPECT_TRUE(Picture().isEmpty());
}

TEST_F(PictureDecodingTest, FilesAreReadWholeWithinALimit) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.bin"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray(1000, 'a'));
    out.close();
    EXPECT_EQ(readWholeFile(path, 1000).value_or(QByteArray()).size(), 1000);
    EXPECT_FALSE(readWholeFile(path, 999));
    EXPECT_FALSE(readWholeFile(dir.path(), 1000));
    EXPECT_FALSE(readWholeFile(dir.filePath(QStringLiteral("missing")), 1000));
    EXPECT_FALSE(readWholeFile(QString(), 1000));
}

}  // namespace
}  // namespace luma::test
