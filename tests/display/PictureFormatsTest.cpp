// Pictures as the display reads them, below the show: a GIF's frame pieces, whether a file holds
// all of its picture, how the canvas draws a picture, and the orientation tag.
#include "display/Canvas.h"
#include "display/GifSplit.h"
#include "display/Picture.h"
#include "display/PictureIntegrity.h"
#include "panel/SlidePreview.h"
#include "support/DisplayHarness.h"
#include "support/OrientedJpeg.h"

#include <gtest/gtest.h>

#include <QPixmap>

namespace luma::test {
namespace {

GifFile animation(std::vector<std::uint16_t> delays) {
    return solidAnimation(QSize(24, 16), kFrameColours, delays);
}

// The colour at (x / 4, y / 4) of `image` as a letter of "RGB", or '?'.
QChar letterAt(const QImage& image, int x, int y) {
    return (scene(image.copy(x * image.width() / 4, y * image.height() / 4, 1, 1)) + "?")[0];
}

TEST(GifSplit, CutsEachSoundFrameIntoAPieceThatDecodesToThatFrame) {
    GifFile noLoop = animation({10, 20, 30});     // no 0x00 before the first marker: 0xFF ends the
    noLoop.palette.back() = qRgb(255, 255, 255);  // colour table, no looping extension
    noLoop.loopExtension = false;
    GifFile markerInComment = animation({10, 20, 30});
    markerInComment.comment = QByteArray("x\x00\x21\xF9\x04\x01\x02\x03y", 9);
    GifFile bare = animation({10, 20, 30});
    bare.images[0].withControl = bare.images[2].withControl = false;
    GifFile still = animation({0});
    still.images[0].withControl = still.loopExtension = false;
    const QByteArray good = animation({10, 20}).encode();
    const qsizetype second = animation({10}).encode().size() - 1;  // the second frame's marker
    QByteArray unknownBlock = good, shortControl = good, badCodeSize = good;
    unknownBlock[second] = 'X';
    shortControl[good.indexOf("\x21\xF9") + 2] = 2;  // block size below the delay's end
    badCodeSize[second + 18] = 12;                   // the second frame's LZW code size
    // (file, frame centres and delays, complete): a sound file ends at the trailer or with its data
    for (const auto& [bytes, expected, complete] :
         std::vector<std::tuple<QByteArray, const char*, bool>>{
             {animation({10, 20, 30}).encode(), "R10 G20 B30", true},
             {noLoop.encode(), "R10 G20 B30", true},
             {markerInComment.encode(), "R10 G20 B30", true},
             {bare.encode(), "R0 G20 B0", true},
             {still.encode(), "R0", true},
             {good.left(good.size() - 1), "R10 G20", true},
             {good.left(good.size() - 5), "R10", false},
             {unknownBlock, "R10", false},
             {shortControl, "", false},
             {badCodeSize, "R10", false},
             {"GIF90a" + good.mid(6), "", false},
             {good.left(9), "", false}}) {
        const GifSplit split = splitGif(bytes);
        QStringList frames;
        for (std::size_t i = 0; i < split.frames.size(); ++i) {
            const GifSplit::Frame& f = split.frames[i];
            const QImage image = QImage::fromData(
                bytes.left(split.prefixLength) + bytes.mid(f.begin, f.end - f.begin), "gif");
            frames.append(letterAt(image, 2, 2) + QString::number(f.delay));
            if (i + 1 < split.frames.size()) {  // overlapping by the "!" opening the next frame,
                const qsizetype next = split.frames[i + 1].begin;  // as they have always been cut
                EXPECT_EQ(f.end, next + (bytes[next] == '!' ? 1 : 0)) << expected << ", " << i;
            }
        }
        EXPECT_EQ(frames.join(u' '), QString::fromLatin1(expected));
        EXPECT_EQ(split.complete, complete) << expected;
        if (complete) {  // the last piece stops before the last terminator and the trailer
            EXPECT_EQ(split.screen, QSize(24, 16));
            EXPECT_EQ(split.prefixLength, split.frames.front().begin);
            EXPECT_TRUE(QByteArray("\0;", 2).startsWith(bytes.mid(split.frames.back().end)));
        }
    }
}

TEST(PictureIntegrity, TellsCompletePicturesFromCutOffOnes) {
    QImage pattern(64, 48, QImage::Format_RGB32);
    for (int i = 0; i < 64 * 48; ++i) {
        pattern.setPixel(i % 64, i / 64, qRgb(i * 7 % 256, i * 5 % 256, i % 251));
    }
    const QByteArray jpeg = encodedImage(pattern, "JPG");
    const QByteArray bmp = encodedImage(pattern, "BMP");
    const QByteArray bmp8 = encodedImage(pattern.convertToFormat(QImage::Format_Indexed8), "BMP");
    QByteArray runLength = bmp8;
    runLength[30] = 1;      // BI_RLE8: the pixel data has no fixed size
    QByteArray huge = bmp;  // 2,147,483,647 x -2,147,483,648 at 32 bits: past any 64-bit product
    huge.replace(18, 12, QByteArray("\xFF\xFF\xFF\x7F\x00\x00\x00\x80\x01\x00\x20\x00", 12));
    GifFile gifFile = animation({1, 2});
    gifFile.literalCodes = true;
    const QByteArray gif = gifFile.encode();
    for (const auto& [bytes, complete] : std::vector<std::pair<QByteArray, bool>>{
             {jpeg, true},
             {jpeg.left(jpeg.size() - 2), false},              // without its end marker
             {jpeg.left(2) + "\xFF\xFF" + jpeg.mid(2), true},  // fill bytes before a marker
             {bmp, true},
             {bmp.left(bmp.size() - 1), false},
             {bmp8, true},
             {runLength.left(runLength.size() - 100), true},  // left to the decoder
             {huge, false},
             {gif, true},
             {gif.left(gif.size() - 10), true},  // cut in its second image
             {gif.left(gif.size() / 3), false},
             {QByteArray("\x89PNG\r\n\x1a\n", 8), true}}) {  // the decoder's to judge
        EXPECT_EQ(pictureIsComplete(bytes), complete)
            << bytes.left(4).toHex().constData() << ", " << bytes.size() << " bytes";
    }
}

// A picture of no size, or too large for the decoder, is not drawn.
TEST(Canvas, DrawsNoPictureTheDecoderRefuses) {
    setPictureDecodeLimits();
    DisplayHarness d;
    Canvas canvas;
    canvas.resize({400, 400}, Qt::blue);
    const auto tooLarge = Picture::fromFile(d.make("Z30000x30000.gif"));  // 3.6 GB decoded
    const auto sizeless = Picture(Picture::fromFile(d.make("R40x30.bmp"))->bytes(), QSize());
    for (const QRect target : {QRect(0, 0, 400, 400), QRect(0, 0, 30000, 30000)}) {
        EXPECT_FALSE(canvas.paint(*tooLarge, target, PaintQuality::Fast));
        EXPECT_FALSE(canvas.paint(sizeless, target, PaintQuality::Fast));
    }
    EXPECT_EQ(scene(canvas.image()), "B");
}

// Photos as the camera meant them: each tag turns the picture, painted smaller than it is, at its
// size and larger, and in the panel's preview.
TEST(Orientation, EveryTagTurnsThePictureInTheShowAndInThePreview) {
    QImage stored(240, 160, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    QPainter(&stored).fillRect(0, 0, 120, 80, Qt::red);
    const QByteArray jpeg = encodedImage(stored, "JPG");
    DisplayHarness d;
    for (int tag = 1; tag <= 8; ++tag) {
        const QString path = d.file("photo.jpg", withOrientation(jpeg, tag));
        const Picture picture = Picture::fromFile(path).value_or(Picture());
        const QSize turned = tag >= 5 ? QSize(160, 240) : QSize(240, 160);
        ASSERT_EQ(picture.size(), turned);
        // The centres of the quarters, clockwise from the top left: the stored top-left corner
        // shows in quarter (tag - 1) % 4.
        QString expected = QStringLiteral("BBBB");
        expected[(tag - 1) % 4] = u'R';
        SlidePreview preview(nullptr);
        preview.resize(turned);
        ASSERT_TRUE(preview.showPicture(path));
        std::vector<QImage> shown{preview.pixmap().toImage()};
        for (const double scale : {0.5, 1.0, 1.5}) {
            Canvas canvas;
            canvas.resize(turned * scale, Qt::black);
            ASSERT_TRUE(canvas.paint(picture, canvas.rect(), PaintQuality::Smooth));
            shown.push_back(canvas.image());
        }
        for (const QImage& image : shown) {
            EXPECT_EQ(QString() + letterAt(image, 1, 1) + letterAt(image, 3, 1) +
                          letterAt(image, 3, 3) + letterAt(image, 1, 3),
                      expected)
                << "tag " << tag << ", " << image.width() << " wide";
        }
    }
}

}  // namespace
}  // namespace luma::test
