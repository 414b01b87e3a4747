#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace luma {

// What a start answers before any window system is touched: the exit status and the texts for
// standard output and standard error.
struct EarlyAnswer {
    int exitStatus = 0;
    QString output;
    QString error;
};

// A way to read one environment variable: empty when it is not set.
using EnvironmentLookup = std::function<QString(const char* name)>;

// What a start finds of a window system for Qt to connect to.
enum class DisplayState { Found, NotNamed, NotAnswering };

// A window system is found for a platform chosen in QT_QPA_PLATFORM that needs no server, or when
// the server that the platform (xcb, wayland, or whichever is chosen by default) needs is named in
// DISPLAY or WAYLAND_DISPLAY; an X server counts only when `x11Answers` says it answers, which is
// asked only where the outcome hinges on it.
DisplayState findDisplay(const EnvironmentLookup& environment,
                         const std::function<bool()>& x11Answers);

// A window id as screen saver daemons hand it over: decimal or "0x" hexadecimal, above 0 and
// within 32 bits (X11 ids are 29 bits). nullopt for anything else.
std::optional<quint32> parseWindowId(const QString& text);

// A show drawn in a window that another program owns: a screen saver daemon's window, or the
// screen's root window.
struct HostedStart {
    bool hosted = false;
    std::optional<quint32> window;  // with `hosted`: nullopt draws on the root window
    QString error;  // not empty: a window id that is none, or no X11 to draw in, said in a line
    int errorStatus = 2;
};

// "-window-id ID" / "--window-id ID" names the window; "-root" / "--root" means the window in
// XSCREENSAVER_WINDOW, or the root window when that is not set; XSCREENSAVER_WINDOW alone also
// asks for a hosted show, unless the command line chooses the panel, the preview or the
// password mode. A Wayland session that gives Qt no X11 (DISPLAY not set, or QT_QPA_PLATFORM
// choosing wayland) has no such window to draw in: that error ends the start with status 1.
HostedStart hostedStartOf(const QStringList& arguments, const EnvironmentLookup& environment);

// Whether a hosted show may try for the single-instance lock, and so play sound: not where the
// daemon says it runs a second or later saver (XSCREENSAVER_SAVER_INDEX set and not 0).
bool hostedMayTakeLock(const EnvironmentLookup& environment);

// "--help" and "--version" are answered; the switches that end at once ("/P", anything unknown)
// end with status 0; a mode that needs a display, started without one found, ends with status 1
// and a line that says so, as does a window id that is none (status 2) or a hosted show without
// X11. nullopt: the program runs.
// `display` is asked only by a mode that needs one.
std::optional<EarlyAnswer> answerBeforeDisplay(const QStringList& arguments,
                                               const std::function<DisplayState()>& display,
                                               const HostedStart& hosted = {});

}  // namespace luma
