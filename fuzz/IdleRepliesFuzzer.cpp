// The desktops' answers to the idle watcher, as any reply could come: the X server's idle times
// against thresholds, and D-Bus answers of any type where a boolean, a watch id or logind's list
// of blocked actions is expected. Nothing may crash, and each reading must keep its rules.
#include "FuzzSupport.h"

#include "platform/desktop/IdleReplies.h"

#include <QDBusVariant>
#include <QStringList>

#include <algorithm>
#include <cstring>

namespace {

using luma::fuzz::textsOf;

// A value of a type the bytes choose: what a misbehaving or unexpected service could answer.
std::optional<QVariant> replyOf(std::uint8_t kind, std::uint32_t number, const QString& text) {
    switch (kind % 9) {
        case 0:
            return std::nullopt;
        case 1:
            return QVariant(number % 2 == 1);
        case 2:
            return QVariant(uint(number));
        case 3:
            return QVariant(int(number));
        case 4:
            return QVariant(qulonglong(number) << 16);
        case 5:
            return QVariant(text);
        case 6:
            return QVariant::fromValue(QDBusVariant(text));
        case 7:
            return QVariant::fromValue(QDBusVariant(QVariant(uint(number))));
        default:
            return QVariant(text.split(u':'));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<QString> texts = textsOf(data, size);
    for (std::size_t at = 0; at + 9 <= size && at < 256; at += 9) {
        std::uint32_t since = 0;
        std::int32_t threshold = 0;
        std::memcpy(&since, data + at, sizeof since);
        std::memcpy(&threshold, data + at + 4, sizeof threshold);
        const luma::IdleReading reading =
            luma::readIdleTime(since, std::chrono::milliseconds(threshold));
        FUZZ_CHECK(reading.idle == (std::int64_t{since} >= threshold));
        FUZZ_CHECK(reading.nextPollMs >= luma::kMinIdlePollMs &&
                   reading.nextPollMs <= luma::kIdlePollMs);
        if (!reading.idle && std::int64_t{threshold} - since <= luma::kIdlePollMs) {
            FUZZ_CHECK(reading.nextPollMs == std::max<std::int64_t>(threshold - std::int64_t{since},
                                                                    luma::kMinIdlePollMs));
        }

        const std::uint8_t kind = data[at + 8];
        const QString text = texts.empty() ? QString() : texts[(at / 9) % texts.size()];
        const std::optional<QVariant> reply = replyOf(kind, since, text);
        FUZZ_CHECK(!luma::isTrue(reply) || kind % 9 == 1);
        FUZZ_CHECK((luma::watchIdOf(reply) != 0) == (kind % 9 == 2 && since != 0));
        FUZZ_CHECK(luma::blocksIdle(reply) ==
                   (kind % 9 == 6 && text.split(u':').contains(QStringLiteral("idle"))));
    }
    return 0;
}
