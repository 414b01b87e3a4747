#include "display/SlidesAhead.h"

#include "display/ShowState.h"

namespace luma {

SlidesAhead::SlidesAhead(std::unique_ptr<SlideReader> reader, std::function<void()> arrived)
    : reader_(std::move(reader)), arrived_(std::move(arrived)) {}

void SlidesAhead::plan(const std::vector<ShowState*>& screens, ShowServices& services) {
    drop();
    for (const PlannedSlide& plan : planSlides(screens, services)) {
        slides_.push_back({plan, {}, std::nullopt});
    }
    for (std::size_t k = 0; k < screens.size(); ++k) {
        startReading(k, slideRead(slides_[k].plan, *screens[k], services));
    }
}

void SlidesAhead::startReading(std::size_t k, SlideRead request) {
    slides_[k].reading = request;
    slides_[k].read.reset();
    reader_->read(std::move(request), [this, k, generation = generation_](ReadSlide read) {
        if (generation != generation_ || !(read.request == slides_[k].reading)) {
            return;  // a read for an older plan, or one asked for again since
        }
        slides_[k].read = std::move(read);
        arrived_();
    });
}

bool SlidesAhead::ready(const std::vector<ShowState*>& screens, ShowServices& services) {
    bool ready = planned(screens.size());
    for (std::size_t k = 0; ready && k < screens.size(); ++k) {
        SlideRead now = slideRead(slides_[k].plan, *screens[k], services);
        const std::optional<ReadSlide>& read = slides_[k].read;
        if (!(now == slides_[k].reading) || (read && !(read->stamp == FileStamp::of(now.path)))) {
            startReading(k, std::move(now));
        }
    }
    for (const Slide& slide : slides_) {
        ready = ready && slide.read.has_value();
    }
    return ready;
}

std::vector<PlannedSlide> SlidesAhead::take(std::vector<ReadSlide>& reads) {
    std::vector<PlannedSlide> plans;
    reads.clear();
    for (Slide& slide : slides_) {
        plans.push_back(slide.plan);
        reads.push_back(std::move(*slide.read));
    }
    drop();
    return plans;
}

void SlidesAhead::drop() {
    slides_.clear();
    ++generation_;
}

}  // namespace luma
