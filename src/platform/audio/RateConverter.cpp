#include "platform/audio/RateConverter.h"

#include "platform/audio/AudioSource.h"

namespace luma::audio {
namespace {
constexpr int kFrameBytes = sizeof(float) * kChannels;
}

std::unique_ptr<RateConverter> RateConverter::create(int fromRate) {
    SDL_AudioStream* stream =
        SDL_NewAudioStream(AUDIO_F32SYS, kChannels, fromRate, AUDIO_F32SYS, kChannels, kRate);
    if (!stream) {
        return nullptr;
    }
    return std::unique_ptr<RateConverter>(new RateConverter(stream));
}

bool RateConverter::put(const float* frames, std::size_t count) {
    return SDL_AudioStreamPut(stream_.get(), frames, static_cast<int>(count * kFrameBytes)) == 0;
}

void RateConverter::flush() {
    SDL_AudioStreamFlush(stream_.get());
}

std::size_t RateConverter::get(float* out, std::size_t count) {
    const int got = SDL_AudioStreamGet(stream_.get(), out, static_cast<int>(count * kFrameBytes));
    return got > 0 ? static_cast<std::size_t>(got) / kFrameBytes : 0;
}

std::size_t RateConverter::available() const {
    const int bytes = SDL_AudioStreamAvailable(stream_.get());
    return bytes > 0 ? static_cast<std::size_t>(bytes) / kFrameBytes : 0;
}

void RateConverter::clear() {
    SDL_AudioStreamClear(stream_.get());
}

}  // namespace luma::audio
