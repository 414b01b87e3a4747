#pragma once

#include "display/PictureLoading.h"

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

// One step of the slideshow over the screens that show slides, `screens`: on each in turn stop a
// running animation, choose a new random slide position, clear it to the background colour and
// choose its slide (in list order the next entry, so the screens show consecutive entries; at
// random a draw of its own); then read the paths afresh, re-arm the slide timer, load and paint
// the slides (the stills decoded side by side, an animated GIF also going to loadAnimation), and
// ring the chime once when asked. A slide that cannot be loaded leaves its screen's currentPicture
// as it was, and that picture is painted again.
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
