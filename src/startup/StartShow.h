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

// The show that idle time starts: the slideshow with its music and chime as the stored preferences
// say, whatever the tray and music-only choices say; where the tray icon is up, as its "Start
// Slideshow" does, and the music that plays goes on.
void startIdleShow(Program& program);

// The numeric value of a stored "Settings" flag (its default when absent), compared with `expected`.
bool storedFlagIs(Program& program, const QString& key, double expected);

}  // namespace luma
