#include "platform/mci/WaveAudioDevice.h"

#include "platform/audio/SndfileSource.h"
#include "platform/mci/MciErrors.h"

namespace luma::mci {

WaveAudioDevice::WaveAudioDevice(std::shared_ptr<audio::AudioEngine> engine,
                                 std::shared_ptr<audio::SndfileSource> source)
    : StreamDevice(std::move(engine), std::move(source)) {}

WaveAudioType::WaveAudioType(std::shared_ptr<audio::AudioEngine> engine)
    : engine_(std::move(engine)) {}

std::unique_ptr<Device> WaveAudioType::open(const QString& element, int& error) {
    if (element.isEmpty()) {
        error = kMissingParameter;
        return nullptr;
    }
    audio::SourceError why = audio::SourceError::None;
    std::shared_ptr<audio::SndfileSource> source = audio::SndfileSource::open(element, &why);
    if (!source) {
        error = openError(why);
        return nullptr;
    }
    error = kOk;
    return std::make_unique<WaveAudioDevice>(engine_, std::move(source));
}

}  // namespace luma::mci
