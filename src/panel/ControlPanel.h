#pragma once

#include "startup/Windows.h"

#include <QSize>
#include <QString>
#include <QWidget>

class QPushButton;
class QTabWidget;

namespace luma {

class AboutTab;
class HelpTab;
class PanelCdDrives;
class PanelPlayer;
class PlaylistEditor;
class PreferencesTab;
class Program;
class SlideListEditor;
class SlidesTab;
class SoundTab;

// The control panel "Make a Lumafolio": five tabs above the row "Test", "Save settings, Close",
// "Just Close control panel", "Shut Down". Reads the settings and lists into its controls when it
// loads, writes them back on a save, and closes either into the tray or by ending the program,
// as the stored "MusicNow" says.
class ControlPanel : public QWidget, public PanelWindow {
    Q_OBJECT
public:
    // The client area at 96 dots per inch; it grows with the screen's scale factor.
    static constexpr QSize kDesignSize{545, 385};
    static constexpr int kPreferencesTab = 2;

    explicit ControlPanel(Program& program);
    ~ControlPanel() override;

    void load() override;
    void unload() override;
    void showWindow() override;
    void hideWindow() override;
    bool isShown() const override;
    void disableTimers() override;
    void selectTab(int index) override;
    void findCdDrives() override;
    void playNextEntry() override;
    void stopAllMusic() override;

    void runTest();       // "Test"
    void saveAndClose();  // "Save settings, Close"
    void justClose();     // "Just Close control panel"
    void shutDown();      // "Shut Down"
    void saveSettings();  // "Save Settings"

    QTabWidget* tabs;
    SlidesTab* slides;
    SoundTab* sound;
    PreferencesTab* preferences;
    HelpTab* help;
    AboutTab* about;
    QPushButton* testButton;
    QPushButton* saveAndCloseButton;
    QPushButton* justCloseButton;
    QPushButton* shutDownButton;

    SlideListEditor* slideEditor;
    PlaylistEditor* playlist;
    PanelPlayer* music;
    PanelCdDrives* cdDrives;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void runUnloadSteps();
    void centreOnScreen();
    bool storedMusicNowIsOn() const;
    // Stops the music, closes the display and the panel and ends the program.
    void closeAndEnd();

    Program& program_;
    QString lastDialogFile_;  // shared by the file dialogs of both list tabs
};

}  // namespace luma
