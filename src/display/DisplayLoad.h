#pragma once

#include <functional>

namespace luma {

class CursorCounter;
struct ShowServices;
struct ShowState;

// What the load procedure does to the windows: the display itself and the control panel.
struct DisplayHost {
    std::function<void()> coverScreen;  // puts the display over the whole screen
    std::function<void()> show;
    std::function<void()> hide;
    std::function<void()> close;  // unloads the display
    std::function<void(bool visible)> openPanel;
    std::function<void()> readFirstSlides;  // starts reading what the first step shows
    CursorCounter& cursor;
};

// The load procedure of the display window: full screen; closes again at once with the music-only
// setting; random slide position; slide count from the stored list. With "Slides" = 1 it arms the
// slide timer, takes slide 1 into currentPicture undecoded and unpainted, starts reading the first
// step's slides, clears to the background colour and shows the window (the caller's
// showFirstSlide paints the first slide). Otherwise it shows the
// single picture named by "AniFile", which needs no slide list, as an animation (frame 0 painted at
// once) when it is a GIF and "animate" is 1. An empty slide list in slideshow mode, or an unusable
// single picture, loads the control panel unseen and hides the display; a single picture under 101
// bytes, or a GIF that yields no picture, shows the panel.
void runLoadProcedure(ShowState& show, ShowServices& services, DisplayHost& host);

}  // namespace luma
