#include "platform/audio/SdlOutput.h"

#include "platform/audio/AudioSource.h"
#include "platform/audio/Mixer.h"

#include <cstdio>

namespace luma::audio {

SdlOutput::~SdlOutput() {
    suspend();
    if (subsystemUp_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SdlOutput::resume(Mixer& mixer) {
    if (device_ != 0) {
        return true;
    }
    if (!subsystemUp_) {
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Lumafolio");
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // Qt's event loop owns the signals
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            fail();
            return false;
        }
        subsystemUp_ = true;
    }
    mixer_ = &mixer;
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kChannels;
    wanted.samples = 1024;
    wanted.callback = &SdlOutput::fill;
    wanted.userdata = this;
    // No changes allowed: SDL converts to whatever the device wants.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        fail();
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlOutput::fail() {
    lastError_ = QString::fromUtf8(SDL_GetError());
    if (failureReported_) {
        return;
    }
    // Every sound asks again, so the silence is explained once, not at each slide.
    failureReported_ = true;
    std::fprintf(stderr, "lumafolio: no sound device (%s); music and chime stay silent\n",
                 qPrintable(lastError_));
    std::fflush(stderr);
}

void SdlOutput::suspend() {
    if (device_ != 0) {
        // Waits for a running callback to return.
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }
}

void SDLCALL SdlOutput::fill(void* userdata, Uint8* stream, int length) {
    auto* self = static_cast<SdlOutput*>(userdata);
    const auto frames = static_cast<std::size_t>(length) / (sizeof(float) * kChannels);
    self->mixer_->mix(reinterpret_cast<float*>(stream), frames);
}

}  // namespace luma::audio
