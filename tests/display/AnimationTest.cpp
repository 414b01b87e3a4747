#include "display/AnimationLoading.h"
#include "display/AnimationPlayer.h"
#include "display/SlideshowWindow.h"
#include "settings/SettingsRecord.h"
#include "support/DisplayHarness.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace luma::test {
namespace {

// A display shown in slideshow mode over one unreadable slide, so that the tests call
// loadAnimation and drive animationTimer themselves.
struct AnimationTest : testing::Test {
    DisplayHarness d;
    SlideshowWindow* w = nullptr;

    void SetUp() override {
        d.settings({{"Slides", "1"}, {"screensize", "1"}, {"BackColors", "16777215"}});
        d.slides({QStringLiteral("0")});
        w = d.start();
        ASSERT_NE(w, nullptr);
        w->state().slideTimer.setEnabled(false);
    }
    QString gif(const QString& name, std::vector<std::uint16_t> delays) {
        return d.file(name, solidAnimation(QSize(40, 30), kFrameColours, delays).encode());
    }
    QColor centre() const { return d.at(d.screen().width() / 2, d.screen().height() / 2); }
    QStringList tags() const {
        QStringList out;
        for (const FrameHolder& h : w->state().frameHolders) {
            out.append(h.tag);
        }
        return out;
    }
};

TEST_F(AnimationTest, SplitsOneTwoAndThreeFrames) {
    struct Case {
        std::vector<std::uint16_t> delays;
        QStringList tags;
        int lastFrame;
        bool runs;
    };
    // In this order each split also replaces a longer and a shorter one before it.
    const Case cases[] = {
        {{10, 20, 30}, {"100", "200", "300"}, 2, true},
        {{10}, {"100"}, 0, false},
        {{10, 20}, {"100", "200"}, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delays.size());
        w->state().animationTimer.setInterval(1000);
        w->state().currentFrame = 7;
        loadAnimation(w->state(), gif(QStringLiteral("a.gif"), c.delays));
        EXPECT_EQ(tags(), c.tags);
        EXPECT_EQ(w->state().lastFrame, c.lastFrame);
        EXPECT_EQ(w->state().currentFrame, 0);
        EXPECT_EQ(w->state().animationTimer.interval(), 100);
        EXPECT_EQ(w->state().animationTimer.isEnabled(), c.runs);
        EXPECT_EQ(w->state().currentPicture.size(), QSize(40, 30));
        for (const FrameHolder& h : w->state().frameHolders) {
            EXPECT_EQ(h.picture.size(), QSize(40, 30));
        }
    }
}

TEST_F(AnimationTest, DelaysOfZeroAndOfMoreThanTheTimerTakes) {
    w->state().animationTimer.setInterval(1000);
    loadAnimation(w->state(), gif(QStringLiteral("long.gif"), {65535, 10, 10}));
    EXPECT_EQ(w->state().frameHolders.front().tag, u"655350");
    EXPECT_EQ(w->state().animationTimer.interval(), 1000);  // 655350 is no 16-bit number: unchanged
    EXPECT_TRUE(w->state().animationTimer.isEnabled());

    loadAnimation(w->state(), gif(QStringLiteral("zero.gif"), {0, 10, 10}));
    EXPECT_EQ(w->state().frameHolders.front().tag, u"0");
    EXPECT_EQ(w->state().animationTimer.interval(), 0);
    EXPECT_TRUE(w->state().animationTimer.isEnabled());
    d.timers().advance(100000);
    EXPECT_EQ(w->state().currentFrame, 0);  // an interval of 0 never fires

    // A frame of 0 met while running halts the animation on the next frame.
    loadAnimation(w->state(), gif(QStringLiteral("halt.gif"), {10, 0, 10, 10}));
    d.timers().advance(100);
    EXPECT_EQ(w->state().currentFrame, 1);
    d.timers().advance(100000);
    EXPECT_EQ(w->state().currentFrame, 2);
}

TEST_F(AnimationTest, FramesFollowTheDelayOfTheFrameBefore) {
    // Delays 1000, 2000 and 3000 ms: frame 1 after 1000 ms, frame 2 a further 1000 ms later,
    // then 2000 ms through the wrapping tick and 3000 ms more until frame 1 comes again.
    d.settings({{"screensize", "1"}, {"delay", "60"}});
    const QString path = gif(QStringLiteral("timing.gif"), {100, 200, 300});
    d.slides({path, path});
    d.draws({0.0, 0.0});  // frame 0 at (1, 1), away from the centre
    w->showFirstSlide();
    ASSERT_TRUE(w->state().animationTimer.isEnabled());
    struct Moment {
        int at;
        int frame;
        QColor centre;
    };
    const Moment moments[] = {
        {999, 0, kWhite}, {1000, 1, kGreen}, {1999, 1, kGreen},  {2000, 2, kBlue},
        {3999, 2, kBlue}, {4000, 0, kBlue},  {6999, 0, kBlue},   {7000, 1, kGreen},
        {8000, 2, kBlue}, {10000, 0, kBlue}, {13000, 1, kGreen},
    };
    int now = 0;
    for (const Moment& m : moments) {
        d.timers().advance(m.at - now);
        now = m.at;
        EXPECT_EQ(w->state().currentFrame, m.frame) << m.at << " ms";
        EXPECT_EQ(centre(), m.centre) << m.at << " ms";
    }
}

TEST_F(AnimationTest, HidingTheWindowStopsTheAnimationAfterOneMoreFrame) {
    loadAnimation(w->state(), gif(QStringLiteral("a.gif"), {10, 10, 10}));
    d.timers().advance(100);
    EXPECT_EQ(centre(), kGreen);
    w->hideWindow();
    d.timers().advance(100);
    EXPECT_FALSE(w->state().animationTimer.isEnabled());
    EXPECT_EQ(w->state().currentFrame, 2);
    EXPECT_EQ(centre(), kBlue);
    d.timers().advance(1000);
    EXPECT_EQ(w->state().currentFrame, 2);
}

TEST_F(AnimationTest, AFrameThatDoesNotDecodeStopsTheAnimationOnTheLastFrame) {
    GifFile file = solidAnimation(QSize(40, 30), kFrameColours, {10, 10, 10});
    file.images[2].rawData = QByteArray("\x02\x01\xFF\x00", 4);  // sound blocks, no image
    loadAnimation(w->state(), d.file(QStringLiteral("bad.gif"), file.encode()));
    ASSERT_TRUE(w->state().animationTimer.isEnabled());
    d.timers().advance(100);
    EXPECT_EQ(centre(), kGreen);
    d.timers().advance(100);
    EXPECT_FALSE(w->state().animationTimer.isEnabled());
    EXPECT_EQ(centre(), kGreen);
}

TEST_F(AnimationTest, ATickThatCannotSetTheIntervalStopsTheAnimation) {
    for (const char* tag : {"x", "70000", "-5", ""}) {
        loadAnimation(w->state(), gif(QStringLiteral("a.gif"), {10, 10, 10}));
        d.timers().advance(100);
        ASSERT_EQ(w->state().currentFrame, 1);
        w->state().frameHolders[1].tag = QString::fromLatin1(tag);
        d.timers().advance(100);
        EXPECT_FALSE(w->state().animationTimer.isEnabled()) << tag;
        EXPECT_EQ(w->state().currentFrame, 1) << tag;
        EXPECT_EQ(centre(), kGreen) << tag;
    }
}

TEST_F(AnimationTest, AMissingFileOnlyEmptiesHolderZero) {
    loadAnimation(w->state(), gif(QStringLiteral("a.gif"), {10, 10, 10}));
    ASSERT_TRUE(w->state().animationTimer.isEnabled());
    QTemporaryDir hidden;
    const QString dotFile = hidden.filePath(QStringLiteral(".hidden.gif"));
    QFile::copy(d.path(QStringLiteral("a.gif")), dotFile);
    for (const QString& path : {d.path(QStringLiteral("none.gif")), QString(), dotFile}) {
        loadAnimation(w->state(), path);
        EXPECT_TRUE(w->state().frameHolders.front().picture.isEmpty()) << path.toStdString();
        EXPECT_EQ(w->state().frameHolders.size(), 3u) << path.toStdString();
        EXPECT_TRUE(w->state().animationTimer.isEnabled()) << path.toStdString();
        EXPECT_EQ(w->state().lastFrame, 2) << path.toStdString();
    }
}

TEST_F(AnimationTest, ABrokenFileLeavesTheAnimationOff) {
    loadAnimation(w->state(), gif(QStringLiteral("a.gif"), {10, 10, 10}));
    w->state().currentFrame = 1;
    const QByteArray good = solidAnimation(QSize(40, 30), kFrameColours, {10, 10, 10, 10}).encode();
    loadAnimation(w->state(), d.file(QStringLiteral("cut.gif"), good.left(good.size() - 20)));
    EXPECT_FALSE(w->state().animationTimer.isEnabled());
    EXPECT_EQ(w->state().frameHolders.size(), 3u);  // the sound frames before the break
    EXPECT_EQ(w->state().currentFrame, 1);
    EXPECT_EQ(w->state().lastFrame, 2);

    loadAnimation(w->state(),
                  d.file(QStringLiteral("jpeg.gif"), QByteArray("\xFF\xD8\xFF\xE0", 4)));
    EXPECT_FALSE(w->state().animationTimer.isEnabled());
    EXPECT_EQ(w->state().frameHolders.size(), 1u);
}

TEST_F(AnimationTest, AFirstFrameWithoutApplicationExtensionAnimatesItsOwnColours) {
    GifFile file = solidAnimation(
        QSize(40, 30), {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)},
        {10, 10, 10});
    file.loopExtension = false;
    loadAnimation(w->state(), d.file(QStringLiteral("plain.gif"), file.encode()));
    ASSERT_EQ(w->state().frameHolders.size(), 3u);
    d.timers().advance(100);
    EXPECT_EQ(centre(), kGreen);
    d.timers().advance(100);
    EXPECT_EQ(centre(), kBlue);
}

