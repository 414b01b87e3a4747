#include "panel/frmSetup2.h"

#include "panel/AboutTab.h"
#include "panel/ButtonSizing.h"
#include "panel/HelpTab.h"
#include "panel/NamedButton.h"
#include "panel/PanelCdDrives.h"
#include "panel/PanelPlayer.h"
#include "panel/PanelScale.h"
#include "panel/PanelSettings.h"
#include "panel/PlaylistEditor.h"
#include "panel/PreferenceReactions.h"
#include "panel/PreferencesTab.h"
#include "panel/SlideListEditor.h"
#include "panel/SlidesTab.h"
#include "panel/SoundTab.h"
#include "platform/MediaControl.h"
#include "platform/NotificationArea.h"
#include "runtime/PendingEvents.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "startup/Program.h"
#include "startup/StartShow.h"
#include "system/SaverCopyRemoval.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace luma {

frmSetup2::frmSetup2(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      program_(program) {
    setObjectName(QStringLiteral("frmSetup2"));
    setWindowTitle(QStringLiteral("Make a Lumafolio"));
    setFont(panelFont(font()));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setUsesScrollButtons(false);
    slides = new SlidesTab(SSTab1);
    sound = new SoundTab(SSTab1);
    preferences = new PreferencesTab(SSTab1);
    help = new HelpTab(program, SSTab1);
    about = new AboutTab(program, SSTab1);
    SSTab1->addTab(slides, QStringLiteral("Slides"));
    SSTab1->addTab(sound, QStringLiteral("Sound"));
    SSTab1->addTab(preferences, QStringLiteral("Preferences"));
    SSTab1->addTab(help, QStringLiteral("Help"));
    SSTab1->addTab(about, QStringLiteral("About/Admin"));
    SSTab1->setCurrentIndex(kPreferencesTab);

    Command17 = namedButton("Command17", "Test", this);
    Command1 = namedButton("Command1", "Save settings, Close", this);
    Command6 = namedButton("Command6", "Just Close control panel", this);
    Comrtt2 = namedButton("Comrtt2", "Shut Down", this);
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    int widest = 0;
    for (QPushButton* b : {Command17, Command1, Command6, Comrtt2}) {
        widest = std::max(widest, b->fontMetrics().horizontalAdvance(b->text()));
    }
    for (QPushButton* b : {Command17, Command1, Command6, Comrtt2}) {
        // The row is shared out by stretch alone, so the four are the same size.
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        b->setMinimumWidth(widest + 2 * kCaptionPadding);
        row->addWidget(b, 1);
    }
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(3);
    column->addWidget(SSTab1, 1);
    column->addLayout(row);

    slideEditor = new SlideListEditor(program, *slides, lastDialogFile_);
    playlist = new PlaylistEditor(program, *sound, lastDialogFile_);
    music = new PanelPlayer(program, *sound, [this] {
        return !program_.hasEnded() && program_.panelIfLoaded() == this;
    });
    cdDrives = new PanelCdDrives(program, *sound, *playlist);
    connectPreferenceReactions(program, *preferences);

    connect(Command17, &QPushButton::clicked, this, &frmSetup2::Command17_Click);
    connect(Command1, &QPushButton::clicked, this, &frmSetup2::Command1_Click);
    connect(Command6, &QPushButton::clicked, this, &frmSetup2::Command6_Click);
    connect(Comrtt2, &QPushButton::clicked, this, &frmSetup2::Comrtt2_Click);
    connect(preferences->Command19, &QPushButton::clicked, this, &frmSetup2::Command19_Click);

    setFixedSize(scaledSize(kDesignSize, panelScale(this)));
}

frmSetup2::~frmSetup2() = default;

void frmSetup2::load() {
    Setthesettings(program_, *preferences);
    centreOnScreen();
    slideEditor->loadStoredList();
    cdDrives->Command29_Click();
    playlist->Command31_Click();
    program_.media().send(QStringLiteral("stop cd"));
    program_.media().send(QStringLiteral("close cd"));
    cdDrives->UpDate_Cds();
    playlist->RefreshCdEntries();
    program_.cursor().show(true);
    if (storedMusicNowIsOn()) {
        program_.tray();
    }
}

void frmSetup2::unload() {
    runUnloadSteps();
}

void frmSetup2::runUnloadSteps() {
    Command35_Click();
    program_.unloadDisplay();
    program_.cursor().show(true);
    const QPointer<frmSetup2> alive(this);
    processPendingEvents();
    if (alive.isNull() || program_.hasEnded()) {
        return;  // closed for good meanwhile
    }
    const bool autoStart = preferences->Check2->isChecked();
    program_.store().write(keys::kSettings, keys::kAutoStartup,
                           autoStart ? QStringLiteral("1") : QStringLiteral("0"));
    if (!autoStart) {
        RemoveStartupSaverCopy();
    }
}

void frmSetup2::showWindow() {
    show();
    raise();
    activateWindow();
}

void frmSetup2::hideWindow() {
    hide();
}

bool frmSetup2::isShown() const {
    return isVisible();
}

void frmSetup2::disableTimers() {
    music->disableTimers();
}

void frmSetup2::selectTab(int index) {
    SSTab1->setCurrentIndex(index);
}

void frmSetup2::FindCdDrives() {
    cdDrives->FindCdDrives();
}

void frmSetup2::Command32_Click() {
    music->Command32_Click();
}

void frmSetup2::Command35_Click() {
    music->Command35_Click();
}

bool frmSetup2::storedMusicNowIsOn() const {
    return storedFlagIs(program_, keys::kMusicNow, "0", 1);
}

void frmSetup2::centreOnScreen() {
    const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr) {
        return;
    }
    const QRect area = s->geometry();
    move(area.x() + area.width() / 2 - width() / 2, area.y() + area.height() / 2 - height() / 2);
}

