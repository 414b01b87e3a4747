#include "tray/frmpopup.h"

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

frmpopup::frmpopup(Program& program) : TrayWait(program.timers(), 1000), program_(program) {
    setObjectName(QStringLiteral("frmpopup"));
    setWindowTitle(QStringLiteral("Lumafolio Music control"));
    setWindowIcon(lumafolioTrayIcon());

    Popup = new QMenu(QStringLiteral("Popup"), this);
    Popup->setObjectName(QStringLiteral("Popup"));
    auto item = [this](const char* name, const QString& caption, void (frmpopup::*handler)()) {
        QAction* action = Popup->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mnuPlaymusic = item("mnuPlaymusic", QStringLiteral("Play music | Next selection"),
                        &frmpopup::mnuPlaymusic_Click);
    mnuStopmusic =
        item("mnuStopmusic", QStringLiteral("Stop playing Music"), &frmpopup::mnuStopmusic_Click);
    mnuSlideshow =
        item("mnuSlideshow", QStringLiteral("Start Slideshow"), &frmpopup::mnuSlideshow_Click);
    Exit = item("Exit", QStringLiteral("Restore Lumafolio Control panel"), &frmpopup::Exit_Click);
    mnuspace = Popup->addSeparator();
    mnuspace->setObjectName(QStringLiteral("mnuspace"));
    mnuEnd = item("mnuEnd", QStringLiteral("Shutdown Lumafolio"), &frmpopup::mnuEnd_Click);

    TrayWait.setHandler([this] { waitForNotificationArea(); });
}

frmpopup::~frmpopup() = default;

void frmpopup::load() {
    if (program_.notificationArea().isAvailable()) {
        putIconUp();
    } else {
        TrayWait.setEnabled(true);
    }
    program_.SuppressKeyExit = true;
    hide();
}

void frmpopup::unload() {
    TrayWait.setEnabled(false);
    program_.notificationArea().removeIcon();
    program_.SuppressKeyExit = false;
}

void frmpopup::showWindow() {
    // The window only carries the icon and the menu; it is never shown.
}

void frmpopup::hideWindow() {
    hide();
}

bool frmpopup::isShown() const {
    return false;
}

void frmpopup::disableTimers() {
    TrayWait.setEnabled(false);
}

void frmpopup::putIconUp() {
    program_.notificationArea().addIcon(lumafolioTrayIcon(), QStringLiteral("Lumafolio"),
                                        [this](int code) { trayMessage(code); });
}

void frmpopup::waitForNotificationArea() {
    if (program_.notificationArea().isAvailable()) {
        TrayWait.setEnabled(false);
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
    TrayWait.setEnabled(false);
    if (PanelWindow* panel = program_.panel()) {
        panel->showWindow();
    }
}

void frmpopup::trayMessage(int code) {
    LastTrayMessage = code;
    if (code == NotificationArea::kRightUp) {
        Popup->popup(QCursor::pos());
    }
}

void frmpopup::mnuPlaymusic_Click() {
    if (PanelWindow* panel = program_.panel()) {
        panel->Command32_Click();
    }
}

void frmpopup::mnuStopmusic_Click() {
    StopAllMusic(program_);
    // The end pollers go too: a stopped MP3 would otherwise look ended and start the next entry.
    if (PlayerWindow* player = program_.playerIfLoaded()) {
        player->disableTimers();
    }
    if (PanelWindow* panel = program_.panelIfLoaded()) {
        panel->disableTimers();
    }
}

void frmpopup::mnuSlideshow_Click() {
    program_.cursor().show(false);
    program_.SuppressKeyExit = true;
    StartSlideshow(program_);
    program_.SuppressKeyExit = false;
}

void frmpopup::Exit_Click() {
    const bool playNow = storedFlagIs(program_, keys::kMusicNow, "0", 1);
    if (PanelWindow* panel = program_.panel()) {
        panel->showWindow();
    }
    if (!playNow) {
        program_.unloadTray();
    }
}

void frmpopup::mnuEnd_Click() {
    program_.cursor().show(true);
    program_.unloadPanel();
    program_.unloadTray();
    StopAllMusic(program_);
    program_.unloadPlayer();
    program_.endProgram();
}

}  // namespace luma
