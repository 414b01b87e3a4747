#include "startup/StartShow.h"

#include "runtime/Numbers.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
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

bool storedFlagIs(Program& program, const QString& key, const char* defaultText, double expected) {
    const QString text =
        program.store().read(keys::kSettings, key, QString::fromLatin1(defaultText));
    return numericValue(text) == expected;
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

void startShow(Program& program) {
    if (storedFlagIs(program, keys::kAutoStartup, "0", 1)) {
        closeDisplay(program);
        program.tray();
        if (storedFlagIs(program, keys::kBsound, "1", 1)) {
            startMusic(program);
        }
        return;
    }
    if (storedFlagIs(program, keys::kMusicNow, "0", 1)) {
        closeDisplay(program);
        program.tray();
        if (storedFlagIs(program, keys::kSlides, "0", 1)) {
            startSlideshow(program);
        }
        if (storedFlagIs(program, keys::kBsound, "1", 1)) {
            startMusic(program);
        }
        return;
    }
    if (storedFlagIs(program, keys::kMusicNow, "0", 0)) {
        program.player();
        // With the music-only setting the display closes itself while it loads; the tray icon and
        // the music below are then what the settings ask for.
        if (startSlideshow(program) && storedFlagIs(program, keys::kBsound, "1", 1)) {
            startMusic(program);
            return;
        }
    }
    if (storedFlagIs(program, keys::kMusicOnly, "0", 1)) {
        trayAndMusic(program);
        return;
    }
    startMusic(program);
}

}  // namespace luma
