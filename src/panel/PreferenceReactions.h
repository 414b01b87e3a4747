#pragma once

#include <QString>

namespace luma {

class Program;
class PreferencesTab;

// Wires what each preference control does at once when it changes, whether the user or the panel
// changed it: most check boxes store their key (some also set the in-memory record), the tray box
// loads or unloads the tray window, the start-up box places or removes the StartUp shortcut, the
// number boxes keep their limits ("Slidesize" is stored at once) and the colour bars recolour the
// swatch and the display. The idle box and its minutes store "IdleMinutes" at once, keep the idle
// watcher's start-up entry and start or end the watcher.
void connectPreferenceReactions(Program& program, PreferencesTab& tab);

// "IdleMinutes" as the controls say it: the minutes, or "0" with the box clear.
QString storedIdleMinutes(const PreferencesTab& tab);

}  // namespace luma
