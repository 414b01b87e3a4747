// The show in the display window on the 800 x 800 screen, over fakes and the manual clock: the
// load procedure in slideshow and single-picture mode, the slide steps, animated GIFs and their
// frames, and the user input that ends the show. A load draws each coordinate of the slide
// position as Int(400 * r + 1), a step as Int(533.3 * r + 1).
#include "display/AnimationLoading.h"
#include "support/DisplayHarness.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include <functional>

namespace luma::test {
namespace {

// How many times the colour changes from one column to the next along the middle row.
int changes(const QImage& image) {
    int n = 0;
    for (int x = 1; x < image.width(); ++x) {
        n += image.pixel(x, image.height() / 2) != image.pixel(x - 1, image.height() / 2);
    }
    return n;
}

// What the second monitor (400 x 300 at a device pixel ratio of 2) shows when it shows slides or
// anything but the background: " + " its scene, canvas size and colour changes along a row.
QString secondMonitor(DisplayHarness& d) {
    ScreenView& side = *d.loaded()->views().back();
    const QImage canvas = side.state().canvas.image();
    const QImage shown = side.grab().toImage();
    EXPECT_EQ(scene(shown) + QString::number(changes(shown)),
              scene(canvas) + QString::number(changes(canvas)))
        << "the window shows the canvas pixel for pixel";
    if (d.program().settings.everyMonitor == 0 && scene(canvas).isEmpty()) {
        return {};
    }
    return " + " + (scene(canvas).isEmpty() ? "-" : scene(canvas)) +
           QString::asprintf(" %dx%d %d", canvas.width(), canvas.height(), changes(canvas));
}

// The show at one moment: the slide index, the scene ("-" for none), the second monitor's, "~N"
// while it animates with N frames decoded so far, the chimes rung, "panel" when the panel shows;
// and whether the windows show the scenes.
QString moment(DisplayHarness& d) {
    if (d.loaded() == nullptr) {
        return QStringLiteral("no display");
    }
    const QString window = scene(d.loaded()->view().grab().toImage());
    const QString scene = d.scene().isEmpty() ? QStringLiteral("-") : d.scene();
    EXPECT_EQ(window, d.scene()) << "the window shows the canvas";
    const qsizetype chimes = d.h.fakes.media->commands().count("play sound");
    return QString::number(d.program().slideIndex) + u' ' + scene + secondMonitor(d) +
           (d.loaded()->state().animationTimer.isEnabled()
                ? " ~" + QString::number(d.decoder->started)
                : QString()) +
           (chimes > 0 ? " chime " + QString::number(chimes) : QString()) +
           (d.windows.has("panel show") ? " panel" : "");
}

// Each show is "settings / slides made by DisplayHarness::make() / random numbers, before zeros /
// the milliseconds between its moments", and then its moments. Beside the 800 x 800 monitor is a
// second one, which shows slides only with "EveryMonitor".
TEST(Show, RunsAsItsSettingsSay) {
    const std::pair<const char*, const char*> shows[] = {
        // List order from slide 2 on, one delay apart; a GIF slide at its size.
        {"Slides=1;screensize=1;delay=7;animate=1 / R40x30.bmp G40x30.jpg B40x30.gif / / 6999 1 "
         "7000 7000 7000",
         "2 G | 2 G | 3 B 1,1 40x30 | 1 R | 2 G | 3 B 1,1 40x30"},
        // The frames of an animated slide stretched, frame 0 at its size times "Slidesize": each
        // frame follows the delay of the one before, the wrapping tick paints nothing.
        {"Slides=1;screensize=1;Slidesize=2;delay=60 / A3x100.gif A3x100.gif / / 999 1 999 1 1999 "
         "1 2999 1",
         "2 R 1,1 60x40 ~2 | 2 R 1,1 60x40 ~2 | 2 G ~2 | 2 G ~2 | 2 B ~2 | 2 B ~2 | 2 B ~2 | "
         "2 B ~2 | 2 G ~2"},
        // Frames too wide at their size times "Slidesize" are stretched; frame 0 is not.
        {"Slides=1;Slidesize=30;delay=60 / A3.gif A3.gif / / 100", "2 R 1,1 799x600 ~2 | 2 G ~2"},
        // "delay" in seconds: 2.5 rounds to 2; beyond the timer's range it waits the longest it
        // can; text changes nothing. The chime rings at each step, also for a failed slide.
        {"Slides=1;delay=2.5;Asound=1 / R9x9.bmp none.bmp / / 1999 1 1999 1",
         "2 R 1,1 9x9 chime 1 | 2 R 1,1 9x9 chime 1 | 1 R 1,1 9x9 chime 2 | 1 R 1,1 9x9 chime 2 | "
         "2 R 1,1 9x9 chime 3"},
        {"Slides=1;delay=70 / R9x9.bmp G9x9.bmp / / 65534 1",
         "2 G 1,1 9x9 | 2 G 1,1 9x9 | 1 R 1,1 9x9"},
        {"Slides=1;delay=abc / R9x9.bmp G9x9.bmp / / 999 1",
         "2 G 1,1 9x9 | 2 G 1,1 9x9 | 1 R 1,1 9x9"},
        // Stretched, or at the slide position at its size times "Slidesize"; painted smaller
        // than it is, and partly off the screen.
        {"Slides=1;Slidesize=3 / R100x80.bmp R100x80.bmp / .5 .5 .2 .3 /", "2 R 107,161 300x240"},
        {"Slides=1;screensize=1 / H1600x1200.jpg H1600x1200.jpg / /",
         "2 R 0,0 400x800, B 400,0 400x800"},
        {"Slides=1;Slidesize=2 / H200x100.bmp H200x100.bmp / .5 .5 .99 .5 /",
         "2 R 529,267 199x200, B 730,267 70x200"},
        // A slide that does not load leaves the previous picture, painted again at the new place:
        // stretched, or at its size where a GIF was to animate.
        {"Slides=1;delay=2 / G40x30.bmp B40x30.bmp missing.bmp / .5 .5 0 0 .9 .9 / 2000 2000",
         "2 B 1,1 40x30 | 3 B 481,481 40x30 | 1 G 1,1 40x30"},
        {"Slides=1;screensize=1;delay=1;animate=1 / R40x30.bmp X.gif X.bmp Z30000x30000.gif "
         "none.jpg 0 - / / 1000 1000 1000 1000 1000 1000",
         "2 R 1,1 40x30 | 3 R | 4 R 1,1 40x30 | 5 R | 6 R | 7 R | 1 R"},
        // An empty list: only the background colour, on both monitors; the panel loads unseen.
        {"Slides=1;BackColors=255 / / /", "1 R + R 800x600 0"},
        // Random order, which can draw the current slide again.
        {"Slides=1;Random order=1;screensize=1;delay=1 / R9x9.bmp G9x9.bmp B9x9.bmp G9x9.bmp / "
         ".5 .5 0 0 0 0 0 .999 0 0 .76 0 0 .5 / 1000 1000 1000",
         "1 R | 4 G | 4 G | 3 B"},
        // On both monitors, each in its device pixels, one picture pixel to one device pixel: the
        // second the entry after the first's, the list repeating when short, or a draw of its own.
        {"Slides=1;EveryMonitor=1;screensize=1;delay=1;Asound=1 / R9x9.bmp G9x9.bmp B9x9.bmp / / "
         "1000",
         "3 G + B 800x600 0 chime 1 | 2 R + G 800x600 0 chime 2"},
        {"Slides=1;EveryMonitor=1;screensize=1 / R9x9.bmp / /", "1 R + R 800x600 0"},
        {"Slides=1;EveryMonitor=1;Random order=1;screensize=1 / R9x9.bmp G9x9.bmp B9x9.bmp / 0 0 "
         "0 0 .9 0 0 .2 /",
         "1 B + R 800x600 0"},
        {"Slides=1;EveryMonitor=1;screensize=1 / S800x600.bmp / /",
         "1 R 0,0 799x800, B 1,0 799x800 + R 0,0 799x600, B 1,0 799x600 800x600 799"},
        {"Slides=1;EveryMonitor=1 / S800x600.bmp / /",
         "1 R 1,1 799x600, B 2,1 797x600 + R 1,1 799x599, B 2,1 797x599 800x600 799"},
        // The music-only setting closes the display while it loads.
        {"Slides=1;MusicOnly=1 / R40x30.bmp / /", "no display"},
        // A single picture alone, without the slide list or the slide timer: at its own size at
        // the load position, or stretched; animated when it is a .gif or .GIF and "animate" is 1,
        // frame 0 at once where the animation paints its frames.
        {"Slides=0;AniFile=R60x50.bmp;Slidesize=3 / B9x9.bmp / .5 .25 / 60000",
         "0 R 201,101 60x50 | 0 R 201,101 60x50"},
        {"Slides=0;AniFile=R100x100.gif;animate=0;screensize=1 / / /", "0 R"},
        {"Slides=0;AniFile=A3.gif;animate=1;Slidesize=2 / B9x9.bmp / .5 .25 / 100",
         "0 R 201,101 60x40 ~2 | 0 G 201,101 60x40 ~2"},
        {"Slides=0;AniFile=A3.gif;animate=1;screensize=1 / / / 100", "0 R ~2 | 0 G ~2"},
        {"Slides=0;AniFile=A2.gif;animate=1 / / .5 .25 / 100",
         "0 R 201,101 30x20 | 0 R 201,101 30x20"},
        // A single picture under 101 bytes, or a GIF that yields nothing, shows the panel; one
        // missing or that does not load leaves only the background colour.
        {"Slides=0;AniFile=R1x1.bmp / / /", "0 - panel"},
        {"Slides=0;AniFile=X.gif / / /", "0 - panel"},
        {"Slides=0;AniFile=X.jpg / / /", "0 -"},
        {"Slides=0;AniFile=none.jpg / / /", "0 -"},
        {"Slides=0;AniFile=- / / /", "0 -"},
    };
    for (const auto& [show, moments] : shows) {
        SCOPED_TRACE(show);
        const QStringList parts = QString::fromLatin1(show).split(QStringLiteral(" /"));
        DisplayHarness d;
        d.settings(parts[0]);
        d.slides(parts[1]);
        for (const QString& r : parts[2].split(u' ', Qt::SkipEmptyParts)) {
            d.draws({r.toDouble()});
        }
        d.draws(std::vector<double>(40, 0.0));
        d.start();
        QStringList film{moment(d)};
        for (const QString& ms : parts[3].split(u' ', Qt::SkipEmptyParts)) {
            d.timers().advance(ms.toInt());
            film.append(moment(d));
        }
        EXPECT_EQ(film.join(QStringLiteral(" | ")), QString::fromLatin1(moments));
    }
}

// Full screen without border, the timer armed, slide 1 loaded but left to the caller to paint, the
// background colour, the slide position in the upper left quarter, a sensitivity below 1 taken as
// 12, the cursor hidden while the show is up and active.
TEST(DisplayLoad, SlideshowModeArmsTheTimerAndLeavesTheFirstSlideToTheCaller) {
    for (const auto& [stored, sensitivity] : std::initializer_list<std::pair<const char*, int>>{
             {"0", 12}, {"-3", 12}, {"1", 1}, {"15", 15}}) {
        DisplayHarness d;
        d.settings(QStringLiteral("Slides=1;delay=5;BackColors=65280;Mousesens=") + stored);
        d.slides("R10x10.bmp R9x9.bmp");
        d.draws({0.0, 0.99999});
        SlideshowWindow* w = d.display();
        ASSERT_NE(w, nullptr);
        QCoreApplication::processEvents();
        EXPECT_EQ(d.program().settings.mouseSens, sensitivity) << stored;
        EXPECT_EQ(w->view().geometry(), QRect(0, 0, 800, 800));
        EXPECT_TRUE(w->view().windowFlags().testFlag(Qt::FramelessWindowHint) &&
                    w->view().windowState().testFlag(Qt::WindowFullScreen));
        EXPECT_EQ(w->slideTimer().isEnabled() ? w->slideTimer().interval() : 0, 5000);
        EXPECT_EQ(QPoint(d.program().slideIndex, d.program().slideCount), QPoint(1, 2));
        EXPECT_EQ(w->state().currentPicture.size(), QSize(10, 10));
        EXPECT_TRUE(w->isShown() && w->view().isActiveWindow());
        EXPECT_EQ(d.scene(), "G");
        EXPECT_EQ(w->state().slidePosition(), QPoint(1, 400));
        EXPECT_EQ(d.program().cursor().count(), -2) << "hidden when shown and when active";
    }
}

// The canvas keeps the window's size: what was drawn stays, what the window gains takes the
// background colour, and a new background colour clears it.
TEST(DisplayLoad, TheCanvasFollowsTheWindow) {
    DisplayHarness d;
    d.settings("Slides=1;screensize=1;BackColors=255");
    d.slides("B9x9.bmp G9x9.bmp");
    SlideshowWindow* w = d.start();
    w->view().resize(300, 200);
    w->view().resize(400, 300);
    EXPECT_EQ(d.scene(), "R, G 0,0 300x200");
    w->setBackgroundColour(16711680);
    EXPECT_EQ(d.scene(), "B");
}

// A display shown in slideshow mode over one unreadable slide, so that the tests call
// loadAnimation and drive animationTimer themselves.
struct AnimationTest : testing::Test {
    DisplayHarness d;
    SlideshowWindow* w = nullptr;
    ShowState* show = nullptr;

