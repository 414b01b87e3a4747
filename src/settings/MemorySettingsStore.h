#pragma once

#include "settings/SettingsStore.h"

#include <map>

namespace luma {

// A store held in memory: the test double, and the stand-in when the settings file cannot be used.
// It keeps a log of every applied batch so that tests can check what was written and in what order.
class MemorySettingsStore : public SettingsStore {
public:
    struct LoggedWrite {
        QString section;
        QString key;
        std::optional<QString> value;
        int batch;  // writes of one apply() share a batch number
    };

    std::optional<QString> value(const QString& section, const QString& key) const override;
    bool apply(const QString& section, const std::vector<SettingsWrite>& batch) override;
    QStringList keys(const QString& section) const override;
    bool sync() override;

    // Makes every later apply() fail without changing anything.
    void setFailWrites(bool fail) { failWrites_ = fail; }

    const std::vector<LoggedWrite>& log() const { return log_; }
    void clearLog() { log_.clear(); }
    int syncCount() const { return syncCount_; }

private:
    std::map<QString, std::map<QString, QString>> sections_;
    std::vector<LoggedWrite> log_;
    int batches_ = 0;
    int syncCount_ = 0;
    bool failWrites_ = false;
};

}  // namespace luma