void frmSetup2::closeAndEnd() {
    Command35_Click();
    program_.unloadDisplay();
    program_.unloadPanel();
    program_.endProgram();
}

void frmSetup2::Command17_Click() {
    // A display that is up already starts over from the current settings. It goes before the music
    // starts, because closing it stops all music.
    if (program_.settings.musicOnly == 0 && program_.displayIfLoaded() != nullptr) {
        program_.unloadDisplay();
    }
    if (storedMusicNowIsOn()) {
        program_.tray();
    }
    if (preferences->Check8->isChecked() && !music->Command32_Click()) {
        return;
    }
    // Music without a display needs the tray icon to stop it; without a notification area the
    // panel stays up for that.
    bool keepPanel = false;
    if (storedFlagIs(program_, keys::kMusicOnly, "0", 1)) {
        program_.tray();
        keepPanel = !program_.notificationArea().isAvailable();
        if (!keepPanel) {
            hideWindow();
        }
    }
    if (program_.settings.musicOnly == 0) {
        StartSlideshow(program_);
    }
    if (!keepPanel) {
        hideWindow();
    }
}

void frmSetup2::Command19_Click() {
    SaveAllSettings(program_, *preferences);
}

void frmSetup2::Command1_Click() {
    if (!SaveAllSettings(program_, *preferences)) {
        program_.unloadPanel();
        program_.endProgram();
        return;
    }
    if (!storedMusicNowIsOn()) {
        closeAndEnd();
        return;
    }
    hideWindow();
    if (program_.tray() == nullptr) {
        program_.unloadPanel();
        program_.endProgram();
    }
}

void frmSetup2::Command6_Click() {
    if (storedMusicNowIsOn()) {
        hideWindow();
        return;
    }
    closeAndEnd();
}

void frmSetup2::Comrtt2_Click() {
    program_.unloadTray();
    program_.unloadPanel();
    program_.endProgram();
}

void frmSetup2::closeEvent(QCloseEvent* event) {
    // The window never closes by itself: it is hidden or unloaded through the program.
    event->ignore();
    if (storedMusicNowIsOn()) {
        runUnloadSteps();
        hideWindow();
        return;
    }
    program_.unloadPanel();
    // Only the tray keeps the program alive once the panel is gone: a hidden player window left
    // behind by the music's stop would otherwise keep an invisible process running.
    if (program_.trayIfLoaded() == nullptr) {
        program_.endProgram();
    }
}

}  // namespace luma
