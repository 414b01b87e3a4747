#pragma once

#include <SDL.h>

#include <cstddef>
#include <memory>

namespace luma::audio {

// Converts interleaved stereo float frames from one sample rate to the engine's, through an
// SDL_AudioStream (which needs no SDL_Init).
class RateConverter {
public:
    // Null when SDL cannot convert from `fromRate`.
    static std::unique_ptr<RateConverter> create(int fromRate);

    bool put(const float* frames, std::size_t count);
    // Marks the end of the input: what is buffered becomes available.
    void flush();
    // Takes up to `count` converted frames; returns how many.
    std::size_t get(float* out, std::size_t count);
    std::size_t available() const;
    void clear();

private:
    struct StreamDeleter {
        void operator()(SDL_AudioStream* s) const { SDL_FreeAudioStream(s); }
    };
    explicit RateConverter(SDL_AudioStream* stream) : stream_(stream) {}

    std::unique_ptr<SDL_AudioStream, StreamDeleter> stream_;
};

}  // namespace luma::audio
