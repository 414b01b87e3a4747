// Photos as the camera meant them: each of the eight orientation tags turns the picture in the
// show (stretched and at its size) and in the panel's preview.
#include "panel/SlidePreview.h"
#include "support/DisplayHarness.h"
#include "support/OrientedJpeg.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPixmap>

namespace luma::test {
namespace {

enum Corner { TopLeft, TopRight, BottomRight, BottomLeft };

// Where the stored top-left corner shows for each tag (1 to 8), and whether the tag turns the
// picture on its side.
struct Tag {
    int orientation;
    Corner redCorner;
    bool sideways;
};
constexpr Tag kTags[] = {{1, TopLeft, false},    {2, TopRight, false}, {3, BottomRight, false},
                         {4, BottomLeft, false}, {5, TopLeft, true},   {6, TopRight, true},
                         {7, BottomRight, true}, {8, BottomLeft, true}};

// The centre of each quarter of `area`, red in the quarter of `red` and blue elsewhere.
void expectQuarters(const QImage& image, QRect area, Corner red) {
    const QPoint centres[] = {
        {area.left() + area.width() / 4, area.top() + area.height() / 4},
        {area.left() + 3 * area.width() / 4, area.top() + area.height() / 4},
        {area.left() + 3 * area.width() / 4, area.top() + 3 * area.height() / 4},
        {area.left() + area.width() / 4, area.top() + 3 * area.height() / 4}};
    for (int corner = TopLeft; corner <= BottomLeft; ++corner) {
        const QColor shown = image.pixelColor(centres[corner]);
        EXPECT_TRUE(sameColour(shown, corner == red ? kRed : kBlue, 12))
            << "quarter " << corner << " is " << shown.name().toStdString();
    }
}

TEST(Orientation, EveryTagTurnsThePictureInTheShowAndInThePreview) {
    QImage stored(240, 160, QImage::Format_RGB32);
    stored.fill(kBlue);
    QPainter(&stored).fillRect(0, 0, 120, 80, kRed);
    const QByteArray jpeg = encodedImage(stored, "JPG");
    for (const Tag& tag : kTags) {
        SCOPED_TRACE(testing::Message() << "orientation " << tag.orientation);
        for (const char* stretched : {"1", "0"}) {
            DisplayHarness d;
            const QString path =
                d.file(QStringLiteral("photo.jpg"), withOrientation(jpeg, tag.orientation));
            d.settings({{"Slides", "1"}, {"screensize", stretched}, {"Slidesize", "1"}});
            d.slides({path});
            d.draws({0, 0, 0, 0});  // the slide at (1, 1), whole on the screen
            SlideshowWindow* w = d.start();
            ASSERT_NE(w, nullptr);
            const QSize turned = tag.sideways ? QSize(160, 240) : QSize(240, 160);
            EXPECT_EQ(w->state().currentPicture.size(), turned);
            const QRect area = *stretched == '1'
                                   ? w->canvas().rect()
                                   : QRect(QPoint(w->state().slideX, w->state().slideY), turned);
            expectQuarters(w->canvas(), area, tag.redCorner);
        }

        DisplayHarness d;
        const QString path =
            d.file(QStringLiteral("photo.jpg"), withOrientation(jpeg, tag.orientation));
        SlidePreview preview(nullptr);
        preview.resize(200, 150);
        ASSERT_TRUE(preview.showPicture(path));
        const QImage shown = preview.pixmap().toImage();
        expectQuarters(shown, shown.rect(), tag.redCorner);
    }
}

}  // namespace
}  // namespace luma::test
