#include "display/SlideshowWindow.h"
#include "idle/IdleWatching.h"
#include "music/BackgroundPlayer.h"
#include "panel/ControlPanel.h"
#include "platform/cd/CdioDriveList.h"
#include "platform/desktop/DesktopShell.h"
#include "platform/desktop/DetachedWatcherProcess.h"
#include "platform/desktop/LockFileInstance.h"
#include "platform/desktop/QtFileDialog.h"
#include "platform/desktop/QtMessageBox.h"
#include "platform/desktop/QtNotificationArea.h"
#include "platform/desktop/SessionBusAddress.h"
#include "platform/desktop/TerminationSignals.h"
#include "platform/desktop/X11DisplayProbe.h"
#include "platform/desktop/XcbHostWindows.h"
#include "platform/desktop/XdgAutostartShortcuts.h"
#include "platform/sound/SoundServices.h"
#include "runtime/QtTimerService.h"
#include "runtime/Random.h"
#include "settings/IniSettingsStore.h"
#include "startup/CommandLine.h"
#include "startup/ModeSwitch.h"
#include "startup/Program.h"
#include "startup/ProgramStart.h"
#include "tray/TrayIconWindow.h"

#include <QApplication>
#include <QCursor>

#include <cstdio>

namespace {

luma::PlatformServices systemServices() {
    luma::PlatformServices s;
    s.store = std::make_unique<luma::IniSettingsStore>(luma::IniSettingsStore::defaultPath());
    s.timers = std::make_unique<luma::QtTimerService>();
    s.random = std::make_unique<luma::Random>();
    s.instance = std::make_unique<luma::LockFileInstance>();
    s.messageBox = std::make_unique<luma::QtMessageBox>();
    s.shell = std::make_unique<luma::DesktopShell>();
    s.fileDialog = std::make_unique<luma::QtFileDialog>();
    s.notificationArea = std::make_unique<luma::QtNotificationArea>();
    s.shortcuts = std::make_unique<luma::XdgAutostartShortcuts>();
    s.watcher = std::make_unique<luma::DetachedWatcherProcess>();
    s.programFolder = QCoreApplication::applicationDirPath();
    s.drives = std::make_unique<luma::cd::CdioDriveList>();
    luma::SoundServices sound = luma::makeSystemSound(*s.drives);
    s.media = std::move(sound.media);
    s.mp3 = std::move(sound.mp3);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt looks for a display, which it cannot do without one.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const luma::EnvironmentLookup environment = [](const char* name) {
        return qEnvironmentVariable(name);
    };
    const auto display = [&environment] {
        return luma::findDisplay(environment, [&environment] {
            return luma::x11DisplayAnswers(environment("DISPLAY"));
        });
    };
    const luma::HostedStart hosted = luma::hostedStartOf(arguments, environment);
    if (const auto answer = luma::answerBeforeDisplay(arguments, display, hosted)) {
        std::fputs(answer->output.toLocal8Bit().constData(), stdout);
        std::fputs(answer->error.toLocal8Bit().constData(), stderr);
        return answer->exitStatus;
    }

    if (hosted.hosted && environment("QT_QPA_PLATFORM").isEmpty() &&
        !environment("WAYLAND_DISPLAY").isEmpty() &&
        luma::x11DisplayAnswers(environment("DISPLAY"))) {
        // The daemon's window is an X11 one: Xwayland's, where Qt would choose Wayland.
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    luma::settleSessionBusAddress();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumafolio"));
    QApplication::setQuitOnLastWindowClosed(false);

    luma::XcbHostWindows hostWindows;
    luma::Program program(systemServices());
    // SIGTERM, SIGINT and SIGHUP end every mode the way a close does: settings synced, sound
    // closed.
    const luma::TerminationSignals terminations([&program](int) { program.endProgram(); });
    std::optional<luma::SlideshowWindow::Hosting> hosting;
    if (hosted.hosted) {
        const std::optional<quint32> window =
            hosted.window ? hosted.window : hostWindows.rootWindow();
        if (!window || !hostWindows.size(*window)) {
            std::fprintf(stderr, "lumafolio: there is no X11 window %s to draw in\n",
                         qPrintable(window ? QStringLiteral("0x%1").arg(*window, 0, 16)
                                           : QStringLiteral("(root)")));
            return 1;
        }
        hosting = luma::SlideshowWindow::Hosting{*window, &hostWindows};
    }
    program.setDisplayFactory([hosting](luma::Program& p) {
        return std::make_unique<luma::SlideshowWindow>(p, hosting);
    });
    program.setPlayerFactory(
        [](luma::Program& p) { return std::make_unique<luma::BackgroundPlayer>(p); });
    program.setPanelFactory(
        [](luma::Program& p) { return std::make_unique<luma::ControlPanel>(p); });
    program.setTrayFactory(
        [](luma::Program& p) { return std::make_unique<luma::TrayIconWindow>(p); });
    program.cursor().setListener([](bool visible) {
        if (visible) {
            QApplication::restoreOverrideCursor();
        } else {
            QApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
        }
    });

    std::unique_ptr<luma::IdleWatching> idleWatching;  // goes before the program it runs in
    if (hosting) {
        // A second saver (another monitor, another Lumafolio running) shows its slides silently:
        // a saver that ended would be started again at once.
        luma::startHostedShow(program,
                              luma::hostedMayTakeLock(environment) && program.instance().acquire());
    } else {
        arguments = QApplication::arguments();  // without the options Qt took for itself
        arguments.removeFirst();
        const bool watcher = luma::modeOf(arguments.join(u' ')) == luma::Mode::IdleWatch;
        if (!watcher) {
            luma::startProgram(program, arguments.join(u' '));
        }
        // A tray process, such as the one that starts with the session, is the idle watcher too,
        // unless another one runs: one process, one icon.
        if (watcher || (!program.hasEnded() && program.trayIfLoaded() != nullptr)) {
            idleWatching = luma::IdleWatching::start(
                program, luma::IniSettingsStore::defaultPath(),
                luma::idleMinute(qEnvironmentVariable("LUMAFOLIO_IDLE_MINUTE_MS")), watcher);
        }
    }
    program.endIfNothingLeft();
    if (program.hasEnded()) {
        return 0;
    }
    return QApplication::exec();
}
