// The animation's frames decoded once and painted from memory: within the budget, never stale,
// the same pixels as a frame decoded at its tick, and the worker gone with the show.
#include "display/AnimationPlayer.h"
#include "display/SlideshowWindow.h"
#include "support/DisplayHarness.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QThread>

namespace luma::test {
namespace {

constexpr int kFrames = 6;

// A GIF of `frames` full frames of the palette's colours, 10 ms each.
QByteArray animation(int frames, std::vector<QRgb> colours = kFrameColours) {
    return solidAnimation(QSize(64, 48), colours, std::vector<std::uint16_t>(frames, 1)).encode();
}

// Lets the decoder's worker finish the frame it works on: at most five seconds.
bool settle(SlideshowWindow* w) {
    const QDeadlineTimer deadline(5000);
    while (w->state().decodingFrame >= 0 || w->state().awaitedFrame >= 0) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// The frames shown in the cycle (1 to 5) are decoded once per slide when they fit the budget, and
// again loop after loop when they do not; the cache never holds more than its budget.
TEST(FrameCache, EachFrameIsDecodedOncePerSlideWithinTheBudget) {
    for (const std::size_t budgetFrames : {std::size_t{kFrames}, std::size_t{2}}) {
        SCOPED_TRACE(budgetFrames);
        DisplayHarness d;
        d.settings({{"Slides", "1"}, {"screensize", "1"}, {"animate", "1"}});
        d.slides({d.file(QStringLiteral("a.gif"), animation(kFrames))});
        SlideshowWindow* w = d.display();
        ASSERT_NE(w, nullptr);
        const std::size_t frameBytes = std::size_t(w->canvas().sizeInBytes());
        w->state().frameCache = FrameCache(budgetFrames * frameBytes);
        d.start();
        const int before = d.decoder->started;
        for (int tick = 0; tick < 3 * kFrames; ++tick) {  // three loops
            d.timers().advance(10);
            EXPECT_LE(w->state().frameCache.bytes(), w->state().frameCache.budget());
        }
        EXPECT_TRUE(w->state().animationTimer.isEnabled());
        const int decoded = d.decoder->started - before;
        if (budgetFrames == kFrames) {
            EXPECT_EQ(decoded, 0) << "every frame decoded ahead at the start, once";
            EXPECT_EQ(before - 0, kFrames - 1);
        } else {
            EXPECT_GT(decoded, 2 * (kFrames - 1)) << "frames that do not fit are decoded again";
        }
    }
}

// A slide file replaced or deleted between two steps is read afresh: none of its old frames shows.
TEST(FrameCache, AReplacedOrDeletedSlideIsNeverShownFromTheCache) {
    for (const bool deleted : {false, true}) {
        SCOPED_TRACE(deleted ? "deleted" : "replaced");
        DisplayHarness d;
        d.settings({{"Slides", "1"}, {"screensize", "1"}, {"delay", "1"}, {"BackColors", "0"}});
        const QString path = d.file(QStringLiteral("a.gif"), animation(3, {kRed.rgb()}));
        d.slides({path});
        SlideshowWindow* w = d.start();
        ASSERT_NE(w, nullptr);
        d.timers().advance(20);
        ASSERT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kRed));
        QFile::remove(path);
        if (!deleted) {
            d.file(QStringLiteral("a.gif"), animation(3, {kBlue.rgb()}));
        }
        d.timers().advance(1000);  // the next slide step
        for (int tick = 0; tick < 8; ++tick) {
            d.timers().advance(10);
            EXPECT_FALSE(areaIs(w->canvas(), w->canvas().rect(), kRed) &&
                         w->state().animationTimer.isEnabled())
                << "an old frame animates";
            if (!deleted) {
                EXPECT_TRUE(areaIs(w->canvas(), w->canvas().rect(), kBlue));
            }
        }
    }
}

// The frames the worker decodes ahead paint the same pixels as frames decoded at their ticks.
TEST(FrameCache, FramesDecodedAheadPaintTheSamePixels) {
    for (const char* stretched : {"1", "0"}) {
        SCOPED_TRACE(*stretched == '1' ? "stretched" : "actual size");
        const QByteArray gif =
            solidAnimation(QSize(90, 70), kFrameColours, {1, 1, 1, 1, 1}).encode();
        std::vector<std::unique_ptr<DisplayHarness>> shows;
        std::vector<SlideshowWindow*> windows;
        for (const bool ahead : {true, false}) {
            auto d = std::make_unique<DisplayHarness>();
            d->h.program.setDisplayFactory([ahead](Program& p) {
                auto w = std::make_unique<SlideshowWindow>(p);
                if (!ahead) {
                    w->state().frameDecoder.reset();  // every frame decoded at its tick
                }
                return w;
            });
            d->settings({{"Slides", "1"}, {"screensize", stretched}, {"Slidesize", "2"}});
            d->slides({d->file(QStringLiteral("a.gif"), gif)});
            d->draws({0.3, 0.3, 0.3, 0.3, 0.3, 0.3});
            windows.push_back(d->start());
            ASSERT_NE(windows.back(), nullptr);
            shows.push_back(std::move(d));
        }
        ASSERT_NE(windows[0]->state().frameDecoder, nullptr);
        for (int tick = 0; tick < 12; ++tick) {
            for (auto& d : shows) {
                d->timers().advance(10);
            }
            ASSERT_TRUE(settle(windows[0]));
            EXPECT_EQ(windows[0]->state().currentFrame, windows[1]->state().currentFrame);
            EXPECT_EQ(windows[0]->canvas(), windows[1]->canvas()) << "tick " << tick;
        }
    }
}

QSet<QString> threads() {
    const QStringList ids =
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return QSet<QString>(ids.begin(), ids.end());
}

// The show ends while the worker decodes: it is waited for and joined, and its frame never lands.
TEST(FrameCache, TheWorkerIsJoinedWhenTheShowEnds) {
    const QSet<QString> before = threads();
    DisplayHarness d;
    d.h.program.setDisplayFactory([](Program& p) { return std::make_unique<SlideshowWindow>(p); });
    d.settings({{"Slides", "1"}, {"screensize", "1"}});
    QImage big(3000, 2000, QImage::Format_RGB32);
    big.fill(kGreen);
    d.slides({d.file(QStringLiteral("a.gif"), animation(kFrames))});
    SlideshowWindow* w = d.start();
    ASSERT_NE(w, nullptr);
    d.timers().advance(10);
    EXPECT_GE(w->state().decodingFrame, 0) << "the worker is decoding ahead";
    const QSet<QString> workers = threads() - before;
    EXPECT_FALSE(workers.isEmpty());
    d.h.program.unloadDisplay();
    d.h.program.collectRetiredWindows();
    // Qt's wait() returns when the thread's work is done; the kernel lists the thread until it
    // has exited, a moment later.
    const QDeadlineTimer deadline(5000);
    while (threads().intersects(workers) && !deadline.hasExpired()) {
        QThread::yieldCurrentThread();
    }
    EXPECT_FALSE(threads().intersects(workers)) << "the worker's thread is joined";
    QCoreApplication::processEvents();  // nothing of the show is touched by a late frame
}

}  // namespace
}  // namespace luma::test
