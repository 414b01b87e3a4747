#pragma once

#include "platform/audio/AudioEngine.h"
#include "platform/audio/SynthPool.h"

#include <memory>

namespace luma::mci {

class MediaCommandInterpreter;

// Registers "waveaudio" and "sequencer" over `engine`; MIDI files take their synthesizers from
// `synths` (one pool per engine, so the soundfont is loaded once).
void registerFileDevices(MediaCommandInterpreter& interpreter,
                         const std::shared_ptr<audio::AudioEngine>& engine,
                         std::shared_ptr<audio::SynthPool> synths = audio::SynthPool::create());

}  // namespace luma::mci
