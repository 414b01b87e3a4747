#include "platform/cd/CdioMessages.h"

#include <QByteArray>
#include <QtGlobal>

#include <cdio/logging.h>

#include <mutex>

namespace luma::cd {

namespace {

void report(cdio_log_level_t level, const char message[]) {
    if (level >= CDIO_LOG_WARN && message != nullptr) {
        qWarning("libcdio: %s", QByteArray(message).trimmed().constData());
    }
}

}  // namespace

void routeLibcdioMessages() {
    // The handler is libcdio's process-wide setting; set it once, before any thread reads it.
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(&report); });
}

}  // namespace luma::cd
