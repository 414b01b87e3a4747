#include "support/RecordingWindows.h"

#include "settings/SettingsKeys.h"
#include "startup/ProgramStart.h"
#include "startup/StartShow.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace luma::test {
namespace {

struct MainFixture : testing::Test {
    WindowLog windows;  // outlives the windows that write to it
    ProgramHarness h;
    void SetUp() override { useRecordingWindows(h.program, windows); }
    void store(const QString& key, const QString& value) {
        h.fakes.store->write(keys::kSettings, key, value);
    }
    void notFirstRun() { store(keys::kMouseSens, QStringLiteral("15")); }
    void run(const QString& line) {
        h.fakes.store->clearLog();
        startProgram(h.program, line);
    }
};

TEST_F(MainFixture, ConfigureShowsOnlyThePanelAndReadsNothing) {
    run(QStringLiteral("/c:4711"));
    EXPECT_EQ(windows.entries, (QStringList{"panel load", "panel show"}));
    EXPECT_TRUE(h.fakes.store->log().empty());
    EXPECT_FALSE(h.program.hasEnded());
}

TEST_F(MainFixture, PreviewEndsAtOnceAndSyncsTheStore) {
    run(QStringLiteral("/p 1234"));
    EXPECT_TRUE(h.program.hasEnded());
    EXPECT_TRUE(windows.entries.isEmpty());
    EXPECT_GE(h.fakes.store->syncCount(), 1);
}

TEST_F(MainFixture, PasswordShowsExactlyOneBoxAndOpensNothing) {
    run(QStringLiteral("/A"));
    ASSERT_EQ(h.fakes.messageBox->calls.size(), 1u);
    const auto& box = h.fakes.messageBox->calls[0];
    EXPECT_EQ(box.text, u"Password Protection not available with this screen saver");
    EXPECT_EQ(box.title, u"Error");
    EXPECT_EQ(box.flags, 64);
    EXPECT_TRUE(windows.entries.isEmpty());
    EXPECT_FALSE(h.program.anyWindowLoaded());
}

TEST_F(MainFixture, UnknownSwitchOpensNothing) {
    for (const char* line : {"/X", "-s", "/", "help"}) {
        run(QString::fromLatin1(line));
    }
    EXPECT_TRUE(windows.entries.isEmpty());
    EXPECT_TRUE(h.fakes.messageBox->calls.empty());
    EXPECT_TRUE(h.fakes.store->log().empty());
}

TEST_F(MainFixture, ASecondInstanceEndsAtOnceInEveryMode) {
    h.fakes.instance->anotherRunning = true;
    for (const char* line : {"", "/S", "/C", "/A", "/P"}) {
        run(QString::fromLatin1(line));
    }
    EXPECT_TRUE(h.program.hasEnded());
    EXPECT_TRUE(windows.entries.isEmpty());
    EXPECT_TRUE(h.fakes.messageBox->calls.empty());
    EXPECT_TRUE(h.fakes.store->log().empty());
}

TEST_F(MainFixture, FirstShowStartOpensThePanelOnHelp) {
    for (const char* line : {"", "   ", "/S", "/s", " /S ", "/Sx"}) {
        WindowLog log;
        ProgramHarness fresh;
        useRecordingWindows(fresh.program, log);
        startProgram(fresh.program, QString::fromLatin1(line));
        EXPECT_EQ(fresh.fakes.store->read(keys::kSettings, keys::kMouseSens), u"15") << line;
        EXPECT_EQ(fresh.program.settings.mouseSens, 15);
        EXPECT_EQ(log.entries,
                  (QStringList{"panel load", "panel show", "panel tab 3", "panel FindCdDrives"}))
            << line;
        EXPECT_TRUE(fresh.fakes.log.isEmpty()) << "no music on a first run";
    }
}

TEST_F(MainFixture, OnlyAnAbsentOrUnusableSensitivityMarksAFirstRun) {
    for (const char* stored : {"0", "0.4", "-3", "abc", ""}) {
        WindowLog log;
        ProgramHarness fresh;
        useRecordingWindows(fresh.program, log);
        fresh.fakes.store->write(keys::kSettings, keys::kMouseSens, QString::fromLatin1(stored));
        startProgram(fresh.program, QString());
        EXPECT_TRUE(log.has(QStringLiteral("panel tab 3"))) << stored;
        EXPECT_EQ(fresh.fakes.store->read(keys::kSettings, keys::kMouseSens), u"15") << stored;
    }
    // The panel stores 1 to 30; a user who chose 4 gets the show and keeps the choice.
    store(keys::kMouseSens, QStringLiteral("4"));
    run(QString());
    EXPECT_FALSE(windows.has(QStringLiteral("panel tab 3")));
    EXPECT_TRUE(windows.has(QStringLiteral("player startMusic")));
    EXPECT_EQ(h.fakes.store->read(keys::kSettings, keys::kMouseSens), u"4");
    EXPECT_EQ(h.program.settings.mouseSens, 4);
}

TEST_F(MainFixture, ALaterShowStartLoadsTheSettingsAndShows) {
    store(keys::kMouseSens, QStringLiteral("5"));
    store(keys::kSlides, QStringLiteral("1"));
    store(keys::kDelay, QStringLiteral("7"));
    run(QStringLiteral("/S"));
    EXPECT_EQ(h.program.settings.delay, 7);
    EXPECT_EQ(h.program.settings.mouseSens, 5);
    EXPECT_EQ(windows.entries,
              (QStringList{"player load", "display load", "display show", "display slideTimer on",
                           "display showFirstSlide", "player startMusic"}));
}

TEST_F(MainFixture, TheProgramFolderBecomesCurrent) {
    QTemporaryDir folder;
    ProgramHarness fresh;
    PlatformServices unused;
    (void)unused;
    const QString before = QDir::currentPath();
    // The harness has no program folder; build one that has.
    FakePlatform fakes;
    PlatformServices services = fakes.make();
    services.programFolder = folder.path();
    Program program(std::move(services));
    startProgram(program, QStringLiteral("/X"));
    EXPECT_EQ(QDir::currentPath(), QDir(folder.path()).canonicalPath());
    QDir::setCurrent(before);
}

// startShow decides from the stored flags, not from the record.
struct StartShowFixture : MainFixture {
    void start() {
        notFirstRun();
        run(QString());
    }
};

TEST_F(StartShowFixture, AutoStartupGivesTheTrayAndMusicWhateverMusicNowSays) {
    store(keys::kAutoStartup, QStringLiteral("1"));
    store(keys::kMusicNow, QStringLiteral("0"));
    store(keys::kSlides, QStringLiteral("1"));
    start();
    EXPECT_EQ(windows.entries, (QStringList{"tray load", "player load", "player startMusic"}));
}

TEST_F(StartShowFixture, AutoStartupWithoutBackgroundSoundGivesOnlyTheTray) {
    store(keys::kAutoStartup, QStringLiteral("1"));
    store(keys::kBsound, QStringLiteral("0"));
    start();
    EXPECT_EQ(windows.entries, (QStringList{"tray load"}));
}

TEST_F(StartShowFixture, MusicNowWithoutSlidesGivesTrayAndMusic) {
    store(keys::kMusicNow, QStringLiteral("1"));
    store(keys::kSlides, QStringLiteral("0"));
    start();
    EXPECT_EQ(windows.entries, (QStringList{"tray load", "player load", "player startMusic"}));
}

TEST_F(StartShowFixture, MusicNowWithSlidesShowsTheSlideshowBesideTheTray) {
    store(keys::kMusicNow, QStringLiteral("1"));
    store(keys::kSlides, QStringLiteral("1"));
    start();
    EXPECT_EQ(windows.entries,
              (QStringList{"tray load", "display load", "display show", "display slideTimer on",
                           "display showFirstSlide", "player load", "player startMusic"}));
}

TEST_F(StartShowFixture, OrdinaryShowWithoutMusicGoesOnToTheLastStep) {
    store(keys::kSlides, QStringLiteral("1"));
    store(keys::kBsound, QStringLiteral("0"));
    start();
    EXPECT_EQ(windows.entries,
              (QStringList{"player load", "display load", "display show", "display slideTimer on",
                           "display showFirstSlide", "player startMusic"}));
}

TEST_F(StartShowFixture, SinglePictureModeDoesNotStartTheSequencer) {
    store(keys::kSlides, QStringLiteral("0"));
    start();
    EXPECT_EQ(windows.entries,
              (QStringList{"player load", "display load", "display show", "player startMusic"}));
}

TEST_F(StartShowFixture, MusicOnlyWithoutMusicNowGivesTrayAndMusicWithoutDisplay) {
    store(keys::kMusicOnly, QStringLiteral("1"));
    store(keys::kSlides, QStringLiteral("1"));
    start();
    EXPECT_EQ(windows.entries, (QStringList{"player load", "display load", "display unload",
                                            "tray load", "player startMusic"}));
    EXPECT_EQ(h.program.displayIfLoaded(), nullptr);
    EXPECT_NE(h.program.trayIfLoaded(), nullptr);
}

TEST_F(StartShowFixture, FlagsAreNumericEqualityTests) {
    store(keys::kMusicNow, QStringLiteral("1.0"));
    start();
    EXPECT_TRUE(windows.has(QStringLiteral("tray load"))) << "\"1.0\" is 1";

    WindowLog log;
    ProgramHarness other;
    useRecordingWindows(other.program, log);
    other.fakes.store->write(keys::kSettings, keys::kMouseSens, QStringLiteral("15"));
    other.fakes.store->write(keys::kSettings, keys::kMusicNow, QStringLiteral("2"));
    startProgram(other.program, QString());
    EXPECT_EQ(log.entries, (QStringList{"player load", "player startMusic"}))
        << "\"2\" is neither on nor off: no display, straight to the music";
}

}  // namespace
}  // namespace luma::test
