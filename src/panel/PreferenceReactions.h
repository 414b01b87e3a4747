#pragma once

namespace luma {

class Program;
class PreferencesTab;

// Wires what each preference control does at once when it changes, whether the user or the panel
// changed it: most check boxes store their key (some also set the in-memory record), the tray box
// loads or unloads the tray window, the start-up box places or removes the StartUp shortcut, the
// number boxes keep their limits ("Slidesize" is stored at once) and the colour bars recolour the
// swatch and the display.
void connectPreferenceReactions(Program& program, PreferencesTab& tab);

}  // namespace luma
