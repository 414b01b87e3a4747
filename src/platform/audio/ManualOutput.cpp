#include "platform/audio/ManualOutput.h"

#include "platform/audio/AudioSource.h"
#include "platform/audio/Mixer.h"

#include <algorithm>

namespace luma::audio {

bool ManualOutput::resume(Mixer& mixer) {
    if (!available_) {
        return false;
    }
    mixer_ = &mixer;
    if (!running_) {
        running_ = true;
        ++resumes_;
    }
    return true;
}

std::vector<float> ManualOutput::pull(std::size_t frames) {
    std::vector<float> out(frames * kChannels);
    pullInto(out.data(), frames);
    return out;
}

void ManualOutput::pullInto(float* out, std::size_t frames) {
    if (running_ && mixer_) {
        mixer_->mix(out, frames);
    } else {
        std::fill(out, out + frames * kChannels, 0.0f);
    }
}

}  // namespace luma::audio
