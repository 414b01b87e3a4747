#include "platform/audio/Mixer.h"

#include <algorithm>
#include <cmath>

namespace luma::audio {

Mixer::Mixer() {
    entries_.reserve(8);
}

Mixer::SourceId Mixer::add(std::shared_ptr<AudioSource> source) {
    if (!source) {
        return 0;
    }
    const std::lock_guard lock(mutex_);
    const SourceId id = nextId_++;
    entries_.push_back({id, std::move(source)});
    return id;
}

std::shared_ptr<AudioSource> Mixer::remove(SourceId id) {
    const std::lock_guard lock(mutex_);
    const auto it =
        std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (it == entries_.end()) {
        return nullptr;
    }
    std::shared_ptr<AudioSource> source = std::move(it->source);
    entries_.erase(it);
    return source;
}

std::vector<std::shared_ptr<AudioSource>> Mixer::takeEnded() {
    std::vector<std::shared_ptr<AudioSource>> taken;
    const std::lock_guard lock(mutex_);
    for (Entry& e : entries_) {
        if (e.ended) {
            taken.push_back(std::move(e.source));
        }
    }
    std::erase_if(entries_, [](const Entry& e) { return e.ended; });
    return taken;
}

std::vector<std::shared_ptr<AudioSource>> Mixer::takeAll() {
    std::vector<std::shared_ptr<AudioSource>> taken;
    const std::lock_guard lock(mutex_);
    for (Entry& e : entries_) {
        taken.push_back(std::move(e.source));
    }
    entries_.clear();
    return taken;
}

bool Mixer::isActive(SourceId id) const {
    const std::lock_guard lock(mutex_);
    return std::any_of(entries_.begin(), entries_.end(),
                       [id](const Entry& e) { return e.id == id && !e.ended; });
}

bool Mixer::anyActive() const {
    const std::lock_guard lock(mutex_);
    return std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return !e.ended; });
}

void Mixer::setAllEndedListener(std::function<void()> listener) {
    const std::lock_guard lock(mutex_);
    allEnded_ = std::move(listener);
}

void Mixer::mix(float* out, std::size_t frames) {
    bool someEnded = false;
    bool anyLeft = false;
    std::function<void()> listener;
    {
        const std::lock_guard lock(mutex_);
        for (std::size_t done = 0; done < frames; done += kBlockFrames) {
            const std::size_t n = std::min(kBlockFrames, frames - done);
            someEnded = mixBlock(out + done * kChannels, n) || someEnded;
        }
        anyLeft =
            std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return !e.ended; });
        if (someEnded && !anyLeft) {
            listener = allEnded_;
        }
    }
    if (listener) {
        listener();
    }
}

bool Mixer::mixBlock(float* out, std::size_t frames) {
    const std::size_t samples = frames * kChannels;
    std::fill(out, out + samples, 0.0f);
    bool someEnded = false;
    for (Entry& e : entries_) {
        if (e.ended) {
            continue;
        }
        const std::size_t got = std::min(e.source->render(scratch_.data(), frames), frames);
        for (std::size_t i = 0; i < got * kChannels; ++i) {
            out[i] += scratch_[i];
        }
        if (got < frames) {
            e.ended = true;
            someEnded = true;
        }
    }
    for (std::size_t i = 0; i < samples; ++i) {
        out[i] = limitSample(out[i]);
    }
    return someEnded;
}

float limitSample(float sample) {
    if (std::isnan(sample)) {
        return 0.0f;
    }
    return std::clamp(sample, -1.0f, 1.0f);
}

}  // namespace luma::audio
