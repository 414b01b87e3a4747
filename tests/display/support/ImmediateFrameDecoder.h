#pragma once

#include "display/FrameDecoder.h"

namespace luma::test {

// Decodes each frame at once, on the calling thread, so that tests driven by the manual clock
// see every frame at its tick.
class ImmediateFrameDecoder : public FrameDecoder {
public:
    void start(Picture picture, QRect target, QRect visible, Done done) override {
        ++started;
        done(decodeFrame(picture, target, visible));
    }
    bool busy() const override { return false; }
    int started = 0;  // frames decoded
};

}  // namespace luma::test
