#include "display/SlideSequencer.h"

#include "display/AnimationLoading.h"
#include "display/AnimationPlayer.h"
#include "display/Canvas.h"
#include "display/ShowState.h"
#include "display/SlidePlacement.h"
#include "runtime/Numbers.h"
#include "runtime/Random.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"
#include "settings/StoredList.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>

namespace luma {
namespace {

constexpr double kPlacementDivisor = 1.5;
constexpr std::int64_t kMillisecondsPerSecond = 1000;

// Steps 1 to 5: animation timer, position, clearing.
void prepare(ShowState& show, ShowServices& services, SlideStepKind kind) {
    const SettingsRecord& settings = services.settings;
    if (settings.animate == 1) {
        show.stopAnimation();
    } else if (kind == SlideStepKind::FirstSlide) {
        show.animationTimer.setEnabled(true);
    }
    services.random.reseedFromClock();
    const QSize area = show.area();
    show.slideX = randomPosition(area.width() / kPlacementDivisor, services.random.next())
                      .value_or(show.slideX);
    show.slideY = randomPosition(area.height() / kPlacementDivisor, services.random.next())
                      .value_or(show.slideY);
    show.frameHolders.front().backColour = settings.backColors;
    show.setBackgroundColour(settings.backColors);
    show.resetAnimation();  // the old slide's frames go with it
}

// Moves the slide index on; false when the show went away while events ran.
bool chooseSlide(ShowServices& services) {
    const std::int32_t n = services.slideCount;
    if (services.settings.randomOrder == 1) {
        services.random.reseedFromClock();
        const double r = services.random.next();
        services.slideIndex = toInt32(std::floor(r * n + 1)).value_or(services.slideIndex);
        return true;
    }
    if (std::int64_t{services.slideIndex} + 1 > n) {
        services.slideIndex = 1;
        return true;
    }
    ++services.slideIndex;
    return services.letEventsRun();
}

// Reads and paints the still slides of a step, read side by side on workers.
void paintStills(const std::vector<ShowState*>& stills, const SettingsRecord& settings) {
    std::vector<QFuture<std::optional<LoadedPicture>>> reads;
    for (const ShowState* show : stills) {
        reads.push_back(QtConcurrent::run(readPicture, show->picturePath, show->canvas.rect(),
                                          stillPlace(*show, settings)));
    }
    for (std::size_t k = 0; k < stills.size(); ++k) {
        ShowState& show = *stills[k];
        paintLoaded(show.currentPicture, reads[k].result(), show.canvas,
                    stillPlace(show, settings));
    }
}

}  // namespace

void rearmSlideTimer(const SettingsStore& store, Timer& timer) {
    const auto delay = toInt32(storedSetting(store, keys::kDelay));
    if (!delay || *delay < 0) {
        return;
    }
    const std::int64_t ms = std::int64_t{*delay} * kMillisecondsPerSecond;
    timer.setInterval(static_cast<int>(std::min<std::int64_t>(ms, Timer::kMaxInterval)));
}

QString slideEntry(SettingsStore& store, std::int32_t count, std::int32_t index) {
    if (index < 1 || index > count) {
        return kMissingPicture;
    }
    return StoredList(store, keys::kPictures).item(index);
}

PlaceOf stillPlace(const ShowState& show, const SettingsRecord& settings) {
    return [&show, &settings](QSize size) {
        if (settings.screenSize == 1) {
            return stretchedArea(show.area());
        }
        return scaledArea(show.slideX, show.slideY, size, settings.slideSize);
    };
}

PlaceOf actualSizePlace(const ShowState& show, const SettingsRecord& settings) {
    return [&show, &settings](QSize size) {
        return scaledArea(show.slideX, show.slideY, size, settings.slideSize);
    };
}

void slideStep(const std::vector<ShowState*>& screens, ShowServices& services, SlideStepKind kind) {
    SettingsRecord& settings = services.settings;
    std::vector<std::int32_t> chosen;
    for (ShowState* show : screens) {
        prepare(*show, services, kind);
        // The events that ran may have ended the show; a display that went away shows nothing
        // more.
        if (!chooseSlide(services)) {
            return;
        }
        chosen.push_back(services.slideIndex);
    }
    if (const auto multiplier = toInt16(storedSetting(services.store, keys::kSlideSize))) {
        settings.slideSize = *multiplier;
    }
    rearmSlideTimer(services.store, services.slideTimer);
    std::vector<ShowState*> stills;
    for (std::size_t k = 0; k < screens.size(); ++k) {
        ShowState& show = *screens[k];
        show.picturePath = slideEntry(services.store, services.slideCount, chosen[k]);
        const QString& path = show.picturePath;
        if (hasGifSuffix(path) && settings.animate == 1) {
            loadAndPaint(show.currentPicture, path, show.canvas, actualSizePlace(show, settings));
            loadAnimation(show, path);
            decodeFramesAhead(show, settings);
            continue;
        }
        if (!hasGifSuffix(path)) {
            show.stopAnimation();
        }
        stills.push_back(&show);
    }
    paintStills(stills, settings);
    if (settings.asound == 1) {
        services.playChime();
    }
    services.letEventsRun();
}

}  // namespace luma
