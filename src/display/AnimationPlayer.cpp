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

namespace {

// The area frame `index` is painted over.
QRect frameAreaOf(const ShowState& show, const SettingsRecord& settings, int index) {
    const Picture& frame = show.frameHolders[static_cast<std::size_t>(index)].picture;
    return frameArea(settings, show.area(), show.slidePosition(), frame.size(),
                     show.currentPicture.size());
}

// An estimate of the bytes a frame painted over `area` takes decoded: that area on the canvas.
std::size_t estimatedBytes(const ShowState& show, QRect area) {
    const QRect shown = area.intersected(show.canvas.rect());
    return static_cast<std::size_t>(shown.width()) * static_cast<std::size_t>(shown.height()) * 4;
}

// Hands frame `index` to the decoder; its result is kept, painted when its tick has come, and
// the decoding goes on with the next frame.
void startDecoding(ShowState& show, const SettingsRecord& settings, int index) {
    const QRect area = frameAreaOf(show, settings, index);
    const QRect visible = show.canvas.rect();
    const std::uint64_t generation = show.animationGeneration;
    ShowState* state = &show;  // the decoder goes with the show, and its result with it
    const SettingsRecord* record = &settings;
    show.decodingFrame = index;
    show.frameDecoder->start(
        show.frameHolders[static_cast<std::size_t>(index)].picture, area, visible,
        [state, record, generation, index, area, visible](std::optional<DecodedPart> part) {
            state->decodingFrame = -1;
            if (state->animationGeneration != generation) {
                decodeFramesAhead(*state, *record);  // a new animation's frames
                return;
            }
            if (state->awaitedFrame == index) {
                state->awaitedFrame = -1;
                if (!part) {
                    return;  // a frame that does not decode stops the animation
                }
                state->canvas.draw(*part, PaintQuality::Fast);
                state->animationTimer.setEnabled(true);  // its delay counts from now
            }
            state->frameCache.setPosition(state->currentFrame, state->lastFrame);
            state->frameCache.insert(index, area, visible, std::move(part));
            decodeFramesAhead(*state, *record);
        });
}

}  // namespace

// Keeps the decoder busy with the frame awaited, or else the next frame to show that is not kept,
// as long as the budget would keep it.
void decodeFramesAhead(ShowState& show, const SettingsRecord& settings) {
    if (!show.frameDecoder || show.frameDecoder->busy() || show.lastFrame < 1 ||
        show.lastFrame >= static_cast<std::int32_t>(show.frameHolders.size())) {
        return;
    }
    if (show.awaitedFrame >= 0) {
        startDecoding(show, settings, show.awaitedFrame);
        return;
    }
    if (!show.animationTimer.isEnabled()) {
        return;
    }
    FrameCache& cache = show.frameCache;
    cache.setPosition(show.currentFrame, show.lastFrame);
    for (int step = 1; step <= show.lastFrame; ++step) {
        const int index = (show.currentFrame + step - 1) % show.lastFrame + 1;
        if (cache.contains(index)) {
            continue;
        }
        if (cache.wouldKeep(index, estimatedBytes(show, frameAreaOf(show, settings, index)))) {
            startDecoding(show, settings, index);
        }
        return;
    }
}

void animationTick(ShowState& show, const SettingsRecord& settings, bool windowShown) {
    Timer& timer = show.animationTimer;
    if (!windowShown) {
        show.stopAnimation();
    }
    const auto holderCount = static_cast<std::int32_t>(show.frameHolders.size());
    const auto holds = [&](std::int32_t i) { return i >= 0 && i < holderCount; };
    if (!holds(show.currentFrame)) {
        show.stopAnimation();
        return;
    }
    const auto interval = toInt32(show.frameHolders[show.currentFrame].tag);
    if (!interval || !timer.setInterval(*interval)) {
        show.stopAnimation();
        return;
    }
    if (show.currentFrame >= show.lastFrame) {
        show.currentFrame = 0;
        return;
    }
    ++show.currentFrame;
    if (!holds(show.currentFrame)) {
        show.stopAnimation();
        return;
    }
    const QRect area = frameAreaOf(show, settings, show.currentFrame);
    // Without a decoder, or on the one tick of an animation that has stopped, the frame is decoded
    // here and now.
    const auto paintHere = [&] {
        if (!show.canvas.paint(show.frameHolders[show.currentFrame].picture, area,
                               PaintQuality::Fast)) {
            show.stopAnimation();
        }
    };
    if (!show.frameDecoder) {
        paintHere();
        return;
    }
    if (const auto* kept = show.frameCache.find(show.currentFrame, area, show.canvas.rect())) {
        if (!*kept) {
            show.stopAnimation();  // a frame that does not decode stops the animation
            return;
        }
        show.canvas.draw(**kept, PaintQuality::Fast);
        decodeFramesAhead(show, settings);
        return;
    }
    if (!timer.isEnabled()) {
        paintHere();
        return;
    }
    // Not decoded yet: it is painted when it arrives, and its delay counts from then.
    show.awaitFrame(show.currentFrame);
    if (show.decodingFrame != show.currentFrame) {
        decodeFramesAhead(show, settings);
    }
}

}  // namespace luma
