// What a start does: the hosted window it chooses, the settings it loads, the windows it opens for
// each mode and each set of stored settings, and how the program ends.
#include "support/RecordingWindows.h"

#include "settings/SettingsKeys.h"
#include "startup/CommandLine.h"
#include "startup/LoadSettings.h"
#include "startup/ProgramStart.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace luma::test {
namespace {

// "arguments @XSCREENSAVER_WINDOW -> the window": an id, the root window, none (no hosted show) or
// an error (a hosted show that ends at once with status 2). "wayland:" starts a row run in a
// Wayland session without DISPLAY, which has no X11 window to give (status 1).
TEST(CommandLine, ArgumentsAndTheDaemonsWindowChooseTheHostedWindow) {
    for (const char* text :
         {"--root @0x600008 -> 0x600008", "-root -> root", "@0x1A -> 0x1a",
          "/S @6291464 -> 0x600008", "/C @0x1A -> none", "/p 7 @0x1A -> none", "/A @0x1A -> none",
          "/C -root -> root", "/S -> none", "-window-id 0X2b @1 -> 0x2b",
          "--window-id 4294967295 -> 0xffffffff", "-window-id 4294967296 -> error",
          "-window-id 0 -> error", "-window-id +5 -> error", "-window-id 0x+5 -> error",
          "-window-id 12ab -> error", "-window-id -> error", "-root @not a window -> error",
          "wayland: -window-id 0x2b -> no X11"}) {
        const QString row = QString::fromLatin1(text).section(" -> ", 0, 0);
        const bool wayland = row.startsWith(u"wayland: ");
        const QString line = row.mid(wayland ? 9 : 0);
        const QStringList arguments = line.section(u'@', 0, 0).split(u' ', Qt::SkipEmptyParts);
        const QString daemon = line.section(u'@', 1);
        const HostedStart start = hostedStartOf(arguments, [&](const char* name) {
            const QByteArray n(name);
            return n == "XSCREENSAVER_WINDOW"
                       ? daemon
                       : QString(n == "WAYLAND_DISPLAY" && wayland ? "w" : "");
        });
        const QString window = !start.hosted                  ? "none"
                               : start.error.contains(u"X11") ? "no X11"
                               : !start.error.isEmpty()       ? "error"
                               : start.window ? "0x" + QString::number(*start.window, 16)
                                              : "root";
        EXPECT_EQ(row + " -> " + window, text);
        if (start.hosted) {  // runs, or ends with 2 on a bad id, 1 without X11
            const auto answer = answerBeforeDisplay(
                arguments, [] { return DisplayState::Found; }, start);
            EXPECT_EQ(answer ? answer->exitStatus : 0,
                      window == u"error" ? 2 : int(window == u"no X11"))
                << text;
        }
    }
}

// Rows of "QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY -> whether Qt finds a display" ("-": not set;
// no X server answers at :97).
TEST(CommandLine, ADisplayIsThereWhenThePlatformNeedsNoServerOrItsServerIsNamedAndAnswers) {
    for (const char* row :
         {"- - - -> no", "- :0 - -> yes", "- - w -> yes", "xcb - w -> no", "XCB :0 - -> yes",
          "wayland :0 - -> no", "wayland-egl - w -> yes", "offscreen - - -> yes",
          "wayland;xcb :0 - -> yes", "xcb:a;wayland - w -> yes", "- :97 - -> silent",
          "- :97 w -> yes", "xcb;wayland :97 w -> yes", "wayland;xcb :97 - -> silent"}) {
        const QString variables = QString::fromLatin1(row).section(" -> ", 0, 0);
        const DisplayState found = findDisplay(
            [&variables](const char* name) {
                const auto i =
                    QByteArrayList{"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}.indexOf(name);
                const QString value = variables.section(u' ', i, i);
                return value == u"-" ? QString() : value;
            },
            [&variables] { return variables.section(u' ', 1, 1) != u":97"; });
        const char* const outcomes[] = {" -> yes", " -> no", " -> silent"};
        EXPECT_EQ(variables + outcomes[int(found)], row);
    }
}

// "key=value;key=value" into the "Settings" section.
void store(SettingsStore& store, const char* pairs) {
    for (const QString& pair : QString::fromLatin1(pairs).split(u';', Qt::SkipEmptyParts)) {
        store.write(keys::kSettings, pair.section(u'=', 0, 0), pair.section(u'=', 1));
    }
}

// Absent keys read their defaults, but "Mousesens" and "BackColors" have none; a value that does
// not convert leaves its field as it was (7 here).
TEST(LoadSettings, ReadsEveryKeyIntoItsField) {
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"BackColors=16711680", {0, 0, 1, 0, 1, 5, 1, 0, 0, 0, 0, 0, 7, 16711680, 0, 1, 1, 0}},
        {"delay=2.5;Slidesize=3.5;animate=yes;Bsound=;Asound=99999;Mousesens=abc;BackColors=x;"
         "IdleMinutes=30;AllowLock=0;EveryMonitor=0;Fade=1",
         {0, 0, 7, 0, 4, 2, 7, 0, 7, 0, 0, 0, 7, 7, 30, 0, 0, 1}}};
    for (const auto& [stored, fields] : cases) {
        MemorySettingsStore memory;
        store(memory, stored);
        SettingsRecord record{7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
        loadSettings(memory, record);
        std::vector<int> loaded;
        for (const auto& field : settingsFields()) {
            loaded.push_back(field.field16 ? record.*field.field16 : record.*field.field32);
        }
        EXPECT_EQ(loaded, fields) << stored;
    }
}

// "@sound" and "@silent" start a hosted show, with and without sound; "*" starts while another
// instance runs.
TEST(ProgramStart, ModesAndStoredSettingsChooseTheWindows) {
    const QString slides =
        "display load, display show, display slideTimer on, display showFirstSlide";
    const QString firstRun = "panel load, panel show, panel tab 3, panel FindCdDrives";
    const QString music = "player load, player startMusic";
    const struct {
        const char *line, *stored;
        QString windows;
    } cases[] = {{"/c:4711", "", "panel load, panel show"},
                 {"/p 1234", "", ""},
                 {"*", "", ""},
                 {"/A", "", ""},
                 {"/X", "", ""},
                 {"", "", firstRun},
                 {" /s ", "Mousesens=0.4;Slides=1", firstRun},
                 {"/S", "Mousesens=1;Slides=1", "player load, " + slides + ", player startMusic"},
                 {"", "Mousesens=5", "player load, display load, display show, player startMusic"},
                 {"", "Mousesens=5;AutoStartup=1;Slides=1", "tray load, " + music},
                 {"", "Mousesens=5;AutoStartup=1;Bsound=0", "tray load"},
                 {"", "Mousesens=5;MusicNow=1", "tray load, " + music},
                 {"", "Mousesens=5;MusicNow=1.0;Slides=1;Bsound=0", "tray load, " + slides},
                 {"", "Mousesens=5;MusicNow=2;Slides=1", music},
                 {"", "Mousesens=5;MusicOnly=1;Slides=1",
                  "player load, display load, display unload, tray load, player startMusic"},
                 {"@sound", "MusicOnly=1;Slides=1;AutoStartup=1", slides + ", " + music},
                 {"@silent", "Slides=1", slides},
                 {"@sound", "Bsound=0", "display load, display show"}};
    QTemporaryDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.line << " with " << c.stored);
        WindowLog windows;
        FakePlatform fakes;
        PlatformServices services = fakes.make();
        services.programFolder = folder.path();
        Program program(std::move(services));
        useRecordingWindows(program, windows);
        store(*fakes.store, c.stored);
        fakes.instance->anotherRunning = c.line[0] == '*';
        QDir::setCurrent(QDir::tempPath());
        if (c.line[0] == '@') {
            startHostedShow(program, c.line == QLatin1String("@sound"));
        } else {
            startProgram(program, QString::fromLatin1(c.line).remove(u'*'));
        }
        // Relative names (the chime) are looked for in the program's folder.
        EXPECT_EQ(QDir::currentPath() == QDir(folder.path()).canonicalPath(), c.line[0] != '*');
        EXPECT_EQ(windows.entries.join(", "), c.windows);
        // A first run stores the sensitivity 15; a later start loads what is stored.
        EXPECT_EQ(program.settings.mouseSens,
                  fakes.store->read(keys::kSettings, keys::kMouseSens).toInt());
        EXPECT_EQ(program.hasEnded(), c.line == QLatin1String("/p 1234") || c.line[0] == '*');
        for (const auto& box : fakes.messageBox->calls) {
            EXPECT_EQ(box.title + ": " + box.text,
                      "Error: Password Protection not available with this screen saver");
        }
        EXPECT_EQ(fakes.messageBox->calls.size(), c.line == QLatin1String("/A") ? 1u : 0u);
    }
    QDir::setCurrent(QDir::tempPath());
}

// The program ends once the loop turns with no window left: the settings synced, the audio closed.
TEST(Program, EndsWhenTheLastWindowHasGone) {
    WindowLog windows;
    ProgramHarness h;
    useRecordingWindows(h.program, windows);
    h.program.player();
    h.program.tray();
    h.program.unloadTray();
    QCoreApplication::processEvents();
    EXPECT_FALSE(h.program.hasEnded()) << "the player is still loaded";
    h.program.unloadPlayer();
    h.program.tray();  // loaded again before the loop turns: the program goes on
    QCoreApplication::processEvents();
    h.program.unloadTray();
    QCoreApplication::processEvents();
    EXPECT_TRUE(h.program.hasEnded());
    EXPECT_EQ(windows.entries.join(", "),
              "player load, tray load, tray unload, player unload, player timers off, tray load, "
              "tray unload");
    EXPECT_EQ(h.fakes.log, (QStringList{"mp3 stop", "close all"}));
    EXPECT_EQ(h.fakes.store->syncCount(), 1);
}

}  // namespace
}  // namespace luma::test
