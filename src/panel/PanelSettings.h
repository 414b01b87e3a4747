#pragma once

namespace luma {

class Program;
class PreferencesTab;

// Reads the keys of "Settings" into the in-memory record and the preference controls,
// in order. A value that cannot be converted leaves the record field as it was; each control then
// takes its field's value, and a change runs the control's reaction as a user change would.
void applyStoredSettings(Program& program, PreferencesTab& tab);

// Writes the keys of "Settings" from the controls (and "BackColors" from the record), in order, in one
// write. Returns false when the store refused it.
bool saveAllSettings(Program& program, const PreferencesTab& tab);

}  // namespace luma
