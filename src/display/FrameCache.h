#pragma once

#include "display/PictureDecoding.h"

#include <QRect>

#include <cstddef>
#include <map>
#include <optional>

namespace luma {

// Animation frames decoded at the size they are painted, kept within a memory budget. When a
// frame does not fit, the frames furthest from being shown next go first; a frame that would
// itself be the furthest is not kept. A frame that did not decode is kept as such (it costs
// nothing), so that its failure comes when it is due.
class FrameCache {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t{64} * 1024 * 1024;

    explicit FrameCache(std::size_t budget = kDefaultBudget) : budget_(budget) {}

    // Where the animation stands: `current` is the frame on show, `last` the last frame. After
    // the last frame the cycle goes on with frame 1; frame 0 is shown only when it starts.
    void setPosition(int current, int last) {
        current_ = current;
        last_ = last;
    }
    // How many ticks until `frame` is shown again.
    int distance(int frame) const;

    // The kept frame `frame` painted over `target` within `visible`: nullptr when not kept; a
    // kept failure is an empty optional.
    const std::optional<DecodedPart>* find(int frame, QRect target, QRect visible) const;
    bool contains(int frame) const { return frames_.count(frame) != 0; }
    // Keeps `part` (or its failure) when the budget allows; true when kept.
    bool insert(int frame, QRect target, QRect visible, std::optional<DecodedPart> part);
    // Whether a frame of `bytes` at `frame` would be kept now.
    bool wouldKeep(int frame, std::size_t bytes) const;
    void clear();

    std::size_t bytes() const { return bytes_; }
    std::size_t budget() const { return budget_; }
    std::size_t count() const { return frames_.size(); }

private:
    struct Kept {
        QRect target;
        QRect visible;
        std::optional<DecodedPart> part;
        std::size_t bytes = 0;
    };
    // The kept frame that would go first, or frames_.end().
    std::map<int, Kept>::const_iterator furthest() const;

    std::size_t budget_;
    std::size_t bytes_ = 0;
    int current_ = 0;
    int last_ = 0;
    std::map<int, Kept> frames_;
};

// The bytes a decoded frame holds.
std::size_t frameBytes(const std::optional<DecodedPart>& part);

}  // namespace luma
