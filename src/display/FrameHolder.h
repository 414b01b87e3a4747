#pragma once

#include "display/Picture.h"

#include <QString>

#include <cstdint>

namespace luma {

// One element of the frameHolders holder array: a frame's picture and its tag, the frame's display
// time in milliseconds as decimal text.
struct FrameHolder {
    Picture picture;
    QString tag;
    std::int32_t backColour = 0;  // setting it clears the holder's drawing, which is never shown
};

}  // namespace luma
