#include "display/FrameCache.h"

#include <limits>

namespace luma {

std::size_t frameBytes(const std::optional<DecodedPart>& part) {
    return part ? static_cast<std::size_t>(part->image.sizeInBytes()) : 0;
}

int FrameCache::distance(int frame) const {
    if (frame < 1 || frame > last_) {
        return std::numeric_limits<int>::max();  // frame 0, or none of this animation
    }
    if (frame > current_) {
        return frame - current_;
    }
    return last_ - current_ + 1 + frame;  // through the empty tick after the last frame
}

const std::optional<DecodedPart>* FrameCache::find(int frame, QRect target, QRect visible) const {
    const auto it = frames_.find(frame);
    if (it == frames_.end() || it->second.target != target || it->second.visible != visible) {
        return nullptr;
    }
    return &it->second.part;
}

std::map<int, FrameCache::Kept>::const_iterator FrameCache::furthest() const {
    auto worst = frames_.end();
    for (auto it = frames_.begin(); it != frames_.end(); ++it) {
        if (worst == frames_.end() || distance(it->first) > distance(worst->first)) {
            worst = it;
        }
    }
    return worst;
}

bool FrameCache::wouldKeep(int frame, std::size_t bytes) const {
    if (bytes > budget_) {
        return false;
    }
    // The room that evicting every frame further than `frame` would make.
    std::size_t room = budget_ - bytes_;
    for (const auto& [kept, entry] : frames_) {
        if (kept != frame && distance(kept) > distance(frame)) {
            room += entry.bytes;
        }
    }
    const auto same = frames_.find(frame);
    if (same != frames_.end()) {
        room += same->second.bytes;
    }
    return bytes <= room;
}

bool FrameCache::insert(int frame, QRect target, QRect visible, std::optional<DecodedPart> part) {
    const std::size_t size = frameBytes(part);
    if (!wouldKeep(frame, size)) {
        return false;
    }
    if (const auto same = frames_.find(frame); same != frames_.end()) {
        bytes_ -= same->second.bytes;
        frames_.erase(same);
    }
    while (bytes_ + size > budget_) {
        const auto worst = furthest();
        bytes_ -= worst->second.bytes;
        frames_.erase(worst);
    }
    frames_[frame] = Kept{target, visible, std::move(part), size};
    bytes_ += size;
    return true;
}

void FrameCache::clear() {
    frames_.clear();
    bytes_ = 0;
}

}  // namespace luma
