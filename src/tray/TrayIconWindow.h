#pragma once

#include "runtime/Timer.h"
#include "startup/Windows.h"

#include <QWidget>

class QAction;
class QMenu;

namespace luma {

class Program;

// The hidden window that owns the tray icon and its menu: play the next entry, stop the music,
// start the slideshow, bring back the control panel, shut down.
//
// Where the desktop has no notification area, it waits for one (it may come up a little after the
// program at log-in); if none comes, it says so once and opens the control panel instead, so that
// the music stays under the user's control.
class TrayIconWindow : public QWidget, public TrayWindow {
public:
    static constexpr int kTrayWaitSeconds = 30;

    explicit TrayIconWindow(Program& program);
    ~TrayIconWindow() override;

    void load() override;
    void unload() override;
    void showWindow() override;
    void hideWindow() override;
    bool isShown() const override;
    void disableTimers() override;

    // A mouse event code from the icon; only the right-button release opens the menu.
    void trayMessage(int code);

    void playMusic();
    void stopMusic();
    void startSlideshowFromMenu();
    void restorePanel();
    void shutDown();

    QMenu* menu = nullptr;
    QAction* playItem = nullptr;
    QAction* stopItem = nullptr;
    QAction* slideshowItem = nullptr;
    QAction* restoreItem = nullptr;
    QAction* separator = nullptr;
    QAction* shutDownItem = nullptr;
    int lastTrayMessage = 0;
    Timer notificationAreaWait;  // ticks once a second while the notification area is awaited

private:
    void putIconUp();
    void waitForNotificationArea();

    Program& program_;
    int secondsWaited_ = 0;
    bool fallbackReported_ = false;
};

}  // namespace luma
