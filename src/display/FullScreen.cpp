#include "display/FullScreen.h"

#include <QScreen>
#include <QWidget>

namespace luma {

void fillScreen(QWidget& window, QScreen& screen) {
    window.setScreen(&screen);
    window.setGeometry(screen.geometry());
    // Setting the geometry leaves the full-screen state; a window manager needs it again.
    window.setWindowState(window.windowState() | Qt::WindowFullScreen);
}

}  // namespace luma
