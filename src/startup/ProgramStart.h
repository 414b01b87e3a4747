#pragma once

#include <QString>

namespace luma {

class Program;

// The program's entry: refuses a second instance, makes the program folder current and dispatches
// on the mode switch of `commandLine` (the arguments after the program name, joined by blanks).
// When it returns, the program goes on while a window is loaded; Program::hasEnded() tells an
// explicit end.
void startProgram(Program& program, const QString& commandLine);

// A show drawn in another program's window, as a screen saver daemon runs it: the stored slides
// (or the single picture), whatever the stored tray and music-only choices say; no control panel
// (not even on a first run), no tray icon. Only `withSound` plays music and the chime: one
// process at a time does.
void startHostedShow(Program& program, bool withSound);

}  // namespace luma
