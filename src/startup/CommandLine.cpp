#include "startup/CommandLine.h"

#include "startup/ModeSwitch.h"

namespace luma {
namespace {

// The help, and through help2man at build time the manual page: its headings ("Options:",
// "Environment:", "Files:", "*Exit status*") become the page's sections.
const char* const kUsage = R"(Usage: lumafolio [/C | /S | /P | /A | --idle | -root | -window-id ID]
Lumafolio puts your pictures and music on screen when you step away: a
full-screen slideshow of BMP, JPEG and GIF pictures, with background music
from a playlist of WAV, MP3 and MIDI files and audio CD tracks. Its control
panel builds the slide list and the playlist and sets every preference.

Options:
  /C (also /c:1234)   open the control panel
  /S, or nothing      run a show: the slideshow with its music, as the
                      preferences say; the very first show of a user opens
                      the control panel on its Help tab
  /P                  end at once (there is no preview)
  /A                  say that there is no password protection
  --idle              wait in the background and start the show after the
                      idle time that the preferences give ("Start the
                      slideshow after"); one per user
  -root, --root       run a hosted show in the window of a screen saver
                      daemon (XSCREENSAVER_WINDOW), or on the root window
  -window-id ID       run a hosted show in window ID (decimal or 0x hex)
  --help              print this help
  --version           print the version
  anything else       end at once

The first two characters of the command line choose the mode, in either case.
Only one Lumafolio runs per user: a second start ends at once, whatever its
mode (the idle watcher holds that lock only while its show runs).

Environment:
  XDG_CONFIG_HOME     the folder of the settings file and the autostart
                      entries (~/.config when not set)
  XDG_RUNTIME_DIR     the folder of the lock that lets one Lumafolio run
                      (without it, lumafolio/ in the cache folder)
  XDG_CACHE_HOME      the cache folder (~/.cache when not set)
  DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM
                      the display to show on; a mode that needs one ends
                      with status 1 when none is found
  XSCREENSAVER_WINDOW
                      a screen saver daemon's window: a hosted show in it
  XSCREENSAVER_SAVER_INDEX
                      set and not 0: a further monitor's saver, which
                      plays no sound
  XDG_SESSION_TYPE    where --idle asks the desktop for the idle time
  DBUS_SESSION_BUS_ADDRESS
                      the session's bus (when not set, the one at
                      $XDG_RUNTIME_DIR/bus); without a bus Lumafolio does
                      without one and starts none
  LUMAFOLIO_SOUNDFONT
                      the soundfont for MIDI files, instead of
                      /usr/share/sounds/sf2/default-GM.sf2
  LUMAFOLIO_CD_DRIVES
                      more CD drives or disc images (.cue, .toc, .nrg),
                      separated by colons
  SDL_AUDIODRIVER     the sound system: pulseaudio, pipewire, alsa, or
                      dummy for none
  LUMAFOLIO_IDLE_MINUTE_MS
                      the length of the idle minute in milliseconds, for
                      tests

Files:
  ~/.config/lumafolio/Lumafolio 1.1.ini
                      the preferences; a damaged file is kept beside the
                      new one as Lumafolio 1.1.ini.damaged-DATE-TIME
  ~/.config/lumafolio/Lumafolio 1.1 pictures.ini
  ~/.config/lumafolio/Lumafolio 1.1 music.ini
                      the slide list and the playlist, kept the same way
  ~/.config/autostart/LumaS.desktop
                      starts the tray icon at login ("Always set the
                      Desktop icon")
  ~/.config/autostart/LumaIdle.desktop
                      starts --idle at login ("Start the slideshow after")

*Exit status*
  0                   the program ended, or ended at once as its mode asks
  1                   no display was found, or a hosted show has no X11
                      window to draw in
  2                   -window-id names no window id

*As a screen saver*
  "Lumafolio" lumafolio --root \n\
                      the line for xscreensaver: add it to the programs: list
                      of ~/.xscreensaver and choose Lumafolio in
                      xscreensaver-settings
  XSECURELOCK_SAVER=saver_lumafolio xsecurelock
                      locks with xsecurelock and shows the slides; installed
                      elsewhere than /usr, the saver needs its full path, as in
                      /usr/local/libexec/xsecurelock/saver_lumafolio
  xss-lock -- env XSECURELOCK_SAVER=saver_lumafolio xsecurelock &
                      the same whenever the X server's idle time runs out
  xss-lock -- lumafolio /S &
                      a show without locking whenever that time runs out
  swayidle -w timeout 600 'lumafolio /S'
                      a show after 10 minutes without input on sway (Wayland)
)";

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
