#pragma once

#include <QString>

namespace luma {

class Program;

// Opens the windows of a show run, as the stored settings ask: the display, the tray icon, the
// music.
void startShow(Program& program);

// Shows the display window and, in slideshow mode, starts its slide timer and paints the first
// slide. A single picture stays as the display's load painted it. Returns false when the display
// could not stay loaded (the music-only setting closes it).
bool startSlideshow(Program& program);

// The numeric value of a stored "Settings" flag, read with `defaultText`, compared with `expected`.
bool storedFlagIs(Program& program, const QString& key, const char* defaultText, double expected);

}  // namespace luma
