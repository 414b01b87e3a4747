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

// Whether a window system is there for Qt to connect to: a platform chosen in QT_QPA_PLATFORM
// that needs no server, or the server that the platform (xcb, wayland, or whichever is chosen by
// default) needs named in DISPLAY or WAYLAND_DISPLAY.
bool displayAvailable(const EnvironmentLookup& environment);

// "--help" and "--version" are answered; the switches that end at once ("/P", anything unknown)
// end with status 0; a mode that needs a display, started without one, ends with status 1 and a
// line that says so. nullopt: the program runs.
std::optional<EarlyAnswer> answerBeforeDisplay(const QStringList& arguments, bool haveDisplay);

}  // namespace luma
