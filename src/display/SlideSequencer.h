#pragma once

#include "display/PictureLoading.h"
#include "display/SlideReader.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <vector>

namespace luma {

class SettingsStore;
class Timer;
struct SettingsRecord;
struct ShowServices;
struct ShowState;

enum class SlideStepKind {
    FirstSlide,  // the step the callers run once right after they show the window
    Tick,        // a tick of slideTimer
};

// The slide one screen shows at the next step, drawn one step early: its list position and its
// slide position.
struct PlannedSlide {
    std::int32_t index = 0;
    QPoint position;
};

// Draws the next step's slides for `screens` as the step would: for each screen in turn a random
// slide position and then its list position (in list order the entries after slideIndex, so that
// the screens show consecutive entries; at random a draw of its own). Touches nothing but the
// random numbers.
std::vector<PlannedSlide> planSlides(const std::vector<ShowState*>& screens,
                                     ShowServices& services);

// What `plan` on `show` is read for now: the entry at its list position read afresh, on the
// canvas as it is, at the place the settings give.
SlideRead slideRead(const PlannedSlide& plan, const ShowState& show, ShowServices& services);

// Shows the planned slides, read beforehand: on each screen stop a running animation, take the
// planned position and clear to the background colour; then re-arm the slide timer, paint the
// slides (an animated GIF also going to loadAnimation) and ring the chime once when asked. A slide
// that did not load leaves its screen's currentPicture as it was, and that picture is painted
// again.
void showSlides(const std::vector<ShowState*>& screens, const std::vector<PlannedSlide>& plans,
                std::vector<ReadSlide>& reads, ShowServices& services, SlideStepKind kind);

// One whole step at once: plans, reads the slides side by side on workers and shows them.
void slideStep(const std::vector<ShowState*>& screens, ShowServices& services, SlideStepKind kind);

// Sets the slide timer to "delay" seconds, which restarts its countdown. A delay longer than the
// timer can count waits the longest interval it can; a delay that is not a number, or negative,
// changes nothing.
void rearmSlideTimer(const SettingsStore& store, Timer& timer);

// Slide `index` of the stored list of `count` slides, or the missing-entry text when the index lies
// outside 1..count.
QString slideEntry(SettingsStore& store, std::int32_t count, std::int32_t index);

// Where a still slide goes: stretched over the window when "screensize" is 1, else at the slide
// position at its size times "Slidesize".
PlaceOf stillPlace(const ShowState& show, const SettingsRecord& settings);

// At the slide position at its size times "Slidesize", whatever "screensize" says.
PlaceOf actualSizePlace(const ShowState& show, const SettingsRecord& settings);

}  // namespace luma
