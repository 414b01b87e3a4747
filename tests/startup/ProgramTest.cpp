#include "support/RecordingWindows.h"

#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace luma::test {
namespace {

struct ProgramFixture : testing::Test {
    WindowLog windows;  // outlives the windows that write to it
    ProgramHarness h;
    void SetUp() override { useRecordingWindows(h.program, windows); }
};

TEST_F(ProgramFixture, AWindowIsCreatedOnFirstUseOnce) {
    PlayerWindow* first = h.program.player();
    PlayerWindow* second = h.program.player();
    EXPECT_EQ(first, second);
    EXPECT_EQ(windows.entries, QStringList{"player load"});
}

TEST_F(ProgramFixture, UnloadRunsTheUnloadProcedureAndAFreshWindowLoadsAgain) {
    PlayerWindow* first = h.program.player();
    h.program.unloadPlayer();
    EXPECT_EQ(h.program.playerIfLoaded(), nullptr);
    EXPECT_NE(h.program.player(), nullptr);
    EXPECT_EQ(windows.entries,
              (QStringList{"player load", "player unload", "player timers off", "player load"}));
    (void)first;
}

TEST_F(ProgramFixture, AWindowThatUnloadsItselfWhileLoadingIsNotReturned) {
    h.program.settings.musicOnly = 1;
    EXPECT_EQ(h.program.display(), nullptr);
    EXPECT_FALSE(h.program.anyWindowLoaded());
}

TEST_F(ProgramFixture, TheProgramEndsWhenTheLastWindowGoesOnceTheLoopTurns) {
    h.program.tray();
    h.program.player();
    h.program.unloadTray();
    QCoreApplication::processEvents();
    EXPECT_FALSE(h.program.hasEnded()) << "the player is still loaded";
    h.program.unloadPlayer();
    h.program.tray();  // loaded again before the loop turns: the program goes on
    QCoreApplication::processEvents();
    EXPECT_FALSE(h.program.hasEnded());
    h.program.unloadTray();
    QCoreApplication::processEvents();
    EXPECT_TRUE(h.program.hasEnded());
}

TEST_F(ProgramFixture, EndingAtOnceSkipsUnloadProceduresSyncsAndClosesTheAudio) {
    h.program.panel();
    h.program.player();
    h.program.endProgram();
    EXPECT_TRUE(h.program.hasEnded());
    EXPECT_FALSE(h.program.anyWindowLoaded());
    EXPECT_FALSE(windows.has(QStringLiteral("panel unload")));
    EXPECT_FALSE(windows.has(QStringLiteral("player unload")));
    EXPECT_GE(h.fakes.store->syncCount(), 1);
    EXPECT_TRUE(h.fakes.log.contains(QStringLiteral("close all")));
    EXPECT_TRUE(h.fakes.log.contains(QStringLiteral("mp3 stop")));
}

TEST_F(ProgramFixture, AWindowMayUnloadItselfFromItsOwnHandler) {
    struct SelfClosing : TrayWindow {
        Program& program;
        bool alive = true;
        explicit SelfClosing(Program& p) : program(p) {}
        ~SelfClosing() override { alive = false; }
        void showWindow() override {
            program.unloadTray();
            EXPECT_TRUE(alive) << "still usable until the handler returns";
        }
        void hideWindow() override {}
        bool isShown() const override { return false; }
    };
    h.program.setTrayFactory([](Program& p) { return std::make_unique<SelfClosing>(p); });
    h.program.tray()->showWindow();
    EXPECT_EQ(h.program.trayIfLoaded(), nullptr);
}

}  // namespace
}  // namespace luma::test
