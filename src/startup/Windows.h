#pragma once

#include <cstdint>

class QWindow;

namespace luma {

class Mp3Player;

// What the program needs of each of its four windows. A window is created on first use, then its
// load procedure runs; unloading runs its unload procedure and destroys it.
class Window {
public:
    virtual ~Window() = default;
    virtual void load() {}
    virtual void unload() {}
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    virtual bool isShown() const = 0;
    // Stops every timer of the window; run when the window goes away.
    virtual void disableTimers() {}
};

// SlideshowWindow, the full-screen display.
class DisplayWindow : public Window {
public:
    virtual void enableSlideTimer() = 0;
    virtual void showFirstSlide() = 0;
    // The background of the picture area (the panel's colour bars set it while the show is off).
    virtual void setBackgroundColour(std::int32_t colour) = 0;
    // The native window of the show on the primary monitor; null before it has one.
    virtual QWindow* primaryWindow() const { return nullptr; }
};

// ControlPanel, the control panel.
class PanelWindow : public Window {
public:
    virtual void selectTab(int index) = 0;
    virtual void findCdDrives() = 0;
    virtual void playNextEntry() = 0;
    virtual void stopAllMusic() = 0;  // stop all music and the panel's pollers
};

// BackgroundPlayer, the hidden music player.
class PlayerWindow : public Window {
public:
    virtual void startMusic() = 0;
    virtual void stopAllMusic() = 0;  // stop all music and the player's pollers
};

// TrayIconWindow, the hidden window that owns the tray icon.
class TrayWindow : public Window {};

}  // namespace luma
