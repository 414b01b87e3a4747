#pragma once

namespace luma {

class SettingsStore;
struct SettingsRecord;

// Reads every key of "Settings" into the record, in order. A value that cannot be converted
// (and "Mousesens" or "BackColors" when absent) leaves its field as it was.
void loadSettings(const SettingsStore& store, SettingsRecord& record);

}  // namespace luma
