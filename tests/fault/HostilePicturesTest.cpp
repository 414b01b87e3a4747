// Pictures made to hurt: GIFs that announce 30000 x 30000 pixels and a JPEG of one byte, in the
// slide list of a show. Each fails to load like any broken file, the show goes on with the other
// slides, and memory stays bounded.
#include "support/GifWriter.h"
#include "support/Sanitizers.h"
#include "support/ShowFixture.h"

namespace luma::test {
namespace {

constexpr QSize kHuge(30000, 30000);
// One 30000 x 30000 image would take 3.4 GiB; AddressSanitizer holds on to freed memory a while.
constexpr long kBoundKib = (kAddressSanitizer ? 512 : 64) * 1024;

// A logical screen of 30000 x 30000 holding one small image.
QByteArray hugeScreen() {
    GifFile gif;
    gif.screen = kHuge;
    gif.palette = {qRgb(255, 255, 0), qRgb(0, 0, 0)};
    gif.images.push_back(solidImage({4, 4}, 0, 10));
    gif.images.push_back(solidImage({4, 4}, 1, 10));
    gif.images.push_back(solidImage({4, 4}, 0, 10));
    return gif.encode();
}

// An image of 30000 x 30000 whose data holds a few pixels.
QByteArray hugeImage() {
    GifFile gif;
    gif.screen = kHuge;
    gif.palette = {qRgb(255, 255, 0), qRgb(0, 0, 0)};
    GifImage image;
    image.size = kHuge;
    image.rawData = gifImageData(std::vector<std::uint8_t>(64, 0), 2, false);
    gif.images.push_back(image);
    return gif.encode();
}

// Only the header and the logical screen descriptor.
QByteArray hugeHeader() {
    QByteArray bytes = hugeScreen();
    bytes.truncate(13);
    return bytes;
}

class HostilePictures : public ShowFixture, public testing::WithParamInterface<const char*> {};

TEST_P(HostilePictures, AreSkippedAndTheShowGoesOn) {
    const QStringList slides = {
        writeStill(path(QStringLiteral("red.bmp")), Qt::red, {64, 48}, "BMP"),
        writeStill(path(QStringLiteral("green.jpg")), Qt::green, {64, 48}, "JPG"),
        writeBytes(path(QStringLiteral("huge screen.gif")), hugeScreen()),
        writeBytes(path(QStringLiteral("one byte.jpg")), QByteArray(1, '\xFF')),
        writeBytes(path(QStringLiteral("huge image.gif")), hugeImage()),
        writeBytes(path(QStringLiteral("huge header.gif")), hugeHeader()),
        writeStill(path(QStringLiteral("blue.bmp")), Qt::blue, {64, 48}, "BMP"),
    };
    ASSERT_FALSE(slides.contains(QString()));
    makeRig();
    rig->settings({{QStringLiteral("Slides"), QStringLiteral("1")},
                   {QStringLiteral("delay"), QStringLiteral("1")},
                   {QStringLiteral("animate"), QString::fromLatin1(GetParam())},
                   {QStringLiteral("screensize"), QStringLiteral("1")},
                   {QStringLiteral("Bsound"), QStringLiteral("0")},
                   {QStringLiteral("Mousesens"), QStringLiteral("15")}});
    rig->slides(slides);
    const long before = residentKib();
    rig->start();
    ASSERT_EQ(shown(), 'G');

    // Slides 3 to 6 fail: green is painted again (stretched, or at its size where a GIF with
    // animation was asked for), and nothing animates; then blue, red, green.
    QString seen;
    for (int s = 0; s < 2 * 7; ++s) {
        rig->run(1000);
        seen += QChar(shown());
        if (rig->program().slideIndex >= 3 && rig->program().slideIndex <= 6) {
            ASSERT_NE(rig->display(), nullptr);
            EXPECT_FALSE(rig->display()->state().animationTimer.isEnabled())
                << "slide " << rig->program().slideIndex;
        }
    }
    EXPECT_EQ(seen, u"GGGGBRGGGGGBRG");
    ASSERT_NE(rig->display(), nullptr);
    EXPECT_LT(residentKib() - before, kBoundKib) << "resident memory grew beyond bounds";
}

INSTANTIATE_TEST_SUITE_P(Animate, HostilePictures, testing::Values("1", "0"),
                         [](const auto& param) {
                             return std::string(param.param[0] == '1' ? "Animated" : "Still");
                         });

}  // namespace
}  // namespace luma::test
