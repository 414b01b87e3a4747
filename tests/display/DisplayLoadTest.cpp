#include "display/SlideshowWindow.h"
#include "support/DisplayHarness.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace luma::test {
namespace {

// Single-picture mode on `path`, with a slide list that must not be used.
void single(DisplayHarness& d, const QString& path,
            std::initializer_list<std::pair<const char*, const char*>> more = {}) {
    d.h.fakes.store->write(QStringLiteral("Settings"), QStringLiteral("AniFile"), path);
    d.settings({{"Slides", "0"}});
    d.settings(more);
    d.slides({d.picture("slide.bmp", Qt::blue, QSize(10, 10))});
}

struct DisplayLoadTest : testing::Test {
    DisplayHarness d;
    void single(const QString& path,
                std::initializer_list<std::pair<const char*, const char*>> more = {}) {
        test::single(d, path, more);
    }
};

TEST_F(DisplayLoadTest, MusicOnlyClosesTheWindowWhileItLoads) {
    d.settings({{"Slides", "1"}, {"MusicOnly", "1"}});
    d.slides({d.picture("a.bmp", kRed, QSize(10, 10))});
    EXPECT_EQ(d.display(), nullptr);
    EXPECT_EQ(d.h.program.displayIfLoaded(), nullptr);
    EXPECT_TRUE(d.windows.has(QStringLiteral("player stopAllMusic")));  // its unload ran
    EXPECT_FALSE(d.start());
}

TEST_F(DisplayLoadTest, CoversTheScreenWithoutBorder) {
    d.settings({{"Slides", "1"}});
    d.slides({d.picture("a.bmp", kRed, QSize(10, 10))});
    SlideshowWindow* w = d.display();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w->windowState().testFlag(Qt::WindowFullScreen));
    EXPECT_EQ(w->canvas().size(), w->size());
}

TEST_F(DisplayLoadTest, SensitivityBelowOneBecomesTwelve) {
    struct Case {
        const char* stored;
        int inMemory;
    };
    for (const Case c : {Case{"0", 12}, Case{"-3", 12}, Case{"1", 1}, Case{"15", 15}}) {
        DisplayHarness h;
        h.settings({{"Slides", "1"}, {"Mousesens", c.stored}});
        h.slides({h.picture("a.bmp", kRed, QSize(10, 10))});
        ASSERT_NE(h.display(), nullptr);
        EXPECT_EQ(h.program().settings.mouseSens, c.inMemory) << c.stored;
    }
}

TEST_F(DisplayLoadTest, SlideshowModeArmsTheTimerAndLeavesTheFirstSlideToTheCaller) {
    d.settings({{"Slides", "1"}, {"delay", "5"}, {"BackColors", "65280"}});
    d.slides({d.picture("a.bmp", kRed, QSize(10, 10)), d.picture("b.bmp", kRed, QSize(10, 10))});
    const int cursorBefore = d.program().cursor().count();
    SlideshowWindow* w = d.display();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->state().slideTimer.isEnabled());
    EXPECT_EQ(w->state().slideTimer.interval(), 5000);
    EXPECT_EQ(d.program().slideIndex, 1);
    EXPECT_EQ(d.program().slideCount, 2);
    EXPECT_FALSE(w->state().currentPicture.isEmpty());  // slide 1, loaded but not painted
    EXPECT_EQ(w->state().currentPicture.size(), QSize(10, 10));
    EXPECT_TRUE(w->isShown());
    EXPECT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kGreen));
    EXPECT_LT(d.program().cursor().count(), cursorBefore);
}

TEST_F(DisplayLoadTest, LoadPlacesTheSlidePositionInTheUpperLeftQuarter) {
    d.settings({{"Slides", "1"}});
    d.slides({d.picture("a.bmp", kRed, QSize(10, 10))});
    d.draws({0.0, 0.99999});
    SlideshowWindow* w = d.display();
    ASSERT_NE(w, nullptr);
    const QSize s = d.screen();
    EXPECT_EQ(w->state().slideX, 1);
    EXPECT_EQ(w->state().slideY, static_cast<int>(std::floor(s.height() / 2.0 * 0.99999 + 1)));
    EXPECT_LE(w->state().slideY, s.height() / 2);
}

