#pragma once

#include <cstddef>
#include <vector>

namespace luma::test {

// Relative power of `frequency` in the left channel of interleaved stereo samples at 44.1 kHz
// (Goertzel filter), normalised so that a full-scale sine gives about 0.25.
double tonePower(const std::vector<float>& stereo, double frequency);

// Largest absolute sample.
float peak(const std::vector<float>& stereo);

}  // namespace luma::test
