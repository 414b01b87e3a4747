#pragma once

#include <cstdint>
#include <random>

namespace luma {

// Random numbers in [0, 1). reseedFromClock() mixes the clock into the state, so that two reseeds
// within one clock tick still give different numbers.
class Random {
public:
    Random();
    explicit Random(std::uint64_t seed);
    virtual ~Random() = default;

    virtual void reseedFromClock();
    virtual double next();

private:
    std::mt19937_64 engine_;
};

}  // namespace luma
