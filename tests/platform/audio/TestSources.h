#pragma once

#include "platform/audio/AudioSource.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <limits>

namespace luma::test {

// Delivers a constant value on both channels for a given number of frames, then ends.
class ConstantSource : public audio::AudioSource {
public:
    explicit ConstantSource(float value,
                            std::size_t frames = std::numeric_limits<std::size_t>::max())
        : value_(value), left_(frames) {}
    std::size_t render(float* out, std::size_t frames) override {
        const std::size_t n = std::min(frames, left_);
        std::fill(out, out + n * audio::kChannels, value_);
        left_ -= n;
        rendered += n;
        return n;
    }
    std::atomic<std::size_t> rendered{0};

private:
    float value_;
    std::size_t left_;
};

}  // namespace luma::test
