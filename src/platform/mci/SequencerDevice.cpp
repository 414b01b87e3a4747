#include "platform/mci/SequencerDevice.h"

#include "platform/audio/MidiSource.h"
#include "platform/mci/MciErrors.h"

namespace luma::mci {

SequencerDevice::SequencerDevice(std::shared_ptr<audio::AudioEngine> engine,
                                 std::shared_ptr<audio::MidiSource> source)
    : StreamDevice(std::move(engine), std::move(source)) {}

SequencerType::SequencerType(std::shared_ptr<audio::AudioEngine> engine,
                             std::shared_ptr<audio::SynthPool> synths)
    : engine_(std::move(engine)), synths_(std::move(synths)) {}

std::unique_ptr<Device> SequencerType::open(const QString& element, int& error) {
    if (element.isEmpty()) {
        error = kMissingParameter;
        return nullptr;
    }
    audio::SourceError why = audio::SourceError::None;
    std::shared_ptr<audio::MidiSource> source = audio::MidiSource::open(synths_, element, &why);
    if (!source) {
        error = openError(why);
        return nullptr;
    }
    error = kOk;
    return std::make_unique<SequencerDevice>(engine_, std::move(source));
}

}  // namespace luma::mci
