#pragma once

#include "display/PictureLoading.h"

#include <QString>

#include <cstdint>

namespace luma {

class SlideshowWindow;
class Program;
class Timer;

enum class SlideStepKind {
    FirstSlide,  // the step the callers run once right after they show the window
    Tick,        // a tick of slideTimer
};

// One step of the slideshow: stop a running animation, choose a new random slide position, clear
// the window to the background colour, choose the next slide (in list order or at random), read
// its path afresh, re-arm the slide timer, load and paint the slide (an animated GIF also goes to
// loadAnimation), ring the chime when asked. A slide that cannot be loaded leaves currentPicture as
// it was, and that picture is painted again.
void slideStep(SlideshowWindow& window, SlideStepKind kind);

// Sets the slide timer to "delay" seconds, which restarts its countdown. A delay longer than the
// timer can count waits the longest interval it can; a delay that is not a number, or negative,
// changes nothing.
void rearmSlideTimer(Program& program, Timer& timer);

// Slide `index` of the stored list, or the missing-entry text when the index lies outside 1..N.
QString slideEntry(Program& program, std::int32_t index);

// Where a still slide goes: stretched over the window when "screensize" is 1, else at the slide
// position at its size times "Slidesize".
PlaceOf stillPlace(SlideshowWindow& window);

// At the slide position at its size times "Slidesize", whatever "screensize" says.
PlaceOf actualSizePlace(SlideshowWindow& window);

}  // namespace luma
