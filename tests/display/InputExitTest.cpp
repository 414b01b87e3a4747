#include "display/InputExit.h"
#include "display/SlideshowWindow.h"
#include "support/DisplayHarness.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <functional>

namespace luma::test {
namespace {

TEST(MovementRule, TheStepBetweenTwoMovesCountsNotTheDistance) {
    struct Move {
        QPointF at;
        bool ends;
    };
    struct Case {
        const char* name;
        std::vector<Move> moves;
    };
    const Case cases[] = {
        {"steps of 14 then 15", {{{100, 100}, false}, {{114, 100}, false}, {{129, 100}, true}}},
        {"vertical step of 15", {{{100, 100}, false}, {{100, 115}, true}}},
        {"the first move only records", {{{500, 400}, false}}},
        {"a jump from (0, 0) only records",
         {{{0, 0}, false}, {{700, 500}, false}, {{700, 515}, true}}},
        {"a slow drift never ends",
         {{{10, 10}, false},
          {{24, 24}, false},
          {{38, 38}, false},
          {{52, 52}, false},
          {{66, 66}, false}}},
        {"fractions: 14.6 does not reach 15",
         {{{100, 100}, false}, {{114.6, 100}, false}, {{129.6, 100}, false}, {{145, 100}, true}}},
        {"a position is forgotten after an exit",
         {{{100, 100}, false}, {{200, 100}, true}, {{400, 100}, false}, {{415, 100}, true}}},
    };
    for (const Case& c : cases) {
        MovementRule rule;
        for (std::size_t i = 0; i < c.moves.size(); ++i) {
            EXPECT_EQ(rule.move(c.moves[i].at, 15), c.moves[i].ends) << c.name << ", move " << i;
        }
    }
}

TEST(MovementRule, RecordsPositionsRoundedHalfToEven) {
    MovementRule rule;
    rule.move({100.5, 101.5}, 15);
    EXPECT_EQ(rule.lastX(), 100);
    EXPECT_EQ(rule.lastY(), 102);
    rule.move({30000, 7}, 32767);
    rule.move({40000, 8}, 32767);  // beyond 16 bits: the old value stays
    EXPECT_EQ(rule.lastX(), 30000);
    EXPECT_EQ(rule.lastY(), 8);
}

// A slideshow on screen, and the input a user gives it.
struct RunningShow {
    DisplayHarness d;
    SlideshowWindow* w = nullptr;

