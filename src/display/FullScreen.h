#pragma once

class QScreen;
class QWidget;

namespace luma {

// Makes `window` full screen on `screen`, whether or not a window manager runs. The window gets
// the screen's geometry as well: without a window manager Qt leaves a full-screen X11 window at
// 640 x 480. A Wayland compositor places windows itself and ignores the position, but Qt takes
// the window's screen from it, and that screen names the output the window asks to fill; so the
// screen and the geometry are both given before the window is shown.
void fillScreen(QWidget& window, QScreen& screen);

}  // namespace luma
