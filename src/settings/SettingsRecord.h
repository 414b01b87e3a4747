#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace luma {

// The in-memory copy of the "Settings" section. Flags are 1 (on) and 0 (off); any other value is
// neither. BackColors is red + 256 * green + 65536 * blue.
struct SettingsRecord {
    std::int16_t slides = 0;
    std::int16_t randomOrder = 0;
    std::int16_t animate = 0;
    std::int16_t screenSize = 0;
    std::int16_t slideSize = 0;
    std::int16_t delay = 0;
    std::int16_t bsound = 0;
    std::int16_t randomPlay = 0;
    std::int16_t asound = 0;
    std::int16_t musicOnly = 0;
    std::int16_t musicNow = 0;
    std::int16_t autoStartup = 0;
    std::int16_t mouseSens = 0;
    std::int32_t backColors = 0;
};

// One row of the "Settings" section as it is read into the record: the key, the default text
// the start-up read uses (none for "Mousesens" and "BackColors"), and the field.
struct SettingsField {
    const QString* key;
    const char* loadDefault;  // nullptr: no default, an absent key leaves the field as it is
    std::int16_t SettingsRecord::*field16;
    std::int32_t SettingsRecord::*field32;
};

// The fourteen keys in the order they are read and saved.
const std::array<SettingsField, 14>& settingsFields();

}  // namespace luma
