#pragma once

#include "settings/SettingsStore.h"

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
    std::int16_t idleMinutes = 0;  // 0: the show does not start by itself after idle time
    std::int16_t allowLock = 1;    // 1: the desktop may lock the screen during the show
    // 1: every monitor shows slides; 0: the primary one, the others the background colour
    std::int16_t everyMonitor = 1;
    std::int16_t fade = 0;  // 1: a step blends the old slide into the new one
};

// One row of the "Settings" section: the key, the default text every reader uses for an absent
// key (none for "Mousesens" and "BackColors"), the field it is read into, and for a number the
// range the panel brings it into (0 to 0: none).
struct SettingsField {
    const QString* key;
    const char* loadDefault;  // nullptr: no default, an absent key leaves the field as it is
    std::int16_t SettingsRecord::*field16;
    std::int32_t SettingsRecord::*field32;
    int lowest = 0;
    int highest = 0;
};

// Every key of "Settings" in the order it is read and saved: the one table of their defaults.
const std::array<SettingsField, 18>& settingsFields();

// The row of `key`; the program asks only for keys of the table.
const SettingsField& settingsField(const QString& key);

// The stored text of a "Settings" key, or its default when absent (empty when it has none).
QString storedSetting(const SettingsStore& store, const QString& key);

}  // namespace luma
