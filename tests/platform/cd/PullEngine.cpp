#include "PullEngine.h"

namespace luma::test {

audio::AudioEngine::SourceId PullEngine::start(std::shared_ptr<audio::AudioSource> source) {
    if (!hasOutput || !source) {
        return 0;
    }
    sources_[++next_] = std::move(source);
    return next_;
}

std::vector<float> PullEngine::pull(std::size_t frames) {
    std::vector<float> mix(frames * 2, 0.0f);
    std::vector<float> buffer(frames * 2);
    for (auto it = sources_.begin(); it != sources_.end();) {
        const std::size_t got = it->second->render(buffer.data(), frames);
        for (std::size_t i = 0; i < got * 2; ++i) {
            mix[i] += buffer[i];
        }
        it = got < frames ? sources_.erase(it) : std::next(it);
    }
    return mix;
}

}  // namespace luma::test
