#pragma once

namespace luma {

enum class IdleSourceKind { None, Mutter, ExtIdleNotifier, KdeIdle, X11 };

// What a session offers for telling idle time.
struct SessionFacts {
    bool mutterOnBus = false;      // GNOME's idle monitor on the session bus
    bool waylandSession = false;   // XDG_SESSION_TYPE is "wayland", or WAYLAND_DISPLAY is set
    bool extIdleNotifier = false;  // the compositor offers ext_idle_notifier_v1
    bool kdeIdle = false;          // the compositor offers org_kde_kwin_idle
    bool x11ScreenSaver = false;   // an X server answers, with the MIT-SCREEN-SAVER extension
};

// GNOME's monitor wherever it runs (X11 or Wayland); on another Wayland session the standard
// protocol, else KDE's; X11 only outside Wayland, where Xwayland sees no input to Wayland windows.
IdleSourceKind chooseIdleSource(const SessionFacts& facts);

}  // namespace luma
