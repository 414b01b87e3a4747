// Fuzzed bytes as a Standard MIDI File into the timing parser, then its time line both ways.
#include "FuzzSupport.h"

#include "platform/audio/MidiTiming.h"

#include <algorithm>

namespace {

// Points of the time line checked per input, spread from start to end.
constexpr int kSamples = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto timing = luma::audio::MidiTiming::parse(luma::fuzz::bytesOf(data, size));
    if (!timing) {
        return 0;
    }
    const std::int64_t ticks = timing->lengthTicks();
    const std::int64_t ms = timing->lengthMs();
    FUZZ_CHECK(ticks >= 0);
    FUZZ_CHECK(ms >= 0);
    FUZZ_CHECK(timing->msAt(0) == 0);
    // Time runs forward with the ticks, and ticks with the time.
    std::int64_t previousMs = 0;
    std::int64_t previousTick = 0;
    for (int i = 0; i <= kSamples; ++i) {
        const std::int64_t tick =
            ticks / kSamples * i + std::min<std::int64_t>(i, ticks % kSamples);
        const std::int64_t at = timing->msAt(tick);
        FUZZ_CHECK(at >= previousMs);
        previousMs = at;
        const std::int64_t time = ms / kSamples * i + std::min<std::int64_t>(i, ms % kSamples);
        const std::int64_t back = timing->tickAt(time);
        FUZZ_CHECK(back >= previousTick);
        previousTick = back;
    }
    FUZZ_CHECK(timing->msAt(ticks) == ms);
    return 0;
}
