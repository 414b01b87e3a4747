#pragma once

#include "platform/SingleInstance.h"

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

namespace luma {

// One instance per user: a lock file in the user's runtime folder, held while the process lives.
// A lock left by a process that died is taken over.
class LockFileInstance : public SingleInstance {
public:
    explicit LockFileInstance(QString path = defaultPath());
    ~LockFileInstance() override;
    bool acquire() override;
    void release() override;
    bool holds() const override;
    // The process that holds the lock at `path`, if a live one does.
    static std::optional<qint64> holder(const QString& path);

    // ${XDG_RUNTIME_DIR}/lumafolio-1.1.lock, or without a runtime folder the same name in
    // lumafolio/ of the user's cache folder, which only the user may enter.
    static QString defaultPath();
    // The same, for the one idle watcher per user: lumafolio-1.1-idle.lock.
    static QString watcherPath();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace luma
