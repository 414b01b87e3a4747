#include "settings/SettingsRecord.h"

#include "settings/SettingsKeys.h"

namespace luma {

const std::array<SettingsField, 18>& settingsFields() {
    using R = SettingsRecord;
    static const std::array<SettingsField, 18> fields{{
        {&keys::kSlides, "0", &R::slides, nullptr},
        {&keys::kRandomOrder, "0", &R::randomOrder, nullptr},
        {&keys::kAnimate, "1", &R::animate, nullptr},
        {&keys::kScreenSize, "0", &R::screenSize, nullptr},
        {&keys::kSlideSize, "1", &R::slideSize, nullptr, 1, 5},
        {&keys::kDelay, "5", &R::delay, nullptr, 1, 15},
        {&keys::kBsound, "1", &R::bsound, nullptr},
        {&keys::kRandomPlay, "0", &R::randomPlay, nullptr},
        {&keys::kAsound, "0", &R::asound, nullptr},
        {&keys::kMusicOnly, "0", &R::musicOnly, nullptr},
        {&keys::kMusicNow, "0", &R::musicNow, nullptr},
        {&keys::kAutoStartup, "0", &R::autoStartup, nullptr},
        {&keys::kMouseSens, nullptr, &R::mouseSens, nullptr, 1, 30},
        {&keys::kBackColors, nullptr, nullptr, &R::backColors},
        {&keys::kIdleMinutes, "0", &R::idleMinutes, nullptr, 0, 240},
        {&keys::kAllowLock, "1", &R::allowLock, nullptr},
        {&keys::kEveryMonitor, "1", &R::everyMonitor, nullptr},
        {&keys::kFade, "0", &R::fade, nullptr},
    }};
    return fields;
}

const SettingsField& settingsField(const QString& key) {
    for (const SettingsField& field : settingsFields()) {
        if (*field.key == key) {
            return field;
        }
    }
    Q_UNREACHABLE();
}

QString storedSetting(const SettingsStore& store, const QString& key) {
    const char* absent = settingsField(key).loadDefault;
    return store.read(keys::kSettings, key,
                      absent != nullptr ? QString::fromLatin1(absent) : QString());
}

}  // namespace luma
