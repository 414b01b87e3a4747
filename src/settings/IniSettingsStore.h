#pragma once

#include "settings/SettingsStore.h"

#include <memory>

class QSettings;
class QTemporaryDir;

namespace luma {

// The settings store as an INI file, one INI section per store section, written through QSettings
// (which replaces the file atomically on every sync). Every apply() syncs once when it ends.
//
// A damaged or unreadable file is never overwritten: it is moved aside as a backup, reported on
// stderr, and the store starts empty. A failed write is reported on stderr once per store and
// leaves the store as the file holds it.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(const QString& path);
    ~IniSettingsStore() override;

    std::optional<QString> value(const QString& section, const QString& key) const override;
    bool apply(const QString& section, const std::vector<SettingsWrite>& batch) override;
    QStringList keys(const QString& section) const override;
    bool sync() override;

    const QString& path() const { return path_; }
    // Where a damaged file was moved; empty when the file was sound.
    const QString& backupPath() const { return backupPath_; }

    // ${XDG_CONFIG_HOME:-~/.config}/lumafolio/Lumafolio 1.1.ini
    static QString defaultPath();

private:
    void setAsideIfDamaged();
    void openSettings();
    void reportWriteFailure(const QString& reason);
    void reopenIfSpent();

    QString path_;
    QString backupPath_;
    std::unique_ptr<QTemporaryDir> scratch_;
    std::unique_ptr<QSettings> settings_;
    bool writeFailureReported_ = false;
    bool spent_ = false;     // settings_ met a write error, which QSettings never forgets
    bool readOnly_ = false;  // the damaged file could not be moved aside: never write over it
};

}  // namespace luma
