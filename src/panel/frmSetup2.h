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
class frmSetup2 : public QWidget, public PanelWindow {
    Q_OBJECT
public:
    // The client area at 96 dots per inch; it grows with the screen's scale factor.
    static constexpr QSize kDesignSize{545, 385};
    static constexpr int kPreferencesTab = 2;

    explicit frmSetup2(Program& program);
    ~frmSetup2() override;

    void load() override;
    void unload() override;
    void showWindow() override;
    void hideWindow() override;
    bool isShown() const override;
    void disableTimers() override;
    void selectTab(int index) override;
    void FindCdDrives() override;
    void Command32_Click() override;
    void Command35_Click() override;

    void Command17_Click();  // "Test"
    void Command1_Click();   // "Save settings, Close"
    void Command6_Click();   // "Just Close control panel"
    void Comrtt2_Click();    // "Shut Down"
    void Command19_Click();  // "Save Settings"

    QTabWidget* SSTab1;
    SlidesTab* slides;
    SoundTab* sound;
    PreferencesTab* preferences;
    HelpTab* help;
    AboutTab* about;
    QPushButton* Command17;
    QPushButton* Command1;
    QPushButton* Command6;
    QPushButton* Comrtt2;

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
