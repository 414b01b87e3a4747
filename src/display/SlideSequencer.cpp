#include "display/SlideSequencer.h"

#include "display/AnimationLoading.h"
#include "display/Canvas.h"
#include "display/SlidePlacement.h"
#include "display/SlideshowWindow.h"
#include "music/DeviceRoutines.h"
#include "runtime/Numbers.h"
#include "runtime/PendingEvents.h"
#include "runtime/Random.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "settings/StoredList.h"
#include "startup/Program.h"

#include <QPointer>

#include <algorithm>
#include <cmath>

namespace luma {
namespace {

constexpr double kPlacementDivisor = 1.5;
constexpr std::int64_t kMillisecondsPerSecond = 1000;

// Steps 1 to 5: animation timer, position, clearing.
void prepare(SlideshowWindow& window, SlideStepKind kind) {
    Program& program = window.program();
    const SettingsRecord& settings = program.settings;
    if (settings.animate == 1) {
        window.animationTimer.setEnabled(false);
    } else if (kind == SlideStepKind::FirstSlide) {
        window.animationTimer.setEnabled(true);
    }
    program.random().reseedFromClock();
    const QSize inner = window.inner();
    window.slideX = randomPosition(inner.width() / kPlacementDivisor, program.random().next())
                        .value_or(window.slideX);
    window.slideY = randomPosition(inner.height() / kPlacementDivisor, program.random().next())
                        .value_or(window.slideY);
    window.frameHolders.front().backColour = settings.backColors;
    window.setBackgroundColour(settings.backColors);
}

void chooseSlide(Program& program) {
    const std::int32_t n = program.slideCount;
    if (program.settings.randomOrder == 1) {
        program.random().reseedFromClock();
        const double r = program.random().next();
        program.slideIndex = toInt32(std::floor(r * n + 1)).value_or(program.slideIndex);
        return;
    }
    if (std::int64_t{program.slideIndex} + 1 > n) {
        program.slideIndex = 1;
        return;
    }
    ++program.slideIndex;
    processPendingEvents();
}

}  // namespace

void rearmSlideTimer(Program& program, Timer& timer) {
    const auto delay =
        toInt32(program.store().read(keys::kSettings, keys::kDelay, QStringLiteral("5")));
    if (!delay || *delay < 0) {
        return;
    }
    const std::int64_t ms = std::int64_t{*delay} * kMillisecondsPerSecond;
    timer.setInterval(static_cast<int>(std::min<std::int64_t>(ms, Timer::kMaxInterval)));
}

QString slideEntry(Program& program, std::int32_t index) {
    if (index < 1 || index > program.slideCount) {
        return kMissingPicture;
    }
    return StoredList(program.store(), keys::kPictures).item(index);
}

PlaceOf stillPlace(SlideshowWindow& window) {
    return [&window](QSize size) {
        const SettingsRecord& settings = window.program().settings;
        if (settings.screenSize == 1) {
            return stretchedArea(window.inner());
        }
        return scaledArea(window.slideX, window.slideY, size, settings.slideSize);
    };
}

PlaceOf actualSizePlace(SlideshowWindow& window) {
    return [&window](QSize size) {
        return scaledArea(window.slideX, window.slideY, size, window.program().settings.slideSize);
    };
}

void slideStep(SlideshowWindow& window, SlideStepKind kind) {
    Program& program = window.program();
    SettingsRecord& settings = program.settings;
    prepare(window, kind);
    const QPointer<SlideshowWindow> alive(&window);
    chooseSlide(program);
    // The events that ran may have ended the show; a display that went away shows nothing more.
    if (!alive || program.hasEnded() || program.displayIfLoaded() != &window) {
        return;
    }
    if (const auto multiplier =
            toInt16(program.store().read(keys::kSettings, keys::kSlideSize, QStringLiteral("1")))) {
        settings.slideSize = *multiplier;
    }
    window.picturePath = slideEntry(program, program.slideIndex);
    const QString& path = window.picturePath;

    if (hasGifSuffix(path) && settings.animate == 1) {
        rearmSlideTimer(program, window.slideTimer);
        loadAndPaint(window.currentPicture, path, window.surface(), actualSizePlace(window));
        loadAnimation(window, path);
    } else {
        if (!hasGifSuffix(path)) {
            window.animationTimer.setEnabled(false);
        }
        rearmSlideTimer(program, window.slideTimer);
        loadAndPaint(window.currentPicture, path, window.surface(), stillPlace(window));
    }
    if (settings.asound == 1) {
        playChime(program);
    }
    processPendingEvents();
}

}  // namespace luma
