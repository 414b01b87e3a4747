#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace luma {

struct ShowState;
struct SettingsRecord;

// One tick of the animation timer (which stops when the window is not shown): the interval becomes
// the delay of the frame shown so far, then the next frame is painted over what the window shows;
// after the last frame one tick paints nothing and the cycle goes on with frame 1. A tick that
// fails (a tag that is no delay, a delay the timer cannot take, a frame that does not decode) stops
// the animation and leaves the last frame shown.
//
// With a frame decoder, frames are decoded ahead and kept within the frame cache's budget, so
// that a tick only paints; a frame not decoded at its tick is painted when it arrives, the timer
// waiting for it so that its delay is not cut short.
void animationTick(ShowState& show, const SettingsRecord& settings, bool windowShown);

// Sets the frame decoder to work on the frames to come; run when an animation starts.
void decodeFramesAhead(ShowState& show, const SettingsRecord& settings);

// Where an animation frame of size `frame` is painted: stretched over the window, or at the slide
// position times "Slidesize"; single-picture mode paints every frame at the size of `first`.
QRect frameArea(const SettingsRecord& settings, QSize window, QPoint slide, QSize frame,
                QSize first);

}  // namespace luma
