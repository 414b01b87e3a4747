#include "platform/mci/FileDevices.h"

#include "platform/mci/MediaCommandInterpreter.h"
#include "platform/mci/SequencerDevice.h"
#include "platform/mci/WaveAudioDevice.h"

namespace luma::mci {

void registerFileDevices(MediaCommandInterpreter& interpreter,
                         const std::shared_ptr<audio::AudioEngine>& engine,
                         std::shared_ptr<audio::SynthPool> synths) {
    interpreter.registerType(QStringLiteral("waveaudio"), std::make_unique<WaveAudioType>(engine));
    interpreter.registerType(QStringLiteral("sequencer"),
                             std::make_unique<SequencerType>(engine, std::move(synths)));
}

}  // namespace luma::mci
