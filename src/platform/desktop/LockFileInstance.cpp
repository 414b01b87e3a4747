#include "platform/desktop/LockFileInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace luma {

namespace {

// Without a runtime folder, a folder of the user's own: in a shared one such as /tmp another user
// could create the lock first, and every start would believe another Lumafolio runs.
QString privateFolder() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/lumafolio";
    QDir().mkpath(folder);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

QString lockPath(const QString& name) {
    QString folder = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = privateFolder();
    }
    return folder + QStringLiteral("/lumafolio-1.1%1.lock").arg(name);
}

}  // namespace

QString LockFileInstance::defaultPath() {
    return lockPath(QString());
}

QString LockFileInstance::watcherPath() {
    return lockPath(QStringLiteral("-idle"));
}

std::optional<qint64> LockFileInstance::holder(const QString& path) {
    QLockFile probe(path);
    probe.setStaleLockTime(0);
    if (probe.tryLock(0)) {
        return std::nullopt;  // nobody held it; the probe's own lock goes with it
    }
    qint64 pid = 0;
    QString host;
    QString application;
    if (probe.error() != QLockFile::LockFailedError ||
        !probe.getLockInfo(&pid, &host, &application)) {
        return std::nullopt;
    }
    return pid;
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

void LockFileInstance::release() {
    lock_.reset();
}

bool LockFileInstance::holds() const {
    return lock_ && lock_->isLocked();
}

}  // namespace luma
