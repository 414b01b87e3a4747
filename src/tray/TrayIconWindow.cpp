#include "tray/TrayIconWindow.h"
#include "tray/TrayIds.h"

#include "music/DeviceRoutines.h"
#include "platform/NotificationArea.h"
#include "settings/SettingsKeys.h"
#include "startup/Program.h"
#include "startup/StartShow.h"
#include "tray/TrayIconArt.h"

#include <QCursor>
#include <QMenu>

#include <cstdio>

namespace luma {

TrayIconWindow::TrayIconWindow(Program& program)
    : notificationAreaWait(program.timers(), 1000), program_(program) {
    setObjectName(tray_ids::kTrayWindow);
    setWindowTitle(QStringLiteral("Lumafolio Music control"));
    setWindowIcon(lumafolioTrayIcon());

    menu = new QMenu(QStringLiteral("Popup"), this);
    menu->setObjectName(tray_ids::kMenu);
    auto item = [this](QLatin1String name, const QString& caption,
                       void (TrayIconWindow::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    playItem = item(tray_ids::kPlayItem, QStringLiteral("Play music | Next selection"),
                    &TrayIconWindow::playMusic);
    stopItem =
        item(tray_ids::kStopItem, QStringLiteral("Stop playing Music"), &TrayIconWindow::stopMusic);
    slideshowItem = item(tray_ids::kSlideshowItem, QStringLiteral("Start Slideshow"),
                         &TrayIconWindow::startSlideshowFromMenu);
    restoreItem = item(tray_ids::kRestoreItem, QStringLiteral("Restore Lumafolio Control panel"),
                       &TrayIconWindow::restorePanel);
    separator = menu->addSeparator();
    separator->setObjectName(tray_ids::kSeparator);
    shutDownItem = item(tray_ids::kShutDownItem, QStringLiteral("Shutdown Lumafolio"),
                        &TrayIconWindow::shutDown);

    notificationAreaWait.setHandler([this] { waitForNotificationArea(); });
}

TrayIconWindow::~TrayIconWindow() = default;

void TrayIconWindow::load() {
    if (program_.notificationArea().isAvailable()) {
        putIconUp();
    } else {
        notificationAreaWait.setEnabled(true);
    }
    program_.suppressKeyExit = true;
    hide();
}

void TrayIconWindow::unload() {
    notificationAreaWait.setEnabled(false);
    program_.notificationArea().removeIcon();
    program_.suppressKeyExit = false;
}

void TrayIconWindow::showWindow() {
    // The window only carries the icon and the menu; it is never shown.
}

void TrayIconWindow::hideWindow() {
    hide();
}

bool TrayIconWindow::isShown() const {
    return false;
}

void TrayIconWindow::disableTimers() {
    notificationAreaWait.setEnabled(false);
}

void TrayIconWindow::putIconUp() {
    program_.notificationArea().addIcon(lumafolioTrayIcon(), QStringLiteral("Lumafolio"),
                                        [this](int code) { trayMessage(code); });
}

void TrayIconWindow::waitForNotificationArea() {
    if (program_.notificationArea().isAvailable()) {
        notificationAreaWait.setEnabled(false);
        putIconUp();
        return;
    }
    if (++secondsWaited_ < kTrayWaitSeconds) {
        return;
    }
    if (!fallbackReported_) {
        fallbackReported_ = true;
        std::fprintf(stderr,
                     "lumafolio: the desktop has no notification area for the music icon; the "
                     "control panel opens instead\n");
        std::fflush(stderr);
    }
    // Not over a running show: the panel comes once the display has gone.
    if (DisplayWindow* display = program_.displayIfLoaded();
        display != nullptr && display->isShown()) {
        return;
    }
    notificationAreaWait.setEnabled(false);
    if (PanelWindow* panel = program_.panel()) {
        panel->showWindow();
    }
}

void TrayIconWindow::trayMessage(int code) {
    lastTrayMessage = code;
    if (code == NotificationArea::kRightUp) {
        menu->popup(QCursor::pos());
    }
}

void TrayIconWindow::playMusic() {
    if (PanelWindow* panel = program_.panel()) {
        panel->playNextEntry();
    }
}

void TrayIconWindow::stopMusic() {
    stopAllDevices(program_);
    // The end pollers go too: a stopped MP3 would otherwise look ended and start the next entry.
    if (PlayerWindow* player = program_.playerIfLoaded()) {
        player->disableTimers();
    }
    if (PanelWindow* panel = program_.panelIfLoaded()) {
        panel->disableTimers();
    }
}

void TrayIconWindow::startSlideshowFromMenu() {
    program_.cursor().show(false);
    program_.suppressKeyExit = true;
    startSlideshow(program_);
    program_.suppressKeyExit = false;
}

void TrayIconWindow::restorePanel() {
    const bool playNow = storedFlagIs(program_, keys::kMusicNow, 1);
    if (PanelWindow* panel = program_.panel()) {
        panel->showWindow();
    }
    if (!playNow) {
        program_.unloadTray();
    }
}

void TrayIconWindow::shutDown() {
    program_.cursor().show(true);
    program_.unloadPanel();
    program_.unloadTray();
    stopAllDevices(program_);
    program_.unloadPlayer();
    program_.endProgram();
}

}  // namespace luma