    void SetUp() override {
        d.settings("Slides=1;screensize=1;Slidesize=2;delay=60");
        d.slides("0");
        d.draws(std::vector<double>(6, 0.0));  // the slide position (1, 1)
        w = d.start();
        ASSERT_NE(w, nullptr);
        show = &w->state();
    }
    // A new file of 40 x 30 frames.
    QString gif(const std::vector<std::uint16_t>& delays, const QString& name = {}) {
        const QString file = name + QString::number(++files) + ".gif";
        return d.file(file, solidAnimation({40, 30}, kFrameColours, delays).encode());
    }
    int files = 0;
};

// Each frame goes into a holder tagged with its delay in milliseconds; three frames or more
// animate at frame 0's delay. A missing or hidden file leaves the running animation as it was
// (holder 0 emptied); one that is no GIF or breaks off keeps its sound frames, if any, and stops
// it.
TEST_F(AnimationTest, SplitsTheFramesIntoHoldersTaggedWithTheirDelays) {
    const QByteArray four = solidAnimation({40, 30}, kFrameColours, {10, 10, 10, 10}).encode();
    const QString hidden = gif({10, 10, 10}, ".hidden");
    // (file, tags, first holder kept, frame, last frame, interval, animates), each after an
    // animation of delays 20 runs on frame 1
    for (const auto& [path, tags, kept, frame, last, interval, runs] :
         std::vector<std::tuple<QString, const char*, bool, int, int, int, bool>>{
             {gif({10, 20, 30}), "100 200 300", true, 0, 2, 100, true},
             {gif({10, 20}), "100 200", true, 0, 1, 100, false},
             {gif({65535, 10, 10}), "655350 100 100", true, 0, 2, 200, true},  // no interval
             {gif({0, 10, 10}), "0 100 100", true, 0, 2, 0, true},
             {d.path("none.gif"), "200 200 200", false, 1, 2, 200, true},
             {hidden, "200 200 200", false, 1, 2, 200, true},
             {d.file("cut.gif", four.left(four.size() - 20)), "100 100 100", true, 1, 2, 200,
              false},
             {d.file("jpeg.gif", QByteArray("\xFF\xD8\xFF\xE0", 4)), "200", false, 1, 2, 200,
              false}}) {
        SCOPED_TRACE(tags);
        loadAnimation(*show, gif({20, 20, 20}));
        d.timers().advance(200);
        ASSERT_EQ(show->currentFrame, 1);
        loadAnimation(*show, path);
        QStringList split;
        for (const FrameHolder& h : show->frameHolders) {
            split.append(h.tag);
            EXPECT_EQ(h.picture.size(), h.picture.isEmpty() ? QSize() : QSize(40, 30));
        }
        EXPECT_EQ(split.join(u' '), QString::fromLatin1(tags));
        EXPECT_EQ(show->frameHolders.front().picture.isEmpty(), !kept);
        EXPECT_EQ(QPoint(show->currentFrame, show->lastFrame), QPoint(frame, last));
        EXPECT_EQ(show->animationTimer.interval(), interval);
        EXPECT_EQ(show->animationTimer.isEnabled(), runs);
        EXPECT_EQ(show->currentPicture.size(), QSize(40, 30));
    }
}

// A tick that fails stops the animation and leaves the last frame shown; a hidden window gets one
// more frame.
TEST_F(AnimationTest, WhatStopsAnAnimation) {
    GifFile undecodable = solidAnimation({40, 30}, kFrameColours, {10, 10, 10});
    undecodable.images[2].rawData = QByteArray("\x02\x01\xFF\x00", 4);  // sound blocks, no image
    const QString bad = d.file("bad.gif", undecodable.encode());
    const QString good = gif({10, 10, 10});
    const auto tag = [this](const char* text) {
        return [this, text] { show->frameHolders[1].tag = text; };
    };
    // (file, change after frame 1, frame and scene after the next tick)
    for (const auto& [path, change, after] :
         std::vector<std::tuple<QString, std::function<void()>, const char*>>{
             {good, tag("x"), "1 G"},
             {good, tag("70000"), "1 G"},                        // longer than the timer can wait
             {good, [this] { show->currentFrame = 5; }, "5 G"},  // beyond the holders
             {bad, [] {}, "2 G"},
             {good, [this] { w->hideWindow(); }, "2 B"}}) {
        SCOPED_TRACE(after);
        loadAnimation(*show, path);
        d.timers().advance(100);
        ASSERT_EQ(show->currentFrame, 1);
        change();
        d.timers().advance(100);
        EXPECT_FALSE(show->animationTimer.isEnabled());
        EXPECT_EQ(QString::number(show->currentFrame) + u' ' + d.scene(), after);
    }
}

// Frames 1 to 5 are decoded ahead once per slide when they fit the budget, and again loop after
// loop when they do not; the cache never holds more than its budget.
TEST(FramesDecodedAhead, AreDecodedOncePerSlideWithinTheBudget) {
    for (const auto& [budgetFrames, atStart, later] : {std::tuple{6, 5, 5}, std::tuple{2, 2, 17}}) {
        DisplayHarness d;
        d.settings("Slides=1;screensize=1");
        d.slides("A6.gif");
        ASSERT_NE(d.display(), nullptr);
        FrameCache& cache = d.display()->state().frameCache;
        cache = FrameCache(std::size_t(budgetFrames) * 800 * 800 * 4);
        d.start();
        EXPECT_EQ(d.decoder->started, atStart) << budgetFrames << " frames' room";
        for (int tick = 0; tick < 18; ++tick) {  // three loops
            d.timers().advance(100);
            EXPECT_LE(cache.bytes(), cache.budget());
        }
        EXPECT_TRUE(d.display()->state().animationTimer.isEnabled());
        EXPECT_EQ(d.decoder->started, later) << budgetFrames << " frames' room";
    }
}

// A slideshow of an animation on screen, with the panel and the player loaded, and the input a user
// gives it.
struct RunningShow {
    DisplayHarness d;
    SlideshowWindow* w = nullptr;

