#include "display/SlideshowWindow.h"
#include "support/DisplayHarness.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cmath>
#include <set>

namespace luma::test {
namespace {

constexpr const char* kWhiteValue = "16777215";

struct SlideSequencerTest : testing::Test {
    DisplayHarness d;

    QStringList threeSlides(const char* format = "BMP") {
        const QString ext = QString::fromLatin1(format).toLower();
        return {d.picture("red." + ext, kRed, QSize(40, 30), format),
                d.picture("green." + ext, kGreen, QSize(40, 30), format),
                d.picture("blue." + ext, kBlue, QSize(40, 30), format)};
    }
    QColor centre() const {
        const QSize s = d.screen();
        return d.at(s.width() / 2, s.height() / 2);
    }
    // Int((extent / 1.5) * r + 1), the position a step draws.
    static int stepPosition(int extent, double r) {
        return static_cast<int>(std::floor(extent / 1.5 * r + 1));
    }
};

TEST_F(SlideSequencerTest, ListOrderShowsSlideTwoFirstThenWraps) {
    d.settings({{"Slides", "1"}, {"screensize", "1"}, {"delay", "1"}, {"Mousesens", "15"}});
    d.slides(threeSlides());
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isShown());

    std::vector<int> indexes{d.program().slideIndex};
    std::vector<QColor> colours{centre()};
    for (int i = 0; i < 4; ++i) {
        d.timers().advance(1000);
        indexes.push_back(d.program().slideIndex);
        colours.push_back(centre());
    }
    EXPECT_EQ(indexes, (std::vector<int>{2, 3, 1, 2, 3}));
    EXPECT_EQ(colours, (std::vector<QColor>{kGreen, kBlue, kRed, kGreen, kBlue}));
}

TEST_F(SlideSequencerTest, TheNextStepComesOneFullDelayLater) {
    d.settings({{"Slides", "1"}, {"delay", "7"}});
    d.slides(threeSlides());
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->state().slideTimer.interval(), 7000);
    EXPECT_EQ(d.timers().remaining(w->state().slideTimer), 7000);
    d.timers().advance(6999);
    EXPECT_EQ(d.program().slideIndex, 2);
    d.timers().advance(1);
    EXPECT_EQ(d.program().slideIndex, 3);
    EXPECT_EQ(d.timers().remaining(w->state().slideTimer), 7000);
}

TEST_F(SlideSequencerTest, DelayIsReadAfreshAtEveryStep) {
    struct Case {
        const char* delay;
        int interval;
    };
    // 2.5 rounds to 2; beyond the timer's range waits the longest it can; text changes nothing.
    const Case cases[] = {{"3", 3000}, {"2.5", 2000}, {"70", 65535}, {"abc", 3000}, {"-4", 3000}};
    d.settings({{"Slides", "1"}, {"delay", "3"}});
    d.slides(threeSlides());
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    for (const Case& c : cases) {
        d.h.fakes.store->write(QStringLiteral("Settings"), QStringLiteral("delay"),
                               QString::fromLatin1(c.delay));
        w->showFirstSlide();
        EXPECT_EQ(w->state().slideTimer.interval(), c.interval) << c.delay;
        d.settings({{"delay", "3"}});
        w->showFirstSlide();
    }
}

TEST_F(SlideSequencerTest, RandomOrderCanReachEverySlideIncludingTheCurrentOne) {
    d.settings({{"Slides", "1"}, {"Random order", "1"}, {"delay", "1"}});
    d.slides(threeSlides() + QStringList{d.picture("white.bmp", kWhite, QSize(8, 8))});
    // Load: two positions. Each step: two positions, then the slide draw Int(r * 4 + 1).
    d.draws({0.5, 0.5, 0.1, 0.1, 0.0, 0.1, 0.1, 0.999, 0.1, 0.1, 0.76});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(d.program().slideIndex, 1);
    d.timers().advance(1000);
    EXPECT_EQ(d.program().slideIndex, 4);
    d.timers().advance(1000);
    EXPECT_EQ(d.program().slideIndex, 4);
    EXPECT_EQ(d.h.fakes.random->reseeds, 6);  // twice per step in random order

    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        d.timers().advance(1000);
        seen.insert(d.program().slideIndex);
    }
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4}));
}

