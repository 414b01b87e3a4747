#include "platform/LockFileInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <unistd.h>

namespace luma {

QString LockFileInstance::defaultPath() {
    QString folder = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        // No runtime folder: the temporary folder is shared, so the name carries the user.
        return QDir::tempPath() + QStringLiteral("/lumafolio-1.1-%1.lock").arg(getuid());
    }
    return folder + QStringLiteral("/lumafolio-1.1.lock");
}

LockFileInstance::LockFileInstance(QString path) : path_(std::move(path)) {}

LockFileInstance::~LockFileInstance() = default;

bool LockFileInstance::acquire() {
    if (lock_ && lock_->isLocked()) {
        return true;
    }
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock is never stale by age: a show can run for days. QLockFile still takes over the lock
    // of a process that no longer exists.
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

}  // namespace luma
