#include "display/InputExit.h"

#include "runtime/Numbers.h"
#include "runtime/PendingEvents.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"
#include "startup/Program.h"

#include <cmath>

namespace luma {

bool MovementRule::move(QPointF position, std::int16_t sensitivity) {
    const float x = static_cast<float>(position.x());
    const float y = static_cast<float>(position.y());
    const float dx = std::fabs(static_cast<float>(lastX_) - x);
    const float dy = std::fabs(static_cast<float>(lastY_) - y);
    const float s = sensitivity;
    if ((dx >= s || dy >= s) && !(lastX_ == 0 && lastY_ == 0)) {
        forget();
        return true;
    }
    // A coordinate beyond the 16-bit range keeps the old value, as a failed conversion does.
    lastX_ = toInt16(static_cast<double>(x)).value_or(lastX_);
    lastY_ = toInt16(static_cast<double>(y)).value_or(lastY_);
    return false;
}

void exitOnUserInput(Program& program) {
    if (numericValue(storedSetting(program.store(), keys::kMusicNow)) == 1) {
        program.cursor().show(true);
        processPendingEvents();
        if (DisplayWindow* display = program.displayIfLoaded()) {
            display->disableTimers();
            display->hideWindow();
        }
        return;
    }
    program.unloadDisplay();
    if (program.panelIfLoaded() != nullptr) {
        program.unloadPanel();
    }
    if (program.runsFor(Program::Task::IdleWatch)) {
        program.unloadPlayer();  // the watcher goes on, waiting for the next idle time
        return;
    }
    program.endProgram();
}

}  // namespace luma
