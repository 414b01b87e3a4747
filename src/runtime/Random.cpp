#include "runtime/Random.h"

#include <chrono>

namespace luma {

Random::Random() {
    reseedFromClock();
}

Random::Random(std::uint64_t seed) : engine_(seed) {}

void Random::reseedFromClock() {
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    const std::uint64_t carry = engine_();
    std::seed_seq seq{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                      static_cast<std::uint32_t>(carry), static_cast<std::uint32_t>(carry >> 32)};
    engine_.seed(seq);
}

double Random::next() {
    // 53 random bits scaled below 1: never 1.0, unlike generate_canonical in some libraries.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace luma