    RunningShow() {
        d.settings({{"Slides", "1"}, {"Mousesens", "15"}, {"delay", "5"}});
        d.slides({d.picture("a.bmp", Qt::red, QSize(20, 20))});
        w = d.start();
    }
    void musicNow(const char* value) {
        d.h.fakes.store->write(QStringLiteral("Settings"), QStringLiteral("MusicNow"),
                               QString::fromLatin1(value));
    }
    void move(QPointF at) {
        QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    void mouse(QEvent::Type type, Qt::MouseButton button = Qt::LeftButton) {
        const QPointF at(50, 50);
        QMouseEvent e(type, at, w->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    void key(Qt::Key k, const QString& text) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, text);
        QCoreApplication::sendEvent(w, &e);
    }
    bool ended() const { return d.h.program.hasEnded(); }
};

struct InputExitTest : testing::Test, RunningShow {
    void SetUp() override { ASSERT_NE(w, nullptr); }
};

TEST(InputExit, EveryUnsuppressedInputEndsTheProgram) {
    const std::vector<std::pair<const char*, std::function<void(RunningShow&)>>> inputs = {
        {"mouse steps of 14 and 15",
         [](RunningShow& t) {
             t.move({100, 100});
             t.move({114, 100});
             ASSERT_FALSE(t.ended());
             t.move({129, 100});
         }},
        {"key with text", [](RunningShow& t) { t.key(Qt::Key_A, QStringLiteral("a")); }},
        {"key without text", [](RunningShow& t) { t.key(Qt::Key_Shift, QString()); }},
        {"left button", [](RunningShow& t) { t.mouse(QEvent::MouseButtonPress); }},
        {"right button",
         [](RunningShow& t) { t.mouse(QEvent::MouseButtonPress, Qt::RightButton); }},
        {"double-click", [](RunningShow& t) { t.mouse(QEvent::MouseButtonDblClick); }},
    };
    for (const auto& [name, input] : inputs) {
        SCOPED_TRACE(name);
        RunningShow t;
        ASSERT_NE(t.w, nullptr);
        t.d.h.program.panel();
        input(t);
        EXPECT_TRUE(t.ended());
        EXPECT_EQ(t.d.h.program.displayIfLoaded(), nullptr);
        EXPECT_TRUE(t.d.windows.has(QStringLiteral("player stopAllMusic")));
        EXPECT_TRUE(t.d.windows.has(QStringLiteral("panel unload")));
    }
}

TEST_F(InputExitTest, SuppressedKeysAndButtonsDoNothingButDoubleClickAndMovesStillEnd) {
    d.h.program.suppressKeyExit = true;
    key(Qt::Key_A, QStringLiteral("a"));
    key(Qt::Key_Escape, QString());
    mouse(QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_FALSE(ended());
    EXPECT_TRUE(w->isShown());
    mouse(QEvent::MouseButtonDblClick);
    EXPECT_TRUE(ended());

    RunningShow moved;
    ASSERT_NE(moved.w, nullptr);
    moved.d.h.program.suppressKeyExit = true;
    moved.move({300, 300});
    moved.move({300, 340});
    EXPECT_TRUE(moved.ended());
}

TEST_F(InputExitTest, AClickStopsTheAnimationAndTheShowGoesOn) {
    const GifFile gif = solidAnimation(QSize(30, 20), kFrameColours, {10, 10, 10});
    const QString path = d.file("anim.gif", gif.encode());
    d.slides({path, path});
    w->showFirstSlide();
    ASSERT_TRUE(w->state().animationTimer.isEnabled());
    d.h.program.suppressKeyExit = true;
    mouse(QEvent::MouseButtonPress);
    mouse(QEvent::MouseButtonRelease);
    EXPECT_FALSE(w->state().animationTimer.isEnabled());
    EXPECT_TRUE(w->state().slideTimer.isEnabled());
    EXPECT_FALSE(ended());
    EXPECT_TRUE(w->isShown());
}

TEST_F(InputExitTest, PlayNowHidesTheDisplayAndKeepsTheProgram) {
    musicNow("1");
    const int cursor = d.h.program.cursor().count();
    key(Qt::Key_A, QStringLiteral("a"));
    EXPECT_FALSE(ended());
    EXPECT_EQ(d.h.program.displayIfLoaded(), w);
    EXPECT_FALSE(w->isShown());
    EXPECT_FALSE(w->state().slideTimer.isEnabled());
    EXPECT_FALSE(w->state().animationTimer.isEnabled());
    EXPECT_GE(d.h.program.cursor().count(), cursor + 1);
    EXPECT_TRUE(d.h.program.cursor().isVisible())
        << "the pointer comes back however often the show hid it";
    EXPECT_FALSE(d.windows.has(QStringLiteral("player stopAllMusic")));

    // Shown again, the first move only records a position.
    ASSERT_EQ(d.start(), w);
    move({400, 400});
    EXPECT_TRUE(w->isShown());
    move({400, 420});
    EXPECT_FALSE(w->isShown());
    EXPECT_FALSE(ended());
}

TEST(InputExitDuringAStep, EndsThatStep) {
    DisplayHarness d;
    d.settings({{"Slides", "1"}, {"Asound", "1"}, {"Mousesens", "15"}});
    d.slides({d.picture("a.bmp", Qt::red, QSize(20, 20)),
              d.picture("b.bmp", Qt::red, QSize(20, 20)),
              d.picture("c.bmp", Qt::red, QSize(20, 20))});
    SlideshowWindow* w = d.display();
    ASSERT_NE(w, nullptr);
    w->showWindow();
    for (const QPointF at : {QPointF(100, 100), QPointF(300, 300)}) {
        QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseMove, at, w->mapToGlobal(at),
                                                       Qt::NoButton, Qt::NoButton, Qt::NoModifier));
    }
    w->showFirstSlide();  // slide 2: no wrap, so the step lets pending events run
    EXPECT_TRUE(d.h.program.hasEnded());
    EXPECT_EQ(d.h.program.slideIndex, 2);
    EXPECT_FALSE(d.h.fakes.log.contains(QStringLiteral("play sound")));
}

TEST_F(InputExitTest, PlayNowIsANumericTestOfTheStoredValue) {
    struct Case {
        const char* value;
        bool hides;
    };
    for (const Case c : {Case{"1", true}, Case{"1.0", true}, Case{"0", false}, Case{"2", false},
                         Case{"yes", false}}) {
        RunningShow t;
        ASSERT_NE(t.w, nullptr);
        t.musicNow(c.value);
        t.mouse(QEvent::MouseButtonDblClick);
        EXPECT_EQ(t.ended(), !c.hides) << c.value;
    }
}

}  // namespace
}  // namespace luma::test
