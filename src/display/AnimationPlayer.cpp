#include "display/AnimationPlayer.h"

#include "display/ShowState.h"
#include "display/SlidePlacement.h"
#include "runtime/Numbers.h"
#include "settings/SettingsRecord.h"

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

void animationTick(ShowState& show, const SettingsRecord& settings, bool windowShown) {
    Timer& timer = show.animationTimer;
    if (!windowShown) {
        timer.setEnabled(false);
    }
    const auto holderCount = static_cast<std::int32_t>(show.frameHolders.size());
    const auto holds = [&](std::int32_t i) { return i >= 0 && i < holderCount; };
    if (!holds(show.currentFrame)) {
        timer.setEnabled(false);
        return;
    }
    const auto interval = toInt32(show.frameHolders[show.currentFrame].tag);
    if (!interval || !timer.setInterval(*interval)) {
        timer.setEnabled(false);
        return;
    }
    if (show.currentFrame >= show.lastFrame) {
        show.currentFrame = 0;
        return;
    }
    ++show.currentFrame;
    if (!holds(show.currentFrame)) {
        timer.setEnabled(false);
        return;
    }
    const Picture& frame = show.frameHolders[show.currentFrame].picture;
    const QRect area = frameArea(settings, show.area(), show.slidePosition(), frame.size(),
                                 show.currentPicture.size());
    if (!show.canvas.paint(frame, area, PaintQuality::Fast)) {
        timer.setEnabled(false);
    }
}

}  // namespace luma
