#include "startup/CommandLine.h"

#include "startup/ModeSwitch.h"

namespace luma {
namespace {

const char* const kUsage =
    "Usage: lumafolio [/C | /S | /P | /A]\n"
    "\n"
    "  /C (also /c:1234)  open the control panel\n"
    "  /S, or nothing     run a show: the slideshow with its music, as the preferences say;\n"
    "                     the very first show of a user opens the control panel on its Help tab\n"
    "  /P                 end at once (there is no preview)\n"
    "  /A                 say that there is no password protection\n"
    "  anything else      end at once\n"
    "  --help             print this help\n"
    "  --version          print the version\n"
    "\n"
    "Only one Lumafolio runs per user: a second start ends at once, whatever its mode.\n";

bool isSet(const EnvironmentLookup& environment, const char* name) {
    return !environment(name).isEmpty();
}

}  // namespace

bool displayAvailable(const EnvironmentLookup& environment) {
    const QString platform = environment("QT_QPA_PLATFORM").trimmed().toLower();
    const bool x11 = isSet(environment, "DISPLAY");
    const bool wayland = isSet(environment, "WAYLAND_DISPLAY");
    if (platform.isEmpty()) {
        return x11 || wayland;
    }
    // Qt tries the platforms of a "a;b" list in turn.
    for (const QString& name : platform.split(u';', Qt::SkipEmptyParts)) {
        const QString plugin = name.section(u':', 0, 0);
        if (plugin == u"xcb") {
            if (x11) {
                return true;
            }
        } else if (plugin.startsWith(u"wayland")) {
            if (wayland) {
                return true;
            }
        } else {
            return true;  // offscreen, vnc, eglfs, ...: no display server to name
        }
    }
    return false;
}

std::optional<EarlyAnswer> answerBeforeDisplay(const QStringList& arguments, bool haveDisplay) {
    const QString first = arguments.isEmpty() ? QString() : arguments.first();
    if (first == u"--help") {
        return EarlyAnswer{0, QString::fromLatin1(kUsage), {}};
    }
    if (first == u"--version") {
        return EarlyAnswer{0, QStringLiteral("lumafolio " LUMAFOLIO_VERSION "\n"), {}};
    }
    switch (modeOf(arguments.join(u' '))) {
        case Mode::Preview:
        case Mode::Other:
            return EarlyAnswer{};
        case Mode::Configure:
        case Mode::Show:
        case Mode::Password:
            break;
    }
    if (haveDisplay) {
        return std::nullopt;
    }
    return EarlyAnswer{
        1,
        {},
        QStringLiteral("lumafolio: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                       "run it from a desktop session, or name the display, as in "
                       "DISPLAY=:0 lumafolio /S\n")};
}

}  // namespace luma
