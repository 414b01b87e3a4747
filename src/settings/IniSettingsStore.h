#pragma once

#include "settings/ListFile.h"
#include "settings/SettingsStore.h"

#include <memory>

class QSettings;
class QTemporaryDir;

namespace luma {

// The settings store as INI files: the two lists ("pictures", "music") each in a file of its own
// beside the settings file, which holds every other section, written through QSettings (which
// replaces the file atomically on every sync). Every apply() syncs once when it ends, and writes
// only the file of its section: a preference does not rewrite 100,000 slides.
//
// Lists found in the settings file, as versions before kept them, are moved into their files on
// opening, those first; the settings file is then rewritten without them and kept beside as it
// was. Interrupted, the move ends on the next opening.
//
// A damaged or unreadable file is never overwritten: it is moved aside as a backup, reported on
// stderr, and its part of the store starts empty. A failed write is reported on stderr once per
// file and leaves the store as the file holds it.
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
    // The file of a list beside the settings file: "Lumafolio 1.1 pictures.ini".
    static QString listPath(const QString& settingsPath, const QString& section);

private:
    struct List {
        QString section;
        ListFile file;
        bool ownFile = false;  // false while the list is still read from the settings file
    };

    List* listOf(const QString& section) const;
    void moveListsOut();
    bool syncSettings();
    void setAsideIfDamaged();
    void openSettings();
    void reportWriteFailure(const QString& reason);
    void reopenIfSpent();

    QString path_;
    QString backupPath_;
    std::unique_ptr<QTemporaryDir> scratch_;
    std::unique_ptr<QSettings> settings_;
    std::vector<std::unique_ptr<List>> lists_;
    bool writeFailureReported_ = false;
    bool spent_ = false;     // settings_ met a write error, which QSettings never forgets
    bool readOnly_ = false;  // the damaged file could not be moved aside: never write over it
};

}  // namespace luma
