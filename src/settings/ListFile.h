#pragma once

#include "settings/SettingsStore.h"

#include <QDateTime>
#include <QHash>

namespace luma {

// One store section in an INI file of its own ("[pictures]", "HowMany", "1", "2", …), held in
// memory and written whole on every change, in one step: a crash leaves the old file or the new
// one. A list of 100,000 items is written without the cost of a general INI writer.
//
// Reads of "HowMany", where every reader of a list starts, and every write first take in what
// another process wrote. A damaged file is moved aside and the section starts empty; when it
// cannot be moved, changes stay in memory only. A failed write is reported once and leaves the
// section as the file holds it.
class ListFile {
public:
    // `name` is what messages call the section: "the slide list".
    ListFile(QString path, QString section, QString name);

    std::optional<QString> value(const QString& key) const;
    bool apply(const std::vector<SettingsWrite>& batch);
    QStringList keys() const;
    // True when every change is on disk; takes in what another process wrote.
    bool sync();

    bool existsOnDisk() const { return !stamp_.isNull(); }
    bool writable() const { return !readOnly_; }
    const QString& path() const { return path_; }
    const QString& backupPath() const { return backupPath_; }

private:
    void refresh() const;
    void load() const;
    bool write(const QHash<QString, QString>& entries);
    void reportWriteFailure(const QString& reason);

    QString path_;
    QString section_;
    QString name_;
    mutable QHash<QString, QString> entries_;
    // When and how big the file was as last read or written; null when there was none.
    mutable QDateTime stamp_;
    mutable qint64 size_ = -1;
    mutable QString backupPath_;
    mutable bool readOnly_ = false;  // a damaged file that could not be moved aside
    bool writeFailureReported_ = false;
};

}  // namespace luma
