#include "display/ShowState.h"

namespace luma {

ShowState::ShowState(TimerService& timers)
    : frameHolders(1), slideTimer(timers), animationTimer(timers) {}

void ShowState::setBackgroundColour(std::int32_t colour) {
    background = colourOf(colour);
    canvas.fill(background);
}

}  // namespace luma
