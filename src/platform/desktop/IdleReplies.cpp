#include "platform/desktop/IdleReplies.h"

#include <QDBusVariant>
#include <QString>

#include <algorithm>

namespace luma {

IdleReading readIdleTime(std::uint32_t sinceInputMs, std::chrono::milliseconds threshold) {
    const std::chrono::milliseconds since(sinceInputMs);
    const bool idle = since >= threshold;
    // Asked again right at the threshold when it is near, so that the show is not late for it.
    const auto untilIdle = idle ? std::chrono::milliseconds(kIdlePollMs) : threshold - since;
    return {idle, static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(
                      untilIdle.count(), kMinIdlePollMs, kIdlePollMs))};
}

bool blocksIdle(const std::optional<QVariant>& reply) {
    if (!reply || reply->typeId() != qMetaTypeId<QDBusVariant>()) {
        return false;
    }
    const QVariant blocked = reply->value<QDBusVariant>().variant();
    return blocked.typeId() == QMetaType::QString &&
           blocked.toString().split(QLatin1Char(':')).contains(QLatin1String("idle"));
}

bool isTrue(const std::optional<QVariant>& reply) {
    return reply && reply->typeId() == QMetaType::Bool && reply->toBool();
}

uint watchIdOf(const std::optional<QVariant>& reply) {
    return reply && reply->typeId() == QMetaType::UInt ? reply->toUInt() : 0;
}

}  // namespace luma
