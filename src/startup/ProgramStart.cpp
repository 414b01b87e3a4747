#include "startup/ProgramStart.h"

#include "platform/MessageBox.h"
#include "platform/SingleInstance.h"
#include "runtime/Numbers.h"
#include "runtime/PendingEvents.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "startup/LoadSettings.h"
#include "startup/ModeSwitch.h"
#include "startup/Program.h"
#include "startup/StartShow.h"

#include <QDir>

namespace luma {
namespace {

constexpr int kHelpTab = 3;
// A sensitivity the panel can store (1 to 30) is a user's choice, not the mark of a first run: only
// a value below 1 (an absent key reads 0) is.
constexpr double kFirstRunBelow = 1;

void firstRun(Program& program) {
    program.store().write(keys::kSettings, keys::kMouseSens, QStringLiteral("15"));
    program.settings.mouseSens = 15;
    if (PanelWindow* panel = program.panel()) {
        panel->showWindow();
        panel->selectTab(kHelpTab);
        panel->findCdDrives();
    }
}

// Relative names (the chime "chimes.wav") are looked for in the program's folder.
void enterProgramFolder(const Program& program) {
    if (!program.programFolder().isEmpty()) {
        QDir::setCurrent(program.programFolder());
    }
}

}  // namespace

void startProgram(Program& program, const QString& commandLine) {
    if (!program.instance().acquire()) {
        program.endProgram();
        return;
    }
    enterProgramFolder(program);
    switch (modeOf(commandLine)) {
        case Mode::Configure:
            if (PanelWindow* panel = program.panel()) {
                panel->showWindow();
            }
            return;
        case Mode::Show:
            break;
        case Mode::Preview:
            program.endProgram();
            return;
        case Mode::Password:
            program.messageBox().show(
                nullptr, QStringLiteral("Password Protection not available with this screen saver"),
                QStringLiteral("Error"), MessageBox::kInformation);
            return;
        case Mode::Other:
        case Mode::IdleWatch:  // the application starts the watcher itself
            return;
    }
    processPendingEvents();
    const double sensitivity =
        numericValue(program.store().read(keys::kSettings, keys::kMouseSens));
    if (sensitivity < kFirstRunBelow) {
        firstRun(program);
        return;
    }
    loadSettings(program.store(), program.settings);
    startShow(program);
}

void startHostedShow(Program& program, bool withSound) {
    enterProgramFolder(program);
    SettingsRecord& settings = program.settings;
    loadSettings(program.store(), settings);
    settings.musicOnly = 0;  // a saver always shows its pictures
    if (!withSound) {
        settings.bsound = 0;
        settings.asound = 0;
    }
    if (!startSlideshow(program) || settings.bsound != 1) {
        return;
    }
    if (PlayerWindow* player = program.player()) {
        player->startMusic();
    }
}

}  // namespace luma