TEST_F(AnimationTest, NoScratchFileIsWrittenSoAReadOnlyFolderDoesNotMatter) {
    QTemporaryDir folder;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    loadAnimation(w->state(), gif(QStringLiteral("a.gif"), {10, 10, 10}));
    d.timers().advance(200);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir::setCurrent(before);
    EXPECT_EQ(w->state().currentFrame, 2);
    EXPECT_EQ(centre(), kBlue);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(FrameArea, FollowsThePaintingTable) {
    const QSize window(700, 500);
    const QPoint slide(20, 30);
    struct Case {
        const char* name;
        std::int16_t slides, screensize, slidesize;
        QSize frame, first;
        QRect area;
    };
    const Case cases[] = {
        {"slideshow, stretched", 1, 1, 2, {300, 200}, {50, 50}, {0, 0, 700, 500}},
        {"slideshow, 2 x 400 is too wide", 1, 0, 2, {400, 100}, {50, 50}, {0, 0, 700, 500}},
        {"slideshow, 2 x 300 fits", 1, 0, 2, {300, 100}, {50, 50}, {20, 30, 600, 200}},
        {"slideshow, each frame its size", 1, 0, 1, {120, 90}, {50, 50}, {20, 30, 120, 90}},
        {"single, stretched", 0, 1, 3, {300, 200}, {50, 50}, {0, 0, 700, 500}},
        {"single, at the size of frame 0", 0, 0, 3, {300, 200}, {50, 40}, {20, 30, 150, 120}},
        {"single, wide frames unstretched", 0, 0, 3, {400, 200}, {400, 40}, {20, 30, 1200, 120}},
    };
    for (const Case& c : cases) {
        SettingsRecord s;
        s.slides = c.slides;
        s.screenSize = c.screensize;
        s.slideSize = c.slidesize;
        EXPECT_EQ(frameArea(s, window, slide, c.frame, c.first), c.area) << c.name;
    }
}

}  // namespace
}  // namespace luma::test
