#pragma once

#include "platform/mci/StreamDevice.h"

namespace luma::audio {
class SndfileSource;
}

namespace luma::mci {

// The "waveaudio" device: a wave file (or anything else libsndfile reads) under an alias.
class WaveAudioDevice : public StreamDevice {
public:
    WaveAudioDevice(std::shared_ptr<audio::AudioEngine> engine,
                    std::shared_ptr<audio::SndfileSource> source);
};

// Opens wave devices. A missing file fails with kFileNotFound, a file that holds no sound
// libsndfile can decode with kInvalidFile; an empty element with kMissingParameter.
class WaveAudioType : public DeviceType {
public:
    explicit WaveAudioType(std::shared_ptr<audio::AudioEngine> engine);
    std::unique_ptr<Device> open(const QString& element, int& error) override;

private:
    std::shared_ptr<audio::AudioEngine> engine_;
};

}  // namespace luma::mci
