#pragma once

#include "platform/audio/SynthPool.h"
#include "platform/mci/StreamDevice.h"

namespace luma::audio {
class MidiSource;
}

namespace luma::mci {

// The "sequencer" device: a Standard MIDI File under an alias, played through FluidSynth. Its
// mode reads "stopped" before play and once the sequence has ended.
class SequencerDevice : public StreamDevice {
public:
    SequencerDevice(std::shared_ptr<audio::AudioEngine> engine,
                    std::shared_ptr<audio::MidiSource> source);
};

// Opens sequencer devices. A missing file fails with kFileNotFound, a file that is no MIDI file
// with kInvalidFile, a missing or broken soundfont with kCannotLoadDriver.
class SequencerType : public DeviceType {
public:
    SequencerType(std::shared_ptr<audio::AudioEngine> engine,
                  std::shared_ptr<audio::SynthPool> synths);
    std::unique_ptr<Device> open(const QString& element, int& error) override;

private:
    std::shared_ptr<audio::AudioEngine> engine_;
    std::shared_ptr<audio::SynthPool> synths_;
};

}  // namespace luma::mci
