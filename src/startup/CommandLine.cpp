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
    "  --idle             wait in the background and start the show after the idle time the\n"
    "                     preferences give (\"Start the slideshow after\"); one per user\n"
    "  -root, --root      run a hosted show in the window of a screen saver daemon\n"
    "                     (XSCREENSAVER_WINDOW), or on the screen's root window\n"
    "  -window-id ID      run a hosted show in window ID (decimal or 0x hexadecimal)\n"
    "  anything else      end at once\n"
    "  --help             print this help\n"
    "  --version          print the version\n"
    "\n"
    "Only one Lumafolio runs per user: a second start ends at once, whatever its mode.\n";

bool isSet(const EnvironmentLookup& environment, const char* name) {
    return !environment(name).isEmpty();
}

// Where Qt would connect to a Wayland compositor and not to an X server.
bool waylandOnly(const EnvironmentLookup& environment) {
    const QString platform = environment("QT_QPA_PLATFORM").trimmed().toLower();
    return platform.startsWith(u"wayland") ||
           (!isSet(environment, "DISPLAY") && isSet(environment, "WAYLAND_DISPLAY"));
}

}  // namespace

DisplayState findDisplay(const EnvironmentLookup& environment,
                         const std::function<bool()>& x11Answers) {
    const QString platform = environment("QT_QPA_PLATFORM").trimmed().toLower();
    const bool wayland = isSet(environment, "WAYLAND_DISPLAY");
    bool unanswered = false;
    const auto x11 = [&] {
        if (!isSet(environment, "DISPLAY")) {
            return false;
        }
        unanswered = !x11Answers();
        return !unanswered;
    };
    const auto notFound = [&] {
        return unanswered ? DisplayState::NotAnswering : DisplayState::NotNamed;
    };
    if (platform.isEmpty()) {
        return wayland || x11() ? DisplayState::Found : notFound();
    }
    // Qt tries the platforms of a "a;b" list in turn.
    for (const QString& name : platform.split(u';', Qt::SkipEmptyParts)) {
        const QString plugin = name.section(u':', 0, 0);
        if (plugin == u"xcb") {
            if (x11()) {
                return DisplayState::Found;
            }
        } else if (plugin.startsWith(u"wayland")) {
            if (wayland) {
                return DisplayState::Found;
            }
        } else {
            return DisplayState::Found;  // offscreen, vnc, eglfs, ...: no display server to name
        }
    }
    return notFound();
}

std::optional<quint32> parseWindowId(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    qulonglong value = 0;
    if (t.startsWith(u"0x", Qt::CaseInsensitive)) {
        value = t.mid(2).toULongLong(&ok, 16);
        ok = ok && t.size() > 2 && t.mid(2).front().isLetterOrNumber();
    } else {
        value = t.toULongLong(&ok, 10);
        ok = ok && !t.isEmpty() && t.front().isDigit();
    }
    if (!ok || value == 0 || value > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    return static_cast<quint32>(value);
}

HostedStart hostedStartOf(const QStringList& arguments, const EnvironmentLookup& environment) {
    HostedStart start;
    bool root = false;
    std::optional<QString> given;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"-root" || a == u"--root") {
            root = true;
        } else if (a == u"-window-id" || a == u"--window-id") {
            given = i + 1 < arguments.size() ? arguments[i + 1] : QString();
            ++i;
        }
    }
    const QString daemonWindow = environment("XSCREENSAVER_WINDOW");
    const Mode mode = modeOf(arguments.join(u' '));
    const bool otherMode =
        !root && !given &&
        (mode == Mode::Configure || mode == Mode::Preview || mode == Mode::Password);
    if (!given && !root && (daemonWindow.isEmpty() || otherMode)) {
        return start;
    }
    start.hosted = true;
    if (waylandOnly(environment)) {
        start.errorStatus = 1;
        start.error = QStringLiteral(
            "lumafolio: -root, -window-id and XSCREENSAVER_WINDOW draw in an X11 window, and this "
            "Wayland session gives none (DISPLAY is not set, or QT_QPA_PLATFORM chooses "
            "wayland)\n");
        return start;
    }
    const QString idText = given ? *given : daemonWindow;
    if (!given && idText.isEmpty()) {
        return start;  // "-root" with no daemon: the root window
    }
    start.window = parseWindowId(idText);
    if (!start.window) {
        start.error = QStringLiteral(
                          "lumafolio: \"%1\" is not a window id (a decimal or 0x "
                          "hexadecimal number above 0)\n")
                          .arg(idText);
    }
    return start;
}

bool hostedMayTakeLock(const EnvironmentLookup& environment) {
    const QString index = environment("XSCREENSAVER_SAVER_INDEX").trimmed();
    return index.isEmpty() || index == u"0";
}

std::optional<EarlyAnswer> answerBeforeDisplay(const QStringList& arguments,
                                               const std::function<DisplayState()>& display,
                                               const HostedStart& hosted) {
    const QString first = arguments.isEmpty() ? QString() : arguments.first();
    if (first == u"--help") {
        return EarlyAnswer{0, QString::fromLatin1(kUsage), {}};
    }
    if (first == u"--version") {
        return EarlyAnswer{0, QStringLiteral("lumafolio " LUMAFOLIO_VERSION "\n"), {}};
    }
    if (!hosted.error.isEmpty()) {
        return EarlyAnswer{hosted.errorStatus, {}, hosted.error};
    }
    switch (hosted.hosted ? Mode::Show : modeOf(arguments.join(u' '))) {
        case Mode::Preview:
        case Mode::Other:
            return EarlyAnswer{};
        case Mode::Configure:
        case Mode::Show:
        case Mode::Password:
        case Mode::IdleWatch:
            break;
    }
    const DisplayState found = display();
    if (found == DisplayState::Found) {
        return std::nullopt;
    }
    const QString why = found == DisplayState::NotAnswering
                            ? QStringLiteral("no X server answers at the display DISPLAY names")
                            : QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    return EarlyAnswer{1,
                       {},
                       QStringLiteral("lumafolio: no display found (%1); run it from a desktop "
                                      "session, or name the display, as in DISPLAY=:0 "
                                      "lumafolio /S\n")
                           .arg(why)};
}

}  // namespace luma
