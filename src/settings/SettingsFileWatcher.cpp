#include "settings/SettingsFileWatcher.h"

#include <QDir>
#include <QFileInfo>

namespace luma {

SettingsFileWatcher::SettingsFileWatcher(QString path, QObject* parent)
    : QObject(parent), path_(std::move(path)) {
    const QFileInfo file(path_);
    QDir().mkpath(file.absolutePath());
    watcher_.addPath(file.absolutePath());
    if (file.exists()) {
        watcher_.addPath(path_);
        modified_ = file.lastModified();
        size_ = file.size();
    }
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &SettingsFileWatcher::look);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &SettingsFileWatcher::look);
}

void SettingsFileWatcher::look() {
    const QFileInfo file(path_);
    if (file.exists() && !watcher_.files().contains(path_)) {
        watcher_.addPath(path_);  // a new file took the old one's place
    }
    const QDateTime modified = file.exists() ? file.lastModified() : QDateTime();
    const qint64 size = file.exists() ? file.size() : -1;
    if (modified == modified_ && size == size_) {
        return;  // another file of the folder changed
    }
    modified_ = modified;
    size_ = size;
    emit changed();
}

}  // namespace luma
