#pragma once

#include "display/FrameDecoder.h"

#include <utility>

namespace luma::test {

// Decodes each frame at once, on the calling thread, so that tests driven by the manual clock
// see every frame at its tick; while `holding`, a frame is held back until release() hands it
// over, late.
class ImmediateFrameDecoder : public FrameDecoder {
public:
    void start(Picture picture, QRect target, QRect visible, Done done) override {
        ++started;
        held_ = [=] { done(decodeFrame(picture, target, visible)); };
        if (!holding) {
            release();
        }
    }
    bool busy() const override { return bool(held_); }
    void release() {
        holding = false;
        if (held_) {
            std::exchange(held_, {})();
        }
    }
    int started = 0;  // frames decoded
    bool holding = false;

private:
    std::function<void()> held_;
};

}  // namespace luma::test
