#pragma once

#include "display/Canvas.h"
#include "display/FrameCache.h"
#include "display/FrameDecoder.h"
#include "display/FrameHolder.h"
#include "display/Picture.h"
#include "runtime/Timer.h"

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace luma {

class Random;
class SettingsStore;
struct SettingsRecord;

// What one screen of a show is made of, apart from its window: the canvas the window shows (in
// device pixels), the holders the pictures are painted from, the slide position, and the
// animation's frame counters and timer.
struct ShowState {
    // `decoder` decodes the animation's frames ahead; nullptr decodes each frame at its tick.
    ShowState(TimerService& timers, std::unique_ptr<FrameDecoder> decoder);
    ~ShowState();

    Canvas canvas;
    QColor background = Qt::black;  // what a clearing, and what a growing window, fills with
    Picture currentPicture;
    std::vector<FrameHolder> frameHolders;  // element 0 always exists
    Timer animationTimer;
    std::int16_t slideX = 0;
    std::int16_t slideY = 0;
    std::int32_t currentFrame = 0;
    std::int32_t lastFrame = 0;
    QString picturePath;        // the path read for the current slide
    QString singlePicturePath;  // "AniFile", the picture of single-picture mode

    // The animation's frames, decoded ahead at the size they are painted.
    FrameCache frameCache;
    std::uint64_t animationGeneration = 0;  // a new animation drops what older decodings bring
    int awaitedFrame = -1;                  // a frame whose tick came before it was decoded, or -1
    int decodingFrame = -1;                 // the frame the decoder works on, or -1
    bool animateAfterFade = false;          // the animation starts when the fade to it ends
    std::unique_ptr<FrameDecoder> frameDecoder;  // last, so that its work goes first

    // The window's inner size in device pixels, W x H, which the canvas always has.
    QSize area() const { return canvas.size(); }
    QPoint slidePosition() const { return {slideX, slideY}; }
    // Clears the canvas to a stored colour value.
    void setBackgroundColour(std::int32_t colour);
    // Forgets the animation's decoded frames: a new slide, or an animation that stops.
    void resetAnimation();
    // Turns the animation timer off; a frame awaited no longer turns it on when it arrives.
    void stopAnimation();
    // Turns the animation timer off until frame `index`, not decoded at its tick, arrives.
    void awaitFrame(int index);
};

// What the display routines use of the program beyond the show state.
struct ShowServices {
    SettingsStore& store;
    SettingsRecord& settings;
    Random& random;
    std::int32_t& slideIndex;  // the number of the slide last loaded
    std::int32_t& slideCount;  // the number of slides in the stored list
    Timer& slideTimer;
    std::function<void()> playChime;
    // Lets pending events run; false when the show went away meanwhile, after which nothing of it
    // may be touched.
    std::function<bool()> letEventsRun;
};

}  // namespace luma
