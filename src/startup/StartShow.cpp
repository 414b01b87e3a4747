#include "startup/StartShow.h"

#include "runtime/Numbers.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"
#include "startup/LoadSettings.h"
#include "startup/Program.h"

namespace luma {
namespace {

void closeDisplay(Program& program) {
    if (program.displayIfLoaded() != nullptr) {
        program.unloadDisplay();
    }
}

void startMusic(Program& program) {
    if (PlayerWindow* player = program.player()) {
        player->startMusic();
    }
}

void trayAndMusic(Program& program) {
    closeDisplay(program);
    program.tray();
    startMusic(program);
}

}  // namespace

bool storedFlagIs(Program& program, const QString& key, double expected) {
    return numericValue(storedSetting(program.store(), key)) == expected;
}

bool startSlideshow(Program& program) {
    DisplayWindow* display = program.display();
    if (display == nullptr) {
        return false;
    }
    display->showWindow();
    display = program.displayIfLoaded();
    if (display == nullptr) {
        return false;
    }
    if (program.settings.slides == 1) {
        display->enableSlideTimer();
        display->showFirstSlide();
    }
    return true;
}

void startIdleShow(Program& program) {
    loadSettings(program.store(), program.settings);
    program.settings.musicOnly = 0;
    if (program.trayIfLoaded() != nullptr) {
        program.cursor().show(false);
        program.suppressKeyExit = true;
        startSlideshow(program);
        program.suppressKeyExit = false;
        return;
    }
    if (startSlideshow(program) && program.settings.bsound == 1) {
        if (PlayerWindow* player = program.player()) {
            player->startMusic();
        }
    }
}

void startShow(Program& program) {
    if (storedFlagIs(program, keys::kAutoStartup, 1)) {
        closeDisplay(program);
        program.tray();
        if (storedFlagIs(program, keys::kBsound, 1)) {
            startMusic(program);
        }
        return;
    }
    if (storedFlagIs(program, keys::kMusicNow, 1)) {
        closeDisplay(program);
        program.tray();
        if (storedFlagIs(program, keys::kSlides, 1)) {
            startSlideshow(program);
        }
        if (storedFlagIs(program, keys::kBsound, 1)) {
            startMusic(program);
        }
        return;
    }
    if (storedFlagIs(program, keys::kMusicNow, 0)) {
        program.player();
        // With the music-only setting the display closes itself while it loads; the tray icon and
        // the music below are then what the settings ask for.
        if (startSlideshow(program) && storedFlagIs(program, keys::kBsound, 1)) {
            startMusic(program);
            return;
        }
    }
    if (storedFlagIs(program, keys::kMusicOnly, 1)) {
        trayAndMusic(program);
        return;
    }
    startMusic(program);
}

}  // namespace luma
