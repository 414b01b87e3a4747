#include "platform/desktop/DetachedWatcherProcess.h"

#include "platform/desktop/LockFileInstance.h"

#include <QCoreApplication>
#include <QProcess>

#include <csignal>

namespace luma {

bool DetachedWatcherProcess::start(const QString& program) {
    return QProcess::startDetached(program, {QStringLiteral("--idle")});
}

void DetachedWatcherProcess::stop() {
    const std::optional<qint64> pid = LockFileInstance::holder(LockFileInstance::watcherPath());
    if (pid && *pid != QCoreApplication::applicationPid()) {
        ::kill(static_cast<pid_t>(*pid), SIGTERM);
    }
}

}  // namespace luma
