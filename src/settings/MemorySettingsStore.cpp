#include "settings/MemorySettingsStore.h"

namespace luma {

std::optional<QString> MemorySettingsStore::value(const QString& section,
                                                  const QString& key) const {
    const auto s = sections_.find(section);
    if (s == sections_.end()) {
        return std::nullopt;
    }
    const auto k = s->second.find(key);
    if (k == s->second.end()) {
        return std::nullopt;
    }
    return k->second;
}

bool MemorySettingsStore::apply(const QString& section, const std::vector<SettingsWrite>& batch) {
    if (failWrites_) {
        return false;
    }
    ++batches_;
    auto& entries = sections_[section];
    for (const auto& write : batch) {
        if (write.value) {
            entries[write.key] = *write.value;
        } else {
            entries.erase(write.key);
        }
        log_.push_back(LoggedWrite{section, write.key, write.value, batches_});
    }
    return true;
}

QStringList MemorySettingsStore::keys(const QString& section) const {
    QStringList result;
    const auto s = sections_.find(section);
    if (s != sections_.end()) {
        for (const auto& [key, text] : s->second) {
            result.append(key);
        }
    }
    return result;
}

bool MemorySettingsStore::sync() {
    ++syncCount_;
    return !failWrites_;
}

}  // namespace luma
