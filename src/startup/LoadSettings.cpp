#include "startup/LoadSettings.h"

#include "runtime/Numbers.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"

namespace luma {

void loadSettings(const SettingsStore& store, SettingsRecord& record) {
    for (const SettingsField& field : settingsFields()) {
        const QString text =
            field.loadDefault != nullptr
                ? store.read(keys::kSettings, *field.key, QString::fromLatin1(field.loadDefault))
                : store.read(keys::kSettings, *field.key);
        if (field.field16 != nullptr) {
            if (const auto v = toInt16(text)) {
                record.*field.field16 = *v;
            }
        } else if (const auto v = toInt32(text)) {
            record.*field.field32 = *v;
        }
    }
}

}  // namespace luma