    explicit RunningShow(const QString& musicNow = "0") {
        d.settings("Slides=1;Mousesens=15;MusicNow=" + musicNow);
        d.slides("A3.gif A3.gif");
        w = d.start();
        d.program().panel();
    }
    void move(QPointF at) { send(QEvent::MouseMove, Qt::NoButton, at); }
    void send(QEvent::Type type, Qt::MouseButton button = Qt::LeftButton, QPointF at = {50, 50}) {
        QMouseEvent e(type, at, w->view().mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
        QCoreApplication::sendEvent(&w->view(), &e);
    }
    void give(const QString& input) {
        if (input.startsWith("key")) {  // "key a", or a key without text
            QKeyEvent e(QEvent::KeyPress, input.size() > 3 ? Qt::Key_A : Qt::Key_Shift,
                        Qt::NoModifier, input.mid(4));
            QCoreApplication::sendEvent(&w->view(), &e);
        } else if (input == "moves") {  // steps of 14 and 15
            move({100, 100});
            move({114, 100});
            ASSERT_TRUE(w->isShown());
            move({129, 100});
        } else {
            send(input == "double" ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress,
                 input == "right" ? Qt::RightButton : Qt::LeftButton);
        }
    }
};

// Every input ends the show: the program ends, or with "MusicNow" = 1 (a numeric test) the display
// only hides and the music goes on, and shown again the first move only records a position. The
// tray's suppression holds back keys and buttons only.
TEST(InputExit, EveryInputEndsTheShow) {
    for (const QString musicNow : {"0", "2", "yes", "1", "1.0", "suppressed"}) {
        for (const QString input : {"key a", "key", "left", "right", "double", "moves"}) {
            SCOPED_TRACE((input + ", MusicNow " + musicNow).toStdString());
            RunningShow t(musicNow);
            t.d.program().suppressKeyExit = musicNow == "suppressed";
            t.give(input);
            const bool hides = musicNow.startsWith("1");
            const bool ignored =
                t.d.program().suppressKeyExit && input != "double" && input != "moves";
            EXPECT_EQ(t.d.program().hasEnded(), !hides && !ignored);
            EXPECT_EQ(t.w->isShown(), ignored);
            EXPECT_EQ(t.d.program().displayIfLoaded(), hides || ignored ? t.w : nullptr);
            EXPECT_EQ(t.d.windows.has("player stopAllMusic"), !hides && !ignored);
            EXPECT_EQ(t.d.windows.has("panel unload"), !hides && !ignored);
            EXPECT_EQ(t.d.program().cursor().isVisible(), !ignored);
            EXPECT_EQ(t.w->slideTimer().isEnabled(), ignored);
            EXPECT_EQ(t.w->state().animationTimer.isEnabled(), ignored);
            if (hides) {
                ASSERT_EQ(t.d.start(), t.w);
                t.move({400, 400});
                EXPECT_TRUE(t.w->isShown());
                t.move({400, 420});
                EXPECT_FALSE(t.w->isShown() || t.d.program().hasEnded());
            }
        }
    }
}

// A left click inside the window stops the animation, also while a frame is awaited: arriving
// late, it does not start it again. The show goes on.
TEST(InputExit, ALeftClickStopsTheAnimation) {
    for (const auto& [button, x, late, stops] :
         {std::tuple{Qt::LeftButton, 50, false, true},
          std::tuple{Qt::RightButton, 50, false, false},
          std::tuple{Qt::LeftButton, -5, false, false}, std::tuple{Qt::LeftButton, 50, true, true},
          std::tuple{Qt::RightButton, 50, true, false}}) {
        RunningShow t;
        ASSERT_TRUE(t.w && t.w->state().animationTimer.isEnabled());
        t.d.program().suppressKeyExit = true;
        if (late) {
            t.w->state().frameCache.clear();
            t.d.decoder->holding = true;
            t.d.timers().advance(100);
            ASSERT_EQ(t.w->state().awaitedFrame, 1);
        }
        t.send(QEvent::MouseButtonPress, button, QPointF(x, 50));
        t.send(QEvent::MouseButtonRelease, button, QPointF(x, 50));
        t.d.decoder->release();
        EXPECT_EQ(t.w->state().animationTimer.isEnabled(), !stops) << button << " at " << x;
    }
}

// The next step's slides are read while the current ones show, each once, and the first step's
// before the window shows (slide 1 itself, which the first step does not show, is not decoded).
// The step shows what was read unless what it was read for changed meanwhile: the list entry,
// the file under its name, the place. One not read by its step is awaited; the slide timer then
// counts from its arrival. Each moment: the reads asked for since the one before.
TEST(SlidesAhead, TheStepShowsTheSlideReadForItUnlessThatChanged) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"", "", "G9x9 B9x9 | 3 B R9x9"},
        {"Random order=1", "", "B9x9 R9x9 | 1 R R9x9"},  // draws .9, then 0
        {"", "entry", "G9x9 B9x9 | 3 R R10x10 R9x9"},
        {"", "list", "G9x9 B9x9 | 3 G 0 G9x9"},
        {"", "file", "G9x9 B9x9 | 3 R B9x9 R9x9"},
        {"", "actual size", "G9x9 B9x9 | 3 B 481,1 9x9 B9x9 R9x9"},
        {"", "late", "G9x9 | 1 - | 2 G B9x9 | 2 G | 3 B R9x9"},
    };
    for (const auto& [order, change, moments] : cases) {
        SCOPED_TRACE(change);
        DisplayHarness d;
        d.settings(QStringLiteral("Slides=1;screensize=1;delay=1;") + order);
        d.slides("R9x9.bmp G9x9.bmp B9x9.bmp");
        d.draws({0, 0, 0, 0, .9, 0, 0, 0, 0, 0, 0, 0});
        const QString late = change;
        d.holdReads = late == "late";
        d.start();
        QStringList film;
        const auto shot = [&](const QString& shown) {
            QStringList reads;
            for (const QString& path : std::exchange(d.reader->paths, {})) {
                reads.append(QFileInfo(path).completeBaseName());
            }
            film.append((shown + u' ' + reads.join(u' ')).trimmed());
        };
        shot({});
        if (late == "late") {
            d.timers().advance(1000);  // its tick comes while the slide is read
            shot(moment(d));
            d.reader->release();
            QCoreApplication::processEvents();
            shot(moment(d));
            d.timers().advance(999);
            shot(moment(d));
        } else if (late == "entry" || late == "list") {
            d.slides(late == "entry" ? "R9x9.bmp G9x9.bmp R10x10.bmp" : "G9x9.bmp");
        } else if (late == "file") {
            QFile::remove(d.path("B9x9.bmp"));
            QFile::rename(d.make("R10x10.bmp"), d.path("B9x9.bmp"));
        } else if (late == "actual size") {
            d.settings("screensize=0");
        }
        d.timers().advance(late == "late" ? 1 : 1000);
        shot(moment(d));
        EXPECT_EQ(film.join(" | "), moments);
    }
}

