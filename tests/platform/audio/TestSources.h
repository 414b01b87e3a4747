#pragma once

#include "platform/audio/AudioSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <limits>
#include <vector>

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

// Renders `source` in pieces of `piece` frames until it delivers fewer than asked; returns every
// frame delivered. A source still going after `limit` frames fails the test.
inline std::vector<float> renderToEnd(audio::AudioSource& source, std::size_t piece = 1024,
                                      std::size_t limit = 60 * 44100) {
    std::vector<float> all;
    std::vector<float> buffer(piece * audio::kChannels);
    while (all.size() / audio::kChannels < limit) {
        const std::size_t got = source.render(buffer.data(), piece);
        all.insert(all.end(), buffer.begin(),
                   buffer.begin() + static_cast<std::ptrdiff_t>(got * audio::kChannels));
        if (got < piece) {
            return all;
        }
    }
    ADD_FAILURE() << "the source never ended";
    return all;
}

}  // namespace luma::test
