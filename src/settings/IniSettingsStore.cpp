#include "settings/IniSettingsStore.h"

#include "platform/desktop/XdgPaths.h"
#include "settings/SettingsKeys.h"
#include "settings/StoreFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace luma {
namespace {

// Reasons a file cannot serve as the settings file, or an empty text when it can.
QString damage(const QString& path) {
    if (const QString reason = readStoreFile(path).damage; !reason.isEmpty()) {
        return reason;
    }
    QSettings probe(path, QSettings::IniFormat);
    (void)probe.childGroups();
    return probe.status() == QSettings::NoError ? QString()
                                                : QStringLiteral("it is not a valid settings file");
}

}  // namespace

QString IniSettingsStore::defaultPath() {
    return xdgConfigHome() + QStringLiteral("/lumafolio/Lumafolio 1.1.ini");
}

QString IniSettingsStore::listPath(const QString& settingsPath, const QString& section) {
    QString stem = settingsPath;
    if (stem.endsWith(QStringLiteral(".ini"))) {
        stem.chop(4);
    }
    return stem + u' ' + section + QStringLiteral(".ini");
}

IniSettingsStore::IniSettingsStore(const QString& path) : path_(path) {
    setAsideIfDamaged();
    openSettings();
    for (const auto& [section, name] : {std::pair{keys::kPictures, QStringLiteral("slide list")},
                                        std::pair{keys::kMusic, QStringLiteral("playlist")}}) {
        lists_.push_back(std::make_unique<List>(
            List{section, ListFile(listPath(path, section), section, name)}));
    }
    moveListsOut();
}

IniSettingsStore::List* IniSettingsStore::listOf(const QString& section) const {
    for (const auto& list : lists_) {
        if (list->ownFile && list->section == section) {
            return list.get();
        }
    }
    return nullptr;
}

void IniSettingsStore::moveListsOut() {
    const QStringList sections = settings_->childGroups();
    bool moved = false;
    for (const auto& list : lists_) {
        const QString& section = list->section;
        list->ownFile = !sections.contains(section);
        if (list->ownFile || readOnly_ || !list->file.writable()) {
            continue;  // nothing to move, or nowhere to move it: the list stays where it is
        }
        // A list file already there is the list moved by an opening that was interrupted.
        if (!list->file.existsOnDisk()) {
            std::vector<SettingsWrite> batch;
            for (const QString& key : keys(section)) {
                batch.push_back({key, value(section, key)});
            }
            if (!list->file.apply(batch)) {
                continue;
            }
        }
        list->ownFile = moved = true;
    }
    if (!moved) {
        return;
    }
    const QString copy = copyNameBeside(path_, QStringLiteral("before-lists"));
    if (!QFile::copy(path_, copy)) {
        return;  // without the copy the old lists stay in the file, to be dropped another time
    }
    for (const auto& list : lists_) {
        if (list->ownFile) {
            settings_->remove(list->section);
        }
    }
    if (syncSettings()) {
        sayOnStderr(QStringLiteral("the lists moved from \"%1\" into files of their own beside it; "
                                   "the file as it was is kept as \"%2\"")
                        .arg(path_, copy));
    }
}

void IniSettingsStore::openSettings() {
    QString file = path_;
    if (readOnly_) {
        // The session still keeps its changes, in a scratch file that dies with it.
        scratch_ = std::make_unique<QTemporaryDir>();
        file = scratch_->filePath(QStringLiteral("settings.ini"));
    }
    settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
    settings_->setFallbacksEnabled(false);
}

IniSettingsStore::~IniSettingsStore() {
    if (!readOnly_) {
        sync();
    }
}

void IniSettingsStore::setAsideIfDamaged() {
    if (const QString reason = damage(path_); !reason.isEmpty()) {
        backupPath_ = setDamagedFileAside(path_, reason, QStringLiteral("the settings file"),
                                          QStringLiteral("the settings start empty"));
        readOnly_ = backupPath_.isEmpty();
    }
}

std::optional<QString> IniSettingsStore::value(const QString& section, const QString& key) const {
    if (const List* list = listOf(section)) {
        return list->file.value(key);
    }
    const QVariant v = settings_->value(section + u'/' + key);
    if (!v.isValid()) {
        return std::nullopt;
    }
    // An unquoted value with commas reads back as a list; it was one text when written by hand.
    if (v.typeId() == QMetaType::QStringList) {
        return v.toStringList().join(QStringLiteral(", "));
    }
    return v.toString();
}

bool IniSettingsStore::apply(const QString& section, const std::vector<SettingsWrite>& batch) {
    if (List* list = listOf(section)) {
        return list->file.apply(batch);
    }
    reopenIfSpent();
    std::vector<std::pair<QString, QVariant>> previous;
    previous.reserve(batch.size());
    settings_->beginGroup(section);
    for (const auto& write : batch) {
        previous.emplace_back(write.key, settings_->value(write.key));
        if (write.value) {
            settings_->setValue(write.key, *write.value);
        } else {
            settings_->remove(write.key);
        }
    }
    settings_->endGroup();
    if (syncSettings()) {
        return true;
    }
    if (!readOnly_) {
        // Unwritten changes would stay pending in QSettings and reach the file with a later
        // write; the batch is taken back instead, so the store holds what the file holds.
        settings_->beginGroup(section);
        for (auto it = previous.rbegin(); it != previous.rend(); ++it) {
            if (it->second.isValid()) {
                settings_->setValue(it->first, it->second);
            } else {
                settings_->remove(it->first);
            }
        }
        settings_->endGroup();
    }
    return false;
}

QStringList IniSettingsStore::keys(const QString& section) const {
    if (const List* list = listOf(section)) {
        return list->file.keys();
    }
    settings_->beginGroup(section);
    const QStringList result = settings_->childKeys();
    settings_->endGroup();
    return result;
}

bool IniSettingsStore::sync() {
    bool synced = syncSettings();
    for (const auto& list : lists_) {
        synced = list->file.sync() && synced;
    }
    return synced;
}

bool IniSettingsStore::syncSettings() {
    if (readOnly_) {
        settings_->sync();
        reportWriteFailure(QStringLiteral("the damaged settings file is kept as it is"));
        return false;
    }
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder)) {
        reportWriteFailure(QStringLiteral("the folder \"%1\" cannot be created").arg(folder));
        return false;
    }
    reopenIfSpent();
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        reportWriteFailure(QStringLiteral("the file cannot be written"));
        spent_ = true;
        return false;
    }
    return true;
}

void IniSettingsStore::reopenIfSpent() {
    // QSettings keeps its first error for good, so a later write needs a fresh one. It is made
    // only now: on creation it writes what is still pending in the file's shared state, and done
    // while the fault lasts that would fail and spend it at once.
    if (spent_) {
        spent_ = false;
        openSettings();
    }
}

void IniSettingsStore::reportWriteFailure(const QString& reason) {
    if (writeFailureReported_) {
        return;
    }
    writeFailureReported_ = true;
    sayOnStderr(QStringLiteral("cannot save the settings to \"%1\": %2").arg(path_, reason));
}

}  // namespace luma
