#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace luma {

// One change of a batch: a value to store, or std::nullopt to remove the key.
struct SettingsWrite {
    QString key;
    std::optional<QString> value;
};

// The per-user store of text values, addressed by section and key (all under the one application
// name "Lumafolio 1.1"). A read never fails: an absent key gives the default, or the empty text.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or std::nullopt when the key is absent.
    virtual std::optional<QString> value(const QString& section, const QString& key) const = 0;

    // Applies every change of `batch` at once: no reader, in this process or of the file on disk,
    // ever sees part of it. Returns false when the change could not be stored.
    virtual bool apply(const QString& section, const std::vector<SettingsWrite>& batch) = 0;

    // The keys present in `section`, in no particular order.
    virtual QStringList keys(const QString& section) const = 0;

    // Makes every change durable. Returns false when the storage refused it.
    virtual bool sync() = 0;

    QString read(const QString& section, const QString& key, const QString& defaultText) const {
        return value(section, key).value_or(defaultText);
    }
    QString read(const QString& section, const QString& key) const {
        return read(section, key, QString());
    }
    bool write(const QString& section, const QString& key, const QString& text) {
        return apply(section, {SettingsWrite{key, text}});
    }
};

}  // namespace luma
