#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariant>

#include <chrono>
#include <optional>

namespace luma {

// Short enough that a desktop service that hangs never stalls the caller noticeably.
inline constexpr std::chrono::milliseconds kQuickDBusTimeout{500};

// Sends `call` and waits at most `timeout` for the reply. The first value of the reply; nothing
// when the service is absent, answers an error or no value, or does not answer in time. Never
// starts a service that is not running.
std::optional<QVariant> quickDBusCall(const QDBusConnection& bus, QDBusMessage call,
                                      std::chrono::milliseconds timeout = kQuickDBusTimeout);

}  // namespace luma
