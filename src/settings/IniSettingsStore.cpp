#include "settings/IniSettingsStore.h"

#include "platform/desktop/XdgPaths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cstdio>

namespace luma {
namespace {

void warn(const QString& text) {
    std::fprintf(stderr, "lumafolio: %s\n", qPrintable(text));
    std::fflush(stderr);
}

// Reasons a file cannot serve as the store, or an empty text when it can.
QString damage(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return {};
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("it cannot be read");
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return QStringLiteral("it cannot be read");
    }
    if (bytes.contains('\0')) {
        return QStringLiteral("it is not a text file");
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);  // converts only when taken as a string
    if (utf8.hasError()) {
        return QStringLiteral("it is not UTF-8 text");
    }
    QSettings probe(path, QSettings::IniFormat);
    (void)probe.childGroups();
    if (probe.status() != QSettings::NoError) {
        return QStringLiteral("it is not a valid settings file");
    }
    return {};
}

}  // namespace

QString IniSettingsStore::defaultPath() {
    return xdgConfigHome() + QStringLiteral("/lumafolio/Lumafolio 1.1.ini");
}

IniSettingsStore::IniSettingsStore(const QString& path) : path_(path) {
    setAsideIfDamaged();
    openSettings();
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
    const QString reason = damage(path_);
    if (reason.isEmpty()) {
        return;
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString backup = path_ + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(backup); ++n) {
        backup = path_ + QStringLiteral(".damaged-") + stamp + u'-' + QString::number(n);
    }
    if (QFile::rename(path_, backup)) {
        backupPath_ = backup;
        warn(QStringLiteral("the settings file \"%1\" was damaged (%2); it was kept as \"%3\" and "
                            "the settings start empty")
                 .arg(path_, reason, backup));
    } else {
        readOnly_ = true;
        warn(QStringLiteral("the settings file \"%1\" is damaged (%2) and cannot be moved aside; "
                            "settings start empty and changes will not be saved")
                 .arg(path_, reason));
    }
}

std::optional<QString> IniSettingsStore::value(const QString& section, const QString& key) const {
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
    if (sync()) {
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
    settings_->beginGroup(section);
    const QStringList result = settings_->childKeys();
    settings_->endGroup();
    return result;
}

bool IniSettingsStore::sync() {
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
    warn(QStringLiteral("cannot save the settings to \"%1\": %2").arg(path_, reason));
}

}  // namespace luma
