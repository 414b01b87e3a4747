#pragma once

#include "platform/audio/AudioOutput.h"

#include <cstddef>
#include <vector>

namespace luma::audio {

// An output that the caller pulls, frame count by frame count: deterministic and as fast as the
// sources render. Stands in for the sound device in tests and benchmarks.
class ManualOutput : public AudioOutput {
public:
    bool resume(Mixer& mixer) override;
    void suspend() override { running_ = false; }
    void close() override { running_ = false; }

    // Mixes `frames` frames (interleaved stereo); silence while the output is not running.
    std::vector<float> pull(std::size_t frames);
    // Mixes into `out` without allocating.
    void pullInto(float* out, std::size_t frames);

    // Simulates a machine without a sound device: resume() then fails.
    void setAvailable(bool available) { available_ = available; }
    bool running() const { return running_; }
    int resumeCount() const { return resumes_; }

private:
    Mixer* mixer_ = nullptr;
    bool running_ = false;
    bool available_ = true;
    int resumes_ = 0;
};

}  // namespace luma::audio
