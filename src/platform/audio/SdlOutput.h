#pragma once

#include "platform/audio/AudioOutput.h"

#include <QString>

#include <SDL.h>

#include <chrono>

namespace luma::audio {

// How long the engine keeps a sound device open without sound: long enough for the end pollers
// (once a second) to start the next entry on the same device, short enough that a still show soon
// costs nothing.
inline constexpr std::chrono::milliseconds kSdlIdleGrace{2000};

// The sound device through SDL2 audio; honours SDL_AUDIODRIVER (dummy, disk, pulseaudio, alsa,
// ...). Only SDL's audio subsystem is initialised, on the first resume(). The device is opened on
// resume() and closed on suspend(): a paused SDL device still runs its thread, a closed one costs
// nothing. With the disk driver each reopening starts SDL_DISKAUDIOFILE afresh. When there is no
// device to open, the first failure is reported on stderr; later ones only set lastError().
class SdlOutput : public AudioOutput {
public:
    SdlOutput() = default;
    ~SdlOutput() override;
    SdlOutput(const SdlOutput&) = delete;
    SdlOutput& operator=(const SdlOutput&) = delete;

    bool resume(Mixer& mixer) override;
    void suspend() override;
    void close() override { suspend(); }

    // Why the last resume() failed.
    QString lastError() const { return lastError_; }

private:
    static void SDLCALL fill(void* userdata, Uint8* stream, int length);
    void fail();

    bool subsystemUp_ = false;
    SDL_AudioDeviceID device_ = 0;
    Mixer* mixer_ = nullptr;
    QString lastError_;
    bool failureReported_ = false;
};

}  // namespace luma::audio
