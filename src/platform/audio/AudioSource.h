#pragma once

#include <cstddef>

namespace luma::audio {

// The engine mixes interleaved stereo float frames at one fixed rate; every source delivers that.
inline constexpr int kRate = 44100;
inline constexpr int kChannels = 2;

// A stream of sound. render() is called on the audio thread (or by a test pulling the manual
// output); it must not block on I/O for long and must never touch a window object.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Writes up to `frames` frames into `out` (frames * kChannels floats) and returns how many it
    // wrote. Fewer than asked means the source has ended; it then returns 0 on every later call.
    virtual std::size_t render(float* out, std::size_t frames) = 0;
};

}  // namespace luma::audio
