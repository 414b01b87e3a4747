#pragma once

#include "display/PictureLoading.h"

#include <QString>

#include <cstdint>

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

// One step of the slideshow: stop a running animation, choose a new random slide position, clear
// the window to the background colour, choose the next slide (in list order or at random), read
// its path afresh, re-arm the slide timer, load and paint the slide (an animated GIF also goes to
// loadAnimation), ring the chime when asked. A slide that cannot be loaded leaves currentPicture as
// it was, and that picture is painted again.
void slideStep(ShowState& show, ShowServices& services, SlideStepKind kind);

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
