#include "display/AnimationPlayer.h"

#include "display/SlidePlacement.h"
#include "display/SlideshowWindow.h"
#include "runtime/Numbers.h"
#include "settings/SettingsRecord.h"
#include "startup/Program.h"

namespace luma {

QRect frameArea(const SettingsRecord& settings, QSize window, QPoint slide, QSize frame,
                QSize first) {
    const int multiplier = settings.slideSize;
    if (settings.screenSize == 1) {
        return stretchedArea(window);
    }
    if (settings.slides == 1) {
        if (std::int64_t{multiplier} * frame.width() > window.width()) {
            return stretchedArea(window);
        }
        return scaledArea(slide.x(), slide.y(), frame, multiplier);
    }
    return scaledArea(slide.x(), slide.y(), first, multiplier);
}

void animationTick(SlideshowWindow& window) {
    Timer& timer = window.animationTimer;
    if (!window.isShown()) {
        timer.setEnabled(false);
    }
    const auto holderCount = static_cast<std::int32_t>(window.frameHolders.size());
    const auto holds = [&](std::int32_t i) { return i >= 0 && i < holderCount; };
    if (!holds(window.currentFrame)) {
        timer.setEnabled(false);
        return;
    }
    const auto interval = toInt32(window.frameHolders[window.currentFrame].tag);
    if (!interval || !timer.setInterval(*interval)) {
        timer.setEnabled(false);
        return;
    }
    if (window.currentFrame >= window.lastFrame) {
        window.currentFrame = 0;
        return;
    }
    ++window.currentFrame;
    if (!holds(window.currentFrame)) {
        timer.setEnabled(false);
        return;
    }
    const Picture& frame = window.frameHolders[window.currentFrame].picture;
    const QRect area =
        frameArea(window.program().settings, window.inner(), QPoint(window.slideX, window.slideY),
                  frame.size(), window.currentPicture.size());
    if (!window.surface().paint(frame, area, PaintQuality::Fast)) {
        timer.setEnabled(false);
    }
}

}  // namespace luma
