#include "display/ShowState.h"

namespace luma {

ShowState::ShowState(TimerService& timers, std::unique_ptr<FrameDecoder> decoder)
    : frameHolders(1), animationTimer(timers), frameDecoder(std::move(decoder)) {}

ShowState::~ShowState() {
    frameDecoder.reset();  // waits for its worker before the frames it decodes go
}

void ShowState::resetAnimation() {
    ++animationGeneration;
    frameCache.clear();
    awaitedFrame = -1;
}

void ShowState::stopAnimation() {
    animationTimer.setEnabled(false);
    animateAfterFade = false;
    awaitedFrame = -1;
}

void ShowState::awaitFrame(int index) {
    animationTimer.setEnabled(false);
    awaitedFrame = index;
}

void ShowState::setBackgroundColour(std::int32_t colour) {
    background = colourOf(colour);
    canvas.fill(background);
}

}  // namespace luma
