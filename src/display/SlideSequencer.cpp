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

// Moves `index` on from the slide before it.
void chooseSlide(std::int32_t& index, ShowServices& services) {
    const std::int32_t n = services.slideCount;
    if (services.settings.randomOrder == 1) {
        services.random.reseedFromClock();
        const double r = services.random.next();
        index = toInt32(std::floor(r * n + 1)).value_or(index);
        return;
    }
    index = std::int64_t{index} + 1 > n ? 1 : index + 1;
}

// Stops or arms the animation timer, takes the planned position and clears to the background
// colour.
void prepare(ShowState& show, const PlannedSlide& plan, const SettingsRecord& settings,
             SlideStepKind kind) {
    if (settings.animate == 1) {
        show.stopAnimation();
    } else if (kind == SlideStepKind::FirstSlide) {
        show.animationTimer.setEnabled(true);
    }
    show.slideX = static_cast<std::int16_t>(plan.position.x());
    show.slideY = static_cast<std::int16_t>(plan.position.y());
    show.frameHolders.front().backColour = settings.backColors;
    show.setBackgroundColour(settings.backColors);
    show.resetAnimation();  // the old slide's frames go with it
}

bool animates(const QString& path, const SettingsRecord& settings) {
    return hasGifSuffix(path) && settings.animate == 1;
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

std::vector<PlannedSlide> planSlides(const std::vector<ShowState*>& screens,
                                     ShowServices& services) {
    std::vector<PlannedSlide> plans;
    std::int32_t index = services.slideIndex;
    for (const ShowState* show : screens) {
        services.random.reseedFromClock();
        const QSize area = show->area();
        const auto x = randomPosition(area.width() / kPlacementDivisor, services.random.next());
        const auto y = randomPosition(area.height() / kPlacementDivisor, services.random.next());
        chooseSlide(index, services);
        plans.push_back({index, QPoint(x.value_or(show->slideX), y.value_or(show->slideY))});
    }
    return plans;
}

SlideRead slideRead(const PlannedSlide& plan, const ShowState& show, ShowServices& services) {
    SlideRead read;
    read.path = slideEntry(services.store, services.slideCount, plan.index);
    read.visible = show.canvas.rect();
    read.stretched = services.settings.screenSize == 1 && !animates(read.path, services.settings);
    read.position = plan.position;
    read.multiplier = toInt16(storedSetting(services.store, keys::kSlideSize))
                          .value_or(services.settings.slideSize);
    return read;
}

void showSlides(const std::vector<ShowState*>& screens, const std::vector<PlannedSlide>& plans,
                std::vector<ReadSlide>& reads, ShowServices& services, SlideStepKind kind) {
    SettingsRecord& settings = services.settings;
    for (std::size_t k = 0; k < screens.size(); ++k) {
        prepare(*screens[k], plans[k], settings, kind);
    }
    if (!plans.empty()) {
        services.slideIndex = plans.back().index;
    }
    if (const auto multiplier = toInt16(storedSetting(services.store, keys::kSlideSize))) {
        settings.slideSize = *multiplier;
    }
    rearmSlideTimer(services.store, services.slideTimer);
    for (std::size_t k = 0; k < screens.size(); ++k) {
        ShowState& show = *screens[k];
        show.picturePath = reads[k].request.path;
        const QString& path = show.picturePath;
        if (animates(path, settings)) {
            paintLoaded(show.currentPicture, std::move(reads[k].loaded), show.canvas,
                        actualSizePlace(show, settings));
            loadAnimation(show, path);
            decodeFramesAhead(show, settings);
            continue;
        }
        if (!hasGifSuffix(path)) {
            show.stopAnimation();
        }
        paintLoaded(show.currentPicture, std::move(reads[k].loaded), show.canvas,
                    stillPlace(show, settings));
    }
    if (settings.asound == 1) {
        services.playChime();
    }
    services.letEventsRun();
}

void slideStep(const std::vector<ShowState*>& screens, ShowServices& services, SlideStepKind kind) {
    const std::vector<PlannedSlide> plans = planSlides(screens, services);
    std::vector<QFuture<ReadSlide>> reading;
    for (std::size_t k = 0; k < screens.size(); ++k) {
        reading.push_back(QtConcurrent::run(readSlide, slideRead(plans[k], *screens[k], services)));
    }
    std::vector<ReadSlide> reads;
    for (auto& read : reading) {
        reads.push_back(read.result());
    }
    showSlides(screens, plans, reads, services, kind);
}

}  // namespace luma
