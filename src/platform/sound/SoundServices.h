#pragma once

#include "platform/Mp3Player.h"
#include "platform/audio/MixingEngine.h"
#include "platform/audio/SynthPool.h"
#include "platform/mci/MediaCommandInterpreter.h"

#include <chrono>
#include <memory>

namespace luma {

class DriveList;

// Everything that sounds, over one audio engine: the device command interpreter with the wave,
// sequencer and CD audio devices, and the MP3 player. The engine mixes them all into `output`.
struct SoundServices {
    std::shared_ptr<audio::MixingEngine> engine;
    std::unique_ptr<mci::MediaCommandInterpreter> media;
    std::unique_ptr<Mp3Player> mp3;
};

// The sound services over `output`, which closes `idleGrace` after the last sound ends; the CD
// device plays from `drives`, which must outlive the services.
SoundServices makeSoundServices(
    std::unique_ptr<audio::AudioOutput> output, const DriveList& drives,
    std::shared_ptr<audio::SynthPool> synths = audio::SynthPool::create(),
    std::chrono::milliseconds idleGrace = std::chrono::milliseconds(0));

// The sound services over the sound device that SDL chooses.
SoundServices makeSystemSound(const DriveList& drives);

}  // namespace luma