TEST_F(DisplayLoadTest, ASinglePictureIsPaintedAtItsOwnSizeAtTheLoadPosition) {
    single(d.picture("one.bmp", kRed, QSize(60, 50)), {{"screensize", "0"}, {"Slidesize", "3"}});
    d.draws({0.5, 0.25});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isShown());
    const QSize s = d.screen();
    const QRect at(static_cast<int>(s.width() / 2.0 * 0.5 + 1),
                   static_cast<int>(s.height() / 2.0 * 0.25 + 1), 60, 50);
    EXPECT_TRUE(areaIs(w->canvas(), at, kRed));
    EXPECT_TRUE(areaIs(w->canvas(), QRect(at.right() + 1, at.top(), 1, 50), kBlack));
    // The sequencer does not run: the single picture stays.
    EXPECT_FALSE(w->state().slideTimer.isEnabled());
    d.timers().advance(60000);
    EXPECT_TRUE(areaIs(w->canvas(), at, kRed));
}

TEST_F(DisplayLoadTest, ASinglePictureCanBeStretched) {
    single(d.picture("one.jpg", kRed, QSize(60, 50), "JPG"), {{"screensize", "1"}});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kRed));
}

TEST_F(DisplayLoadTest, ATinySinglePictureOpensThePanel) {
    single(d.file("tiny.bmp", QByteArray(50, 'B')));
    SlideshowWindow* w = d.display();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(d.windows.has(QStringLiteral("panel show")));
    EXPECT_TRUE(w->state().currentPicture.isEmpty());
    EXPECT_FALSE(w->isShown());
}

TEST_F(DisplayLoadTest, AnUnusableSinglePictureFallsBackToTheBackground) {
    for (const QString& path :
         {d.path("missing.jpg"), d.file("text.jpg", QByteArray(300, 't')), QString()}) {
        DisplayHarness h;
        test::single(h, path);
        SlideshowWindow* w = h.display();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(h.windows.has(QStringLiteral("panel load"))) << path.toStdString();
        EXPECT_FALSE(h.windows.has(QStringLiteral("panel show"))) << path.toStdString();
        EXPECT_FALSE(w->isShown());
        // The caller shows it anyway: a screen of the background colour.
        ASSERT_EQ(h.start(), w);
        EXPECT_TRUE(w->isShown());
        EXPECT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kBlack));
    }
}

TEST_F(DisplayLoadTest, AMixedCaseGifNameIsAStill) {
    single(d.picture("still.Gif", kRed, QSize(40, 30), "GIF"),
           {{"animate", "1"}, {"screensize", "1"}});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->state().currentPicture.isEmpty());
    EXPECT_EQ(w->state().frameHolders.size(), 1u);
    EXPECT_TRUE(w->state().frameHolders.front().tag.isEmpty());  // the splitter never ran
    EXPECT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kRed));
}

TEST_F(DisplayLoadTest, AGifStillWithoutAnimationIsPaintedOrOpensThePanel) {
    const QString still = d.picture("still.gif", kRed, QSize(100, 100), "GIF");
    single(still, {{"animate", "0"}, {"screensize", "1"}});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kRed));

    DisplayHarness broken;
    QFile file(still);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    test::single(broken, broken.file("cut.gif", bytes.left(bytes.size() / 2)), {{"animate", "0"}});
    const int cursor = broken.program().cursor().count();
    SlideshowWindow* b = broken.display();
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->state().currentPicture.isEmpty());
    EXPECT_TRUE(broken.windows.has(QStringLiteral("panel show")));
    EXPECT_EQ(broken.program().cursor().count(), cursor + 1);
}

