#pragma once

#include "platform/audio/AudioEngine.h"

#include <map>
#include <vector>

namespace luma::test {

// An audio engine that the test pulls: pull() renders every started source once, in id order,
// and returns the mix; a source that delivers fewer frames than asked has ended and is dropped.
// With `hasOutput` false it behaves like an engine without a sound device.
class PullEngine : public audio::AudioEngine {
public:
    SourceId start(std::shared_ptr<audio::AudioSource> source) override;
    void stop(SourceId id) override { sources_.erase(id); }
    bool isSounding(SourceId id) const override { return sources_.count(id) != 0; }
    void shutdown() override { sources_.clear(); }

    std::vector<float> pull(std::size_t frames);
    std::size_t sounding() const { return sources_.size(); }

    bool hasOutput = true;

private:
    std::map<SourceId, std::shared_ptr<audio::AudioSource>> sources_;
    SourceId next_ = 0;
};

}  // namespace luma::test
