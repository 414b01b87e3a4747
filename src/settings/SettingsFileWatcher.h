#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

namespace luma {

// Tells when the settings file has changed on disk, written by this process or another (the
// panel of another Lumafolio, an editor): one signal for every reader that follows the settings.
// The file is replaced whole on every write, so its folder is watched too.
class SettingsFileWatcher : public QObject {
    Q_OBJECT
public:
    explicit SettingsFileWatcher(QString path, QObject* parent = nullptr);

signals:
    void changed();

private:
    void look();

    QString path_;
    QFileSystemWatcher watcher_;
    QDateTime modified_;
    qint64 size_ = -1;
};

}  // namespace luma
