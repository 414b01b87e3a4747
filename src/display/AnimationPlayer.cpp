#include "display/AnimationPlayer.h"

#include "display/SlidePlacement.h"
#include "display/frmMain.h"
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

void animationTick(frmMain& window) {
    Timer& timer = window.AnimationTimer;
    if (!window.isShown()) {
        timer.setEnabled(false);
    }
    const auto holderCount = static_cast<std::int32_t>(window.AnimatedGIF.size());
    const auto holds = [&](std::int32_t i) { return i >= 0 && i < holderCount; };
    if (!holds(window.CurrentFrame)) {
        timer.setEnabled(false);
        return;
    }
    const auto interval = toInt32(window.AnimatedGIF[window.CurrentFrame].tag);
    if (!interval || !timer.setInterval(*interval)) {
        timer.setEnabled(false);
        return;
    }
    if (window.CurrentFrame >= window.LastFrame) {
        window.CurrentFrame = 0;
        return;
    }
    ++window.CurrentFrame;
    if (!holds(window.CurrentFrame)) {
        timer.setEnabled(false);
        return;
    }
    const Picture& frame = window.AnimatedGIF[window.CurrentFrame].picture;
    const QRect area =
        frameArea(window.program().settings, window.inner(), QPoint(window.SlideX, window.SlideY),
                  frame.size(), window.Picture1.size());
    if (!window.surface().paint(frame, area, PaintQuality::Fast)) {
        timer.setEnabled(false);
    }
}

}  // namespace luma