TEST_F(SlideSequencerTest, StretchedOrAtItsSizeTimesSlidesize) {
    struct Case {
        const char* screensize;
        const char* slidesize;
        bool stretched;
        int multiplier;
    };
    const Case cases[] = {
        {"1", "1", true, 0},  {"1", "3", true, 0},  {"0", "1", false, 1},
        {"0", "2", false, 2}, {"0", "3", false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("screensize ") + c.screensize + ", Slidesize " + c.slidesize);
        DisplayHarness h;
        h.settings({{"Slides", "1"}, {"screensize", c.screensize}, {"BackColors", kWhiteValue}});
        h.h.fakes.store->write(QStringLiteral("Settings"), QStringLiteral("Slidesize"),
                               QString::fromLatin1(c.slidesize));
        const QString red = h.picture("red.bmp", kRed, QSize(100, 80));
        h.slides({red, red});
        h.draws({0.5, 0.5, 0.2, 0.3});
        SlideshowWindow* w = h.start();
        ASSERT_NE(w, nullptr);
        const QImage& canvas = w->canvas();
        const QSize screen = h.screen();
        EXPECT_EQ(canvas.size(), screen);
        if (c.stretched) {
            EXPECT_TRUE(areaIs(canvas, canvas.rect(), kRed));
            continue;
        }
        const int x = stepPosition(screen.width(), 0.2);
        const int y = stepPosition(screen.height(), 0.3);
        EXPECT_EQ(w->state().slideX, x);
        EXPECT_EQ(w->state().slideY, y);
        const QRect painted(x, y, 100 * c.multiplier, 80 * c.multiplier);
        EXPECT_TRUE(areaIs(canvas, painted, kRed));
        EXPECT_TRUE(areaIs(canvas, QRect(x + painted.width(), y, 1, painted.height()), kWhite));
        EXPECT_TRUE(areaIs(canvas, QRect(x, y + painted.height(), painted.width(), 1), kWhite));
        EXPECT_TRUE(areaIs(canvas, QRect(0, 0, x, screen.height()), kWhite));
    }
}

TEST_F(SlideSequencerTest, ADeletedSlideRepaintsThePreviousPictureAtTheNewPlace) {
    d.settings({{"Slides", "1"}, {"delay", "2"}, {"BackColors", kWhiteValue}});
    const QStringList slides = threeSlides();
    d.slides(slides);
    d.draws({0.5, 0.5, 0.0, 0.0, 0.9, 0.9});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(areaIs(w->canvas(), QRect(1, 1, 40, 30), kGreen));

    ASSERT_TRUE(QFile::remove(slides[2]));
    d.timers().advance(2000);
    EXPECT_EQ(d.program().slideIndex, 3);
    const QSize s = d.screen();
    const QRect moved(stepPosition(s.width(), 0.9), stepPosition(s.height(), 0.9), 40, 30);
    EXPECT_TRUE(areaIs(w->canvas(), moved, kGreen));
    EXPECT_TRUE(areaIs(w->canvas(), QRect(1, 1, 40, 30), kWhite));
    // The previous picture stays for the whole interval; then the show goes on.
    EXPECT_EQ(d.timers().remaining(w->state().slideTimer), 2000);
    d.timers().advance(2000);
    EXPECT_EQ(d.program().slideIndex, 1);
}

TEST_F(SlideSequencerTest, BadPicturesAreSkippedAsFailedLoadsAndTheShowGoesOn) {
    QImage blue(200, 150, QImage::Format_RGB32);
    blue.fill(kBlue);
    const QByteArray jpeg = encodedImage(blue, "JPG");
    GifFile broken = solidAnimation(QSize(60, 60), {kBlue.rgb(), kBlack.rgb()}, {10, 10});
    broken.literalCodes = true;
    GifFile huge = solidAnimation(QSize(30000, 30000), {kBlue.rgb(), kBlack.rgb()}, {});
    for (int i = 0; i < 3; ++i) {
        huge.images.push_back(solidImage(QSize(4, 4), 0, 10));
    }
    QDir(d.path({})).mkdir(QStringLiteral("folder.jpg"));
    struct Case {
        const char* name;
        QString path;
    };
    const Case cases[] = {
        {"cut-off JPEG", d.file("cut.jpg", jpeg.left(jpeg.size() / 2))},
        {"one-byte JPEG", d.file("one.jpg", jpeg.left(1))},
        {"broken GIF", d.file("broken.gif", broken.encode().left(200))},
        {"30000 x 30000 GIF", d.file("huge.gif", huge.encode())},
        {"text named .bmp", d.file("text.bmp", QByteArray(500, 'x'))},
        {"folder", d.path("folder.jpg")},
        {"missing file", d.path("nothing.bmp")},
        {"missing entry", QStringLiteral("0")},
        {"empty path", QString()},
    };
    for (const char* animate : {"1", "0"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", animate " + animate);
            DisplayHarness h;
            h.settings(
                {{"Slides", "1"}, {"screensize", "1"}, {"animate", animate}, {"delay", "1"}});
            const QString red = h.picture("red.bmp", kRed, QSize(40, 30));
            h.slides({red, c.path, red});
            SlideshowWindow* w = h.start();
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(h.program().slideIndex, 2);
            // Slide 1 again, at the new place (stretched, or at its size for a GIF slide).
            EXPECT_TRUE(
                areaIs(w->canvas(), QRect(w->state().slideX, w->state().slideY, 40, 30), kRed));
            if (qstrcmp(animate, "1") == 0) {
                EXPECT_FALSE(w->state().animationTimer.isEnabled());
            }
            h.timers().advance(1000);
            EXPECT_EQ(h.program().slideIndex, 3);
            EXPECT_TRUE(w->state().slideTimer.isEnabled());
        }
    }
}

