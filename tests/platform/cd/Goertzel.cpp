#include "Goertzel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace luma::test {

double tonePower(const std::vector<float>& stereo, double frequency) {
    const std::size_t n = stereo.size() / 2;
    if (n == 0) {
        return 0.0;
    }
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / 44100.0);
    double s1 = 0.0;
    double s2 = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double s0 = stereo[2 * i] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return power / (static_cast<double>(n) * static_cast<double>(n));
}

float peak(const std::vector<float>& stereo) {
    float top = 0.0f;
    for (float s : stereo) {
        top = std::max(top, std::fabs(s));
    }
    return top;
}

}  // namespace luma::test
