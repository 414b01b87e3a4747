#pragma once

#include "platform/audio/AudioSource.h"

#include <memory>

namespace luma::audio {

// Mixes every started source into the one output. Called from the GUI thread. Several sources
// sound at once (the chime over the music). When nothing sounds the output is paused or closed.
class AudioEngine {
public:
    using SourceId = int;

    virtual ~AudioEngine() = default;
    // Starts mixing `source` in. Returns an id for stop() and isSounding(); 0 when the engine has
    // no output (no sound device), in which case nothing is kept.
    virtual SourceId start(std::shared_ptr<AudioSource> source) = 0;
    // Removes a source; unknown ids are ignored.
    virtual void stop(SourceId id) = 0;
    // True while the source is mixed in and has not ended.
    virtual bool isSounding(SourceId id) const = 0;
    // Stops every source and closes the output.
    virtual void shutdown() = 0;
};

}  // namespace luma::audio
