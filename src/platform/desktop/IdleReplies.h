#pragma once

#include <QVariant>

#include <chrono>
#include <cstdint>
#include <optional>

namespace luma {

// What one answer of the X server's idle time means: whether the idle threshold is passed, and
// when to ask again (at most kIdlePollMs later, sooner when the threshold is near).
struct IdleReading {
    bool idle = false;
    int nextPollMs = 0;
};
inline constexpr int kIdlePollMs = 500;
inline constexpr int kMinIdlePollMs = 10;
IdleReading readIdleTime(std::uint32_t sinceInputMs, std::chrono::milliseconds threshold);

// logind's "BlockInhibited" as its properties' Get answers it, a variant holding a colon-separated
// list ("shutdown:sleep:idle"): whether idle is blocked. Anything else blocks nothing.
bool blocksIdle(const std::optional<QVariant>& reply);

// A D-Bus answer that must be the boolean true.
bool isTrue(const std::optional<QVariant>& reply);

// The id of a watch a D-Bus answer gives, or 0 (no watch) when it is no unsigned 32-bit number.
uint watchIdOf(const std::optional<QVariant>& reply);

}  // namespace luma