TEST_F(SlideSequencerTest, TheChimeRingsOncePerStepAlsoForAFailedSlide) {
    d.settings({{"Slides", "1"}, {"Asound", "1"}, {"delay", "1"}});
    QStringList slides = threeSlides();
    slides[2] = d.path("gone.bmp");
    d.slides(slides);
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    d.timers().advance(3000);
    const QStringList chime{"open waveaudio!chimes.wav alias sound", "play sound"};
    EXPECT_EQ(d.h.fakes.media->commands(), chime + chime + chime + chime);

    DisplayHarness quiet;
    quiet.settings({{"Slides", "1"}, {"Asound", "0"}, {"delay", "1"}});
    quiet.slides(threeSlides());
    ASSERT_NE(quiet.start(), nullptr);
    quiet.timers().advance(3000);
    EXPECT_TRUE(quiet.h.fakes.media->commands().isEmpty());
}

TEST_F(SlideSequencerTest, OneSlideIsRepaintedAtANewPlaceEveryStep) {
    d.settings({{"Slides", "1"}, {"delay", "1"}, {"BackColors", kWhiteValue}});
    d.slides({d.picture("red.bmp", kRed, QSize(30, 30))});
    d.draws({0.5, 0.5, 0.0, 0.0, 0.5, 0.5});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(areaIs(w->canvas(), QRect(1, 1, 30, 30), kRed));
    d.timers().advance(1000);
    EXPECT_EQ(d.program().slideIndex, 1);
    EXPECT_TRUE(areaIs(w->canvas(), QRect(1, 1, 30, 30), kWhite));
    EXPECT_TRUE(areaIs(w->canvas(), QRect(w->state().slideX, w->state().slideY, 30, 30), kRed));
}

TEST_F(SlideSequencerTest, AnEmptyListShowsOnlyTheBackgroundColour) {
    d.settings({{"Slides", "1"}, {"BackColors", "255"}});
    d.slides({});
    // A stale item of an earlier, longer list is not read: the list ends at its count.
    d.h.fakes.store->write(QStringLiteral("pictures"), QStringLiteral("1"),
                           d.picture("blue.bmp", kBlue, QSize(40, 30)));
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isShown());
    EXPECT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kRed));
    EXPECT_TRUE(d.windows.has(QStringLiteral("panel load")));
    EXPECT_FALSE(d.windows.has(QStringLiteral("panel show")));
}

TEST_F(SlideSequencerTest, AnAnimatedSlideStartsAtItsSizeEvenWhenStretchingAndThenRuns) {
    d.settings({{"Slides", "1"},
                {"screensize", "1"},
                {"Slidesize", "2"},
                {"delay", "60"},
                {"BackColors", kWhiteValue}});
    const GifFile gif = solidAnimation(QSize(50, 40), kFrameColours, {50, 50, 50});
    const QString path = d.file("anim.gif", gif.encode());
    d.slides({path, path});
    d.draws({0.5, 0.5, 0.25, 0.25});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    const QRect first(w->state().slideX, w->state().slideY, 100, 80);
    EXPECT_TRUE(areaIs(w->canvas(), first, kRed));
    EXPECT_TRUE(areaIs(w->canvas(), QRect(0, 0, w->state().slideX, 10), kWhite));
    EXPECT_TRUE(w->state().animationTimer.isEnabled());
    d.timers().advance(500);
    EXPECT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kGreen));  // frames are stretched
}

}  // namespace
}  // namespace luma::test
