#pragma once

#include "platform/audio/AudioSource.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace luma::audio {

// Sums the sources that are sounding into one stream of stereo frames.
//
// Threads: add/remove/take/isActive run on the owner's (GUI) thread, mix() on the audio thread.
// They share the source list under one mutex that mix() holds while it renders a block, so once
// remove() has returned the source is not being rendered. The audio thread never drops the last
// reference to a source: ended sources stay listed until the owner takes them.
class Mixer {
public:
    using SourceId = int;

    Mixer();

    SourceId add(std::shared_ptr<AudioSource> source);
    // Returns the removed source (null for an unknown id) so that the caller lets it go outside
    // the lock.
    std::shared_ptr<AudioSource> remove(SourceId id);
    std::vector<std::shared_ptr<AudioSource>> takeEnded();
    std::vector<std::shared_ptr<AudioSource>> takeAll();
    // Listed and not ended.
    bool isActive(SourceId id) const;
    bool anyActive() const;

    // Called on the audio thread, outside the lock, when a mix call has seen the last active source
    // end.
    void setAllEndedListener(std::function<void()> listener);

    // Fills `out` with `frames` frames: the sum of every active source, limited to [-1, 1].
    void mix(float* out, std::size_t frames);

private:
    struct Entry {
        SourceId id;
        std::shared_ptr<AudioSource> source;
        bool ended = false;
    };
    static constexpr std::size_t kBlockFrames = 1024;

    bool mixBlock(float* out, std::size_t frames);  // true when a source ended in this block

    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
    SourceId nextId_ = 1;
    std::function<void()> allEnded_;
    std::array<float, kBlockFrames * kChannels> scratch_{};
};

// Limits one mixed sample to [-1, 1]; a sample that is not a number becomes silence.
float limitSample(float sample);

}  // namespace luma::audio