// Frame 0 of a single GIF is on screen as soon as the window shows, whether the GIF is still, too
// short to animate or animated; an animation then goes on to frame 1.
TEST_F(DisplayLoadTest, ASingleGifShowsItsFirstFrameAtOnce) {
    for (const int frames : {1, 2, 3}) {
        for (const bool stretched : {false, true}) {
            SCOPED_TRACE(testing::Message() << frames << " frames, stretched " << stretched);
            DisplayHarness h;
            const std::vector<std::uint16_t> delays(frames, 10);
            const GifFile gif = solidAnimation(QSize(30, 20), kFrameColours, delays);
            test::single(
                h, h.file("anim.gif", gif.encode()),
                {{"animate", "1"}, {"Slidesize", "1"}, {"screensize", stretched ? "1" : "0"}});
            SlideshowWindow* w = h.start();
            ASSERT_NE(w, nullptr);
            EXPECT_TRUE(w->isShown());
            const QRect area = stretched ? w->canvas().rect()
                                         : QRect(w->state().slideX, w->state().slideY, 30, 20);
            EXPECT_TRUE(areaIs(w->canvas(), area, kRed));
            EXPECT_EQ(w->state().animationTimer.isEnabled(), frames == 3);
            h.timers().advance(100);
            EXPECT_TRUE(areaIs(w->canvas(), area, frames == 3 ? kGreen : kRed));
        }
    }
}

// The single picture needs no slide list.
TEST_F(DisplayLoadTest, ASinglePictureShowsWithAnEmptySlideList) {
    struct Case {
        const char* name;
        const char* format;
        const char* animate;
    };
    for (const Case c :
         {Case{"one.bmp", "BMP", "0"}, Case{"one.gif", "GIF", "0"}, Case{"one.gif", "GIF", "1"}}) {
        SCOPED_TRACE(testing::Message() << c.name << " animate " << c.animate);
        DisplayHarness h;
        h.h.fakes.store->write(QStringLiteral("Settings"), QStringLiteral("AniFile"),
                               h.picture(c.name, kBlue, QSize(120, 120), c.format));
        h.settings({{"Slides", "0"}, {"screensize", "1"}, {"animate", c.animate}});
        SlideshowWindow* w = h.start();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isShown());
        EXPECT_FALSE(h.windows.has(QStringLiteral("panel load")));
        EXPECT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kBlue));
    }
}

TEST_F(DisplayLoadTest, UnloadStopsTheMusicAndShowsTheCursor) {
    d.settings({{"Slides", "1"}});
    d.slides({d.picture("a.bmp", kRed, QSize(10, 10))});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    const int cursor = d.program().cursor().count();
    d.program().unloadDisplay();
    EXPECT_TRUE(d.windows.has(QStringLiteral("player stopAllMusic")));
    EXPECT_GE(d.program().cursor().count(), cursor + 1);
    EXPECT_TRUE(d.program().cursor().isVisible());
    EXPECT_EQ(d.program().displayIfLoaded(), nullptr);
    EXPECT_FALSE(w->state().slideTimer.isEnabled());
}

TEST_F(DisplayLoadTest, BecomingActiveHidesTheCursor) {
    d.settings({{"Slides", "1"}});
    d.slides({d.picture("a.bmp", kRed, QSize(10, 10))});
    SlideshowWindow* w = d.display();
    ASSERT_NE(w, nullptr);
    const int cursor = d.program().cursor().count();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(w, &activate);
    EXPECT_EQ(d.program().cursor().count(), cursor - 1);
}

TEST_F(DisplayLoadTest, TheBackgroundColourClearsTheCanvas) {
    d.settings({{"Slides", "1"}, {"screensize", "1"}});
    d.slides({d.picture("a.bmp", kRed, QSize(10, 10))});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kRed));
    w->setBackgroundColour(16711680);
    EXPECT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kBlue));
}

}  // namespace
}  // namespace luma::test
