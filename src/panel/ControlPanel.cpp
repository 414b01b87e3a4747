#include "panel/ControlPanel.h"
#include "panel/ControlIds.h"

#include "panel/AboutTab.h"
#include "panel/ButtonSizing.h"
#include "panel/HelpTab.h"
#include "panel/ListFiller.h"
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

ControlPanel::ControlPanel(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      program_(program) {
    setObjectName(panel_ids::kPanel);
    setWindowTitle(QStringLiteral("Make a Lumafolio"));
    setFont(panelFont(font()));

    tabs = new QTabWidget(this);
    tabs->setObjectName(panel_ids::kTabs);
    tabs->setUsesScrollButtons(false);
    slides = new SlidesTab(tabs);
    sound = new SoundTab(tabs);
    preferences = new PreferencesTab(tabs);
    help = new HelpTab(program, tabs);
    about = new AboutTab(program, tabs);
    tabs->addTab(slides, QStringLiteral("Slides"));
    tabs->addTab(sound, QStringLiteral("Sound"));
    tabs->addTab(preferences, QStringLiteral("Preferences"));
    tabs->addTab(help, QStringLiteral("Help"));
    tabs->addTab(about, QStringLiteral("About/Admin"));
    tabs->setCurrentIndex(kPreferencesTab);

    testButton = namedButton(panel_ids::kTestButton, "Test", this);
    saveAndCloseButton = namedButton(panel_ids::kSaveAndCloseButton, "Save settings, Close", this);
    justCloseButton = namedButton(panel_ids::kJustCloseButton, "Just Close control panel", this);
    shutDownButton = namedButton(panel_ids::kShutDownButton, "Shut Down", this);
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    int widest = 0;
    for (QPushButton* b : {testButton, saveAndCloseButton, justCloseButton, shutDownButton}) {
        widest = std::max(widest, b->fontMetrics().horizontalAdvance(b->text()));
    }
    for (QPushButton* b : {testButton, saveAndCloseButton, justCloseButton, shutDownButton}) {
        // The row is shared out by stretch alone, so the four are the same size.
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        b->setMinimumWidth(widest + 2 * kCaptionPadding);
        row->addWidget(b, 1);
    }
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(3);
    column->addWidget(tabs, 1);
    column->addLayout(row);

    slideEditor = new SlideListEditor(program, *slides, lastDialogFile_);
    playlist = new PlaylistEditor(program, *sound, lastDialogFile_);
    music = new PanelPlayer(program, *sound, [this] {
        return !program_.hasEnded() && program_.panelIfLoaded() == this;
    });
    // Play writes each entry it starts into the selection, which the playlist editor owns.
    connect(music, &PanelPlayer::entryChosen, playlist, &PlaylistEditor::showSelection);
    cdDrives = new PanelCdDrives(program, *sound, *playlist);
    connectPreferenceReactions(program, *preferences);

    connect(testButton, &QPushButton::clicked, this, &ControlPanel::runTest);
    connect(saveAndCloseButton, &QPushButton::clicked, this, &ControlPanel::saveAndClose);
    connect(justCloseButton, &QPushButton::clicked, this, &ControlPanel::justClose);
    connect(shutDownButton, &QPushButton::clicked, this, &ControlPanel::shutDown);
    connect(preferences->saveSettingsButton, &QPushButton::clicked, this,
            &ControlPanel::saveSettings);

    setFixedSize(scaledSize(kDesignSize, panelScale(this)));
}

ControlPanel::~ControlPanel() = default;

void ControlPanel::load() {
    applyStoredSettings(program_, *preferences);
    centreOnScreen();
    slideEditor->loadStoredList();
    cdDrives->loadCdTracks();
    playlist->loadPlaylist();
    program_.media().send(QStringLiteral("stop cd"));
    program_.media().send(QStringLiteral("close cd"));
    cdDrives->openDriveInUse();
    playlist->refreshCdEntries();
    program_.cursor().show(true);
    if (storedMusicNowIsOn()) {
        program_.tray();
    }
}

void ControlPanel::unload() {
    // A list addition still under way is not for a panel that has gone.
    for (ListFiller* filler : findChildren<ListFiller*>()) {
        filler->cancel();
    }
    runUnloadSteps();
}

void ControlPanel::runUnloadSteps() {
    stopAllMusic();
    program_.unloadDisplay();
    program_.cursor().show(true);
    const QPointer<ControlPanel> alive(this);
    processPendingEvents();
    if (alive.isNull() || program_.hasEnded()) {
        return;  // closed for good meanwhile
    }
    const bool autoStart = preferences->autoStartBox->isChecked();
    program_.store().write(keys::kSettings, keys::kAutoStartup,
                           autoStart ? QStringLiteral("1") : QStringLiteral("0"));
    if (!autoStart) {
        removeStartupSaverCopy();
    }
}

void ControlPanel::showWindow() {
    show();
    raise();
    activateWindow();
}

void ControlPanel::hideWindow() {
    hide();
}

bool ControlPanel::isShown() const {
    return isVisible();
}

void ControlPanel::disableTimers() {
    music->disableTimers();
}

void ControlPanel::selectTab(int index) {
    tabs->setCurrentIndex(index);
}

void ControlPanel::findCdDrives() {
    cdDrives->findCdDrives();
}

void ControlPanel::playNextEntry() {
    music->playNextEntry();
}

void ControlPanel::stopAllMusic() {
    music->stopAllMusic();
}

bool ControlPanel::storedMusicNowIsOn() const {
    return storedFlagIs(program_, keys::kMusicNow, 1);
}

void ControlPanel::centreOnScreen() {
    const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr) {
        return;
    }
    const QRect area = s->geometry();
    move(area.x() + area.width() / 2 - width() / 2, area.y() + area.height() / 2 - height() / 2);
}

void ControlPanel::closeAndEnd() {
    stopAllMusic();
    program_.unloadDisplay();
    program_.unloadPanel();
    program_.endProgram();
}

void ControlPanel::runTest() {
    // A display that is up already starts over from the current settings. It goes before the music
    // starts, because closing it stops all music.
    if (program_.settings.musicOnly == 0 && program_.displayIfLoaded() != nullptr) {
        program_.unloadDisplay();
    }
    if (storedMusicNowIsOn()) {
        program_.tray();
    }
    if (preferences->backgroundMusicBox->isChecked() && !music->playNextEntry()) {
        return;
    }
    // Music without a display needs the tray icon to stop it; without a notification area the
    // panel stays up for that.
    bool keepPanel = false;
    if (storedFlagIs(program_, keys::kMusicOnly, 1)) {
        program_.tray();
        keepPanel = !program_.notificationArea().isAvailable();
        if (!keepPanel) {
            hideWindow();
        }
    }
    if (program_.settings.musicOnly == 0) {
        startSlideshow(program_);
    }
    if (!keepPanel) {
        hideWindow();
    }
}

void ControlPanel::saveSettings() {
    saveAllSettings(program_, *preferences);
}

void ControlPanel::saveAndClose() {
    if (!saveAllSettings(program_, *preferences)) {
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

void ControlPanel::justClose() {
    if (storedMusicNowIsOn()) {
        hideWindow();
        return;
    }
    closeAndEnd();
}

void ControlPanel::shutDown() {
    program_.unloadTray();
    program_.unloadPanel();
    program_.endProgram();
}

void ControlPanel::closeEvent(QCloseEvent* event) {
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