// With "Fade", a step blends the old slide into the new one over a second of frames at the
// screen's rate (60 Hz offscreen: 63 frames of 16 ms), repainting only where either shows, and
// ends exactly on the new one; an animated GIF starts when its fade is over, and input ends the
// show during one.
TEST(Fade, BlendsTheOldSlideIntoTheNewOneOverASecond) {
    DisplayHarness d;
    d.settings("Slides=1;Fade=1;delay=5;animate=1;Mousesens=15");
    d.slides("A3.gif R40x30.bmp A3.gif");
    d.draws(std::vector<double>(6, 0.0));  // both slides at (1, 1)
    SlideshowWindow* w = d.start();
    QCoreApplication::processEvents();  // the window's first paint
    QRegion painted;
    struct Paints : QObject {
        QRegion& region;
        explicit Paints(QRegion& r) : region(r) {}
        bool eventFilter(QObject*, QEvent* e) override {
            region +=
                e->type() == QEvent::Paint ? static_cast<QPaintEvent*>(e)->region() : QRegion();
            return false;
        }
    } paints(painted);
    QStringList film;
    for (const int frame : {0, 31, 62, 63}) {
        d.timers().advance(frame == 0 ? 0 : frame == 31 ? 31 * 16 : 16 * (frame == 62 ? 31 : 1));
        w->view().installEventFilter(&paints);
        QCoreApplication::processEvents();
        w->view().removeEventFilter(&paints);  // grab() paints the whole view
        const QColor at = w->view().grab().toImage().pixelColor(20, 15);
        film.append(QString::asprintf("%d %d %d", at.red(), at.green(), at.blue()) +
                    (w->view().grab().toImage().pixelColor(100, 100) == Qt::black ? "" : " !"));
    }
    EXPECT_EQ(film.join(" | "), "0 0 0 | 126 0 0 | 252 0 0 | 255 0 0");
    EXPECT_EQ(painted.boundingRect(), QRect(1, 1, 40, 30));
    d.timers().advance(5000 - 63 * 16);
    EXPECT_TRUE(w->view().isFading() && !w->state().animationTimer.isEnabled());
    d.timers().advance(1008);
    EXPECT_TRUE(!w->view().isFading() && w->state().animationTimer.isEnabled());
    d.timers().advance(4000);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(&w->view(), &key);
    EXPECT_EQ(d.loaded(), nullptr);
}

}  // namespace
}  // namespace luma::test
