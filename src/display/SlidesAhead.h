#pragma once

#include "display/SlideReader.h"
#include "display/SlideSequencer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace luma {

struct ShowServices;
struct ShowState;

// The slides of the next step, chosen and read while the current ones show. A read that no longer
// fits what its slide is read for when the step comes (the list entry changed or went, the file
// was replaced, the screen's size or the place's settings changed) is dropped and read again.
class SlidesAhead {
public:
    // `arrived` runs on the GUI thread each time a read of the current plan arrives.
    SlidesAhead(std::unique_ptr<SlideReader> reader, std::function<void()> arrived);

    // Draws the next step's slides for `screens` and starts reading them; an earlier plan goes.
    void plan(const std::vector<ShowState*>& screens, ShowServices& services);
    // Whether a plan for `count` screens is there.
    bool planned(std::size_t count) const { return count > 0 && slides_.size() == count; }
    // Reads again what no longer fits; true when every slide of the plan is read as it is now.
    bool ready(const std::vector<ShowState*>& screens, ShowServices& services);
    // Hands the plan and its reads over, leaving nothing planned. Only when ready().
    std::vector<PlannedSlide> take(std::vector<ReadSlide>& reads);
    // Forgets the plan; reads under way are dropped when they arrive.
    void drop();

private:
    struct Slide {
        PlannedSlide plan;
        SlideRead reading;
        std::optional<ReadSlide> read;
    };
    void startReading(std::size_t k, SlideRead request);

    std::unique_ptr<SlideReader> reader_;
    std::function<void()> arrived_;
    std::vector<Slide> slides_;
    std::uint64_t generation_ = 0;  // which plan a read belongs to
};

}  // namespace luma
